#include "touch/progressbar.h"

#include "touch/theme.h"

#include <QPainter>
#include <QWidget>
#include <QTimer>

namespace Touch {

class ProgressBarPrivate
{
public:
    int minimum = 0;
    int maximum = 100;
    int value = 0;
    bool unknown = false;
    int phase = 0;           // animation step, 0..359
    QTimer* timer = nullptr;
};

namespace {
const int kFrameMs = 40;
const qreal kSpinner = 48;
const qreal kBarHeight = 8;
} // namespace

ProgressBar::ProgressBar(QGraphicsItem* parent, const QString& viewType)
    : Widget(parent)
    , d(new ProgressBarPrivate)
{
    setDefaultStyleName(QStringLiteral("ProgressBar"));
    setViewType(viewType);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    d->timer = new QTimer(this);
    d->timer->setInterval(kFrameMs);
    connect(d->timer, &QTimer::timeout, this, [this] {
        d->phase = (d->phase + 12) % 360;
        update();
    });
}

ProgressBar::~ProgressBar()
{
    delete d;
}

int ProgressBar::minimum() const
{
    return d->minimum;
}

void ProgressBar::setMinimum(int minimum)
{
    setRange(minimum, qMax(minimum, d->maximum));
}

int ProgressBar::maximum() const
{
    return d->maximum;
}

void ProgressBar::setMaximum(int maximum)
{
    setRange(qMin(d->minimum, maximum), maximum);
}

void ProgressBar::setRange(int minimum, int maximum)
{
    if (maximum < minimum) {
        qWarning("Touch::ProgressBar::setRange: maximum %d below minimum %d, using %d", maximum, minimum,
                 minimum);
        maximum = minimum;
    }
    d->minimum = minimum;
    d->maximum = maximum;
    setValue(d->value);
    update();
}

int ProgressBar::value() const
{
    return d->value;
}

void ProgressBar::setValue(int value)
{
    const int clamped = qBound(d->minimum, value, d->maximum);
    if (clamped == d->value)
        return;
    d->value = clamped;
    update();
    Q_EMIT valueChanged(clamped);
}

bool ProgressBar::unknownDuration() const
{
    return d->unknown;
}

void ProgressBar::setUnknownDuration(bool unknown)
{
    if (d->unknown == unknown)
        return;
    d->unknown = unknown;
    // Animate only while it can be seen: a hidden spinner costs no wake-ups.
    if (unknown && isVisible() && scene())
        d->timer->start();
    else
        d->timer->stop();
    update();
}

bool ProgressBar::isAnimating() const
{
    return d->timer->isActive();
}

QVariant ProgressBar::itemChange(GraphicsItemChange change, const QVariant& value)
{
    const QVariant result = Widget::itemChange(change, value);
    if (change == ItemVisibleHasChanged || change == ItemSceneHasChanged) {
        if (d->unknown && isVisible() && scene())
            d->timer->start();
        else
            d->timer->stop();
    }
    return result;
}

QSizeF ProgressBar::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    if (which == Qt::MaximumSize || which == Qt::MinimumDescent)
        return Widget::sizeHint(which, constraint);
    const ThemeStyle& s = themeStyle();
    const qreal padW = s.padding.left() + s.padding.right();
    const qreal padH = s.padding.top() + s.padding.bottom();
    if (viewType() == QLatin1String(SpinnerType))
        return QSizeF(kSpinner + padW, kSpinner + padH);
    return QSizeF((which == Qt::MinimumSize ? 48 : 240) + padW, qMax(s.minimumHeight, kBarHeight + padH));
}

void ProgressBar::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const ThemeStyle& s = themeStyle();
    const QRectF area = rect().marginsRemoved(s.padding);
    const qreal span = d->maximum - d->minimum;
    const qreal fraction = span > 0 ? (d->value - d->minimum) / span : 0;
    QColor groove = s.background.isValid() ? s.background : s.secondary;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);

    if (viewType() == QLatin1String(SpinnerType)) {
        const qreal side = qMin(area.width(), area.height());
        const qreal pen = qMax<qreal>(3, side / 9);
        const QRectF ring(area.center().x() - side / 2 + pen / 2, area.center().y() - side / 2 + pen / 2,
                          side - pen, side - pen);
        painter->setPen(QPen(groove, pen));
        painter->drawEllipse(ring);
        painter->setPen(QPen(s.accent, pen, Qt::SolidLine, Qt::RoundCap));
        if (d->unknown)
            painter->drawArc(ring, (90 - d->phase) * 16, -100 * 16);
        else
            painter->drawArc(ring, 90 * 16, -int(360 * 16 * fraction));
        painter->restore();
        return;
    }

    const QRectF bar(area.left(), area.center().y() - kBarHeight / 2, area.width(), kBarHeight);
    painter->setPen(Qt::NoPen);
    painter->setBrush(groove);
    painter->drawRoundedRect(bar, kBarHeight / 2, kBarHeight / 2);
    painter->setBrush(s.accent);
    if (d->unknown) {
        // A block sweeping across.
        const qreal w = bar.width() / 4;
        const qreal x = bar.left() + (bar.width() + w) * (d->phase / 360.0) - w;
        painter->setClipRect(bar);
        painter->drawRoundedRect(QRectF(x, bar.top(), w, bar.height()), kBarHeight / 2, kBarHeight / 2);
    } else if (fraction > 0) {
        QRectF done = bar;
        done.setWidth(bar.width() * fraction);
        if (QGraphicsWidget::layoutDirection() == Qt::RightToLeft)
            done.moveRight(bar.right());
        painter->drawRoundedRect(done, kBarHeight / 2, kBarHeight / 2);
    }
    painter->restore();
}

} // namespace Touch
