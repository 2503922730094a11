#include "base/simpleinformationbanner.h"

#include "base/bannertracker.h"
#include "base/simplesheet.h"
#include "touch/applicationwindow.h"
#include "touch/scenewindow.h"
#include "touch/theme.h"

#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QPainter>
#include <QTextOption>
#include <QPointer>
#include <QTimer>

namespace Velin {

namespace {

const int DefaultTimeout = 3000;
const qreal Margin = 12;          // from the window's edges
const qreal Spacing = 8;          // between stacked banners
const qreal PaddingH = 20;
const qreal PaddingV = 14;
const qreal MinimumHeight = 56;
const qreal Radius = 14;
const qreal UnattachedWidth = 456;

QList<QPointer<SimpleInformationBanner>>& liveBanners()
{
    static QList<QPointer<SimpleInformationBanner>> banners;
    return banners;
}

QFont bannerFont()
{
    QFont font = Touch::Theme::instance()->style(QStringLiteral("CommonBodyTextInverted"), true).font;
    if (font.pixelSize() <= 0 && font.pointSizeF() <= 0)
        font.setPixelSize(18);
    return font;
}

} // namespace

class SimpleInformationBannerPrivate
{
public:
    explicit SimpleInformationBannerPrivate(SimpleInformationBanner* q)
        : q(q)
    {
    }

    void expire();
    static void relayout(QGraphicsWidget* overlay);

    SimpleInformationBanner* const q;
    QString text;
    int timeout = DefaultTimeout;
    QTimer* timer = nullptr;
    // The overlay layer it sits on; watched as a QObject, as it may be in
    // the middle of its destruction when we are deleted with it.
    QGraphicsWidget* overlay = nullptr;
    QPointer<QObject> overlayObject;
    bool expired = false;

    QGraphicsWidget* liveOverlay() const { return overlayObject ? overlay : nullptr; }
};

void SimpleInformationBannerPrivate::expire()
{
    if (expired)
        return;
    expired = true;
    liveBanners().removeAll(q);
    q->setVisible(false);
    if (QGraphicsWidget* layer = liveOverlay())
        relayout(layer);
    q->deleteLater();
}

namespace {

// Where banners may start on the overlay: below the header of the sheet on
// top of the window, whose actions must stay visible and tappable.
qreal bannerAreaTop(const QGraphicsWidget* overlay)
{
    qreal top = overlay->rect().top();
    const QGraphicsScene* scene = overlay->scene();
    const QList<QGraphicsView*> views = scene ? scene->views() : QList<QGraphicsView*>();
    auto window = views.isEmpty() ? nullptr : qobject_cast<Touch::ApplicationWindow*>(views.first());
    const Touch::SceneWindow* current = window ? window->currentSceneWindow() : nullptr;
    if (!qobject_cast<const SimpleSheet*>(current))
        return top;
    const QList<QGraphicsItem*> parts = current->childItems();
    for (const QGraphicsItem* part : parts) {
        const QGraphicsObject* object = part->toGraphicsObject();
        if (object && part->isVisible() && object->objectName() == QLatin1String("SheetHeader"))
            top = qMax(top, overlay->mapFromScene(part->sceneBoundingRect()).boundingRect().bottom());
    }
    return top;
}

} // namespace

void SimpleInformationBannerPrivate::relayout(QGraphicsWidget* overlay)
{
    const QRectF area = overlay->rect();
    const qreal width = qMax<qreal>(0, area.width() - 2 * Margin);
    qreal y = bannerAreaTop(overlay) + Margin;
    // Oldest on top, newer ones below.
    for (const QPointer<SimpleInformationBanner>& banner : qAsConst(liveBanners())) {
        if (!banner || banner->d->expired || banner->parentItem() != overlay)
            continue;
        const qreal height = banner->effectiveSizeHint(Qt::PreferredSize, QSizeF(width, -1)).height();
        banner->setGeometry(QRectF(area.left() + Margin, y, width, height));
        y += height + Spacing;
    }
}

SimpleInformationBanner::SimpleInformationBanner(const QString& text, int milliseconds, QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new SimpleInformationBannerPrivate(this))
{
    setObjectName(QStringLiteral("SimpleInformationBanner"));
    d->text = text;
    d->timeout = milliseconds;
    // A tap on the banner ends here: what it covers cannot be seen, so it
    // must not be hit either.
    setAcceptedMouseButtons(Qt::AllButtons);
    // Nor does it take the focus from the field being typed in.
    setFlag(ItemStopsFocusHandling);
    setFocusPolicy(Qt::NoFocus);
    setZValue(100);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    d->timer = new QTimer(this);
    d->timer->setObjectName(QStringLiteral("SimpleInformationBannerTimer"));
    d->timer->setSingleShot(true);
    connect(d->timer, &QTimer::timeout, this, [this] { d->expire(); });
    d->timer->start(milliseconds);
}

SimpleInformationBanner::~SimpleInformationBanner()
{
    liveBanners().removeAll(this);
    liveBanners().removeAll(nullptr);
    if (!d->expired && d->overlayObject) {
        // Deleted by someone else (perhaps with the overlay itself): close
        // the gap once the dust has settled, if the overlay is still there.
        QPointer<QObject> overlayObject = d->overlayObject;
        QGraphicsWidget* overlay = d->overlay;
        QMetaObject::invokeMethod(
            BannerTracker::instance(),
            [overlayObject, overlay] {
                if (overlayObject)
                    SimpleInformationBannerPrivate::relayout(overlay);
            },
            Qt::QueuedConnection);
    }
    delete d;
}

QObject* SimpleInformationBanner::show(const QString& text, int milliseconds)
{
    if (milliseconds < 0) {
        qWarning("SimpleInformationBanner::show: negative time %d ms; showing for %d ms",
                 milliseconds, DefaultTimeout);
        milliseconds = DefaultTimeout;
    }
    Touch::ApplicationWindow* window = Touch::ApplicationWindow::activeWindow();
    QGraphicsWidget* overlay = window ? window->overlayLayer() : nullptr;

    auto banner = new SimpleInformationBanner(text, milliseconds, overlay);
    liveBanners().removeAll(nullptr);
    liveBanners().append(banner);
    if (overlay) {
        banner->d->overlay = overlay;
        banner->d->overlayObject = overlay;
        connect(overlay, &QGraphicsWidget::geometryChanged, banner,
                [overlay] { SimpleInformationBannerPrivate::relayout(overlay); });
        // A sheet coming or going moves the area below its header (queued:
        // the window counts a sheet only once it has begun to appear).
        connect(window, &Touch::ApplicationWindow::sceneWindowsChanged, banner,
                [overlay] { SimpleInformationBannerPrivate::relayout(overlay); }, Qt::QueuedConnection);
        SimpleInformationBannerPrivate::relayout(overlay);
    } else {
        banner->resize(UnattachedWidth, banner->effectiveSizeHint(Qt::PreferredSize, QSizeF(UnattachedWidth, -1)).height());
    }
    Q_EMIT BannerTracker::instance()->bannerShown(banner, text);
    return banner;
}

QList<QObject*> SimpleInformationBanner::shownBanners()
{
    QList<QObject*> result;
    for (const QPointer<SimpleInformationBanner>& banner : qAsConst(liveBanners())) {
        if (banner && !banner->d->expired)
            result.append(banner.data());
    }
    return result;
}

QString SimpleInformationBanner::text() const
{
    return d->text;
}

void SimpleInformationBanner::setText(const QString& text)
{
    if (d->text == text)
        return;
    d->text = text;
    updateGeometry();
    if (QGraphicsWidget* layer = d->liveOverlay())
        SimpleInformationBannerPrivate::relayout(layer);
    update();
}

int SimpleInformationBanner::timeout() const
{
    return d->timeout;
}

void SimpleInformationBanner::setTimeout(int milliseconds)
{
    if (milliseconds < 0) {
        qWarning("SimpleInformationBanner::setTimeout: negative time %d ms ignored", milliseconds);
        return;
    }
    d->timeout = milliseconds;
    if (!d->expired)
        d->timer->start(milliseconds);
}

void SimpleInformationBanner::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    event->accept();
}

QSizeF SimpleInformationBanner::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    if (which == Qt::MaximumSize)
        return Touch::Widget::sizeHint(which, constraint);
    const qreal width = constraint.width() > 0 ? constraint.width() : UnattachedWidth;
    if (which == Qt::MinimumSize)
        return QSizeF(2 * PaddingH + 32, MinimumHeight);
    const QFontMetricsF fm(bannerFont());
    const QRectF textRect = fm.boundingRect(QRectF(0, 0, qMax<qreal>(1, width - 2 * PaddingH), 1e6),
                                            Qt::TextWordWrap, d->text);
    return QSizeF(width, qMax(MinimumHeight, textRect.height() + 2 * PaddingV));
}

void SimpleInformationBanner::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    // A soft edge under the bar, then the bar itself, opaque so that the
    // header under it never shows through its text.
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0, 0, 0, 60));
    painter->drawRoundedRect(r.adjusted(-1, 1, 1, 3), Radius + 1, Radius + 1);
    painter->setBrush(QColor(0x2a, 0x2f, 0x37));
    // A faint light rim keeps the bar apart from a dark sheet under it.
    painter->setPen(QPen(QColor(255, 255, 255, 48), 1));
    painter->drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), Radius, Radius);

    painter->setFont(bannerFont());
    painter->setPen(QColor(0xf4, 0xf6, 0xf9));
    // Right-to-left messages start on the right, whatever the UI direction.
    const bool rtl = d->text.isRightToLeft();
    QTextOption option(Qt::AlignVCenter | (rtl ? Qt::AlignRight : Qt::AlignLeft));
    option.setWrapMode(QTextOption::WordWrap);
    option.setTextDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
    painter->drawText(r.adjusted(PaddingH, PaddingV, -PaddingH, -PaddingV), d->text, option);
}

} // namespace Velin
