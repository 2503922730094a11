#include "touch/imagewidget.h"

#include "touch/theme.h"

#include <QPainter>
#include <QWidget>

namespace Touch {

class ImageWidgetPrivate
{
public:
    QString iconId;
    QPixmap pixmap;
    QSize imageSize = QSize(32, 32);
};

ImageWidget::ImageWidget(const QString& iconId, QGraphicsItem* parent)
    : Widget(parent)
    , d(new ImageWidgetPrivate)
{
    d->iconId = iconId;
    setDefaultStyleName(QStringLiteral("ImageWidget"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

ImageWidget::~ImageWidget()
{
    delete d;
}

QString ImageWidget::image() const
{
    return d->iconId;
}

void ImageWidget::setImage(const QString& iconId)
{
    d->iconId = iconId;
    d->pixmap = QPixmap();
    update();
}

void ImageWidget::setPixmap(const QPixmap& pixmap)
{
    d->pixmap = pixmap;
    d->iconId.clear();
    update();
}

QPixmap ImageWidget::pixmap() const
{
    if (!d->pixmap.isNull())
        return d->pixmap;
    return d->iconId.isEmpty() ? QPixmap() : Theme::instance()->pixmap(d->iconId, d->imageSize);
}

QSize ImageWidget::imageSize() const
{
    return d->imageSize;
}

void ImageWidget::setImageSize(const QSize& size)
{
    if (!size.isValid()) {
        qWarning("Touch::ImageWidget::setImageSize: invalid size %dx%d ignored", size.width(), size.height());
        return;
    }
    d->imageSize = size;
    updateGeometry();
    update();
}

QSizeF ImageWidget::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    if (which == Qt::MaximumSize || which == Qt::MinimumDescent)
        return Widget::sizeHint(which, constraint);
    const ThemeStyle& s = themeStyle();
    const QSizeF base = QSizeF(d->imageSize) + QSizeF(s.padding.left() + s.padding.right(),
                                                      s.padding.top() + s.padding.bottom());
    return QSizeF(base.width(), qMax(base.height(), s.minimumHeight));
}

void ImageWidget::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Widget::paint(painter, option, widget);
    const QRectF area = rect().marginsRemoved(themeStyle().padding);
    QSizeF size = d->imageSize;
    size.scale(area.size().boundedTo(size), Qt::KeepAspectRatio);
    const QRectF target(area.center().x() - size.width() / 2, area.center().y() - size.height() / 2,
                        size.width(), size.height());
    if (!d->pixmap.isNull()) {
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawPixmap(target, d->pixmap, QRectF(d->pixmap.rect()));
        painter->restore();
    } else if (!d->iconId.isEmpty()) {
        painter->drawPixmap(target.topLeft(), Theme::instance()->pixmap(d->iconId, target.size().toSize()));
    }
}

} // namespace Touch
