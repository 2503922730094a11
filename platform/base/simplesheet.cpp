#include "base/simplesheet.h"
#include "base/simplesheet_p.h"

#include "touch/applicationwindow.h"
#include "touch/progressbar.h"
#include "touch/theme.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFontMetricsF>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsSceneWheelEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace Velin {

namespace {

const qreal HeaderHeight = 80;
const qreal HeaderMargin = 8;
const qreal ButtonHeight = 64;   // the hit area; the pill is drawn inside
const qreal ButtonMinimumWidth = 96;
const qreal SpinnerSize = 36;
const qreal SpinnerGap = 12;
const int TitleTextSize = 22;
const int TitleMinimumTextSize = 17;  // long titles shrink this far before eliding
const int ButtonTextSize = 20;
const qreal PanThreshold = 16;
const qreal WheelStep = 64;      // pixels per wheel notch
const qreal FocusMargin = 16;

// Padding between the sheet's edges and its content.
const qreal ContentLeft = 16;
const qreal ContentTop = 12;
const qreal ContentRight = 16;
const qreal ContentBottom = 24;

// The theme's font for the style, in the header's size.
QFont headerFont(const char* styleName, int pixelSize)
{
    QFont font = Touch::Theme::instance()->style(QLatin1String(styleName)).font;
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::DemiBold);
    return font;
}

// The header font at the largest size, down to the minimum, in which the
// title fits the width; long titles are elided only below that.
QFont titleFont(const QString& title, qreal width)
{
    QFont font = headerFont("CommonSingleTitle", TitleTextSize);
    for (int size = TitleTextSize; size > TitleMinimumTextSize; --size) {
        if (QFontMetricsF(font).horizontalAdvance(title) <= width)
            break;
        font.setPixelSize(size - 1);
    }
    return font;
}

} // namespace

SheetPalette SheetPalette::forItem(const QGraphicsItem* item)
{
    // The theme's colours, so that the chrome matches the widgets on the sheet.
    const bool inverted = Touch::Theme::isInverted(item);
    const Touch::Theme* theme = Touch::Theme::instance();
    const Touch::ThemeStyle window =
        theme->style(inverted ? QStringLiteral("Inverted") : QStringLiteral("SceneWindow"), inverted);
    const Touch::ThemeStyle panel = theme->style(QStringLiteral("CommonPanel"), inverted);
    const Touch::ThemeStyle body = theme->style(QStringLiteral("CommonBodyText"), inverted);
    const Touch::ThemeStyle divider = theme->style(QStringLiteral("CommonItemDivider"), inverted);
    const Touch::ThemeStyle button = theme->style(QStringLiteral("CommonSingleButton"), inverted);

    auto pick = [](const QColor& color, QRgb fallback) { return color.isValid() ? color : QColor(fallback); };
    SheetPalette p;
    p.background = pick(window.background, inverted ? 0x121518 : 0xf3f4f6);
    p.headerBackground = pick(panel.background, inverted ? 0x1c2126 : 0xffffff);
    p.headerLine = pick(divider.foreground, inverted ? 0x3a424a : 0xd2d6da);
    p.text = pick(body.foreground, inverted ? 0xeef1f4 : 0x1c1f23);
    p.secondaryText = pick(body.secondary, inverted ? 0xa3adb7 : 0x5f6872);
    p.accent = pick(body.accent, inverted ? 0x4da3ff : 0x1f72c9);
    p.accentText = inverted ? QColor(0x0b, 0x1a, 0x2b) : QColor(Qt::white);
    p.disabled = pick(button.background, inverted ? 0x2c333a : 0xe4e7ea);
    p.disabledText = inverted ? QColor(0x6c, 0x76, 0x80) : QColor(0x9a, 0xa2, 0xaa);
    return p;
}

// --- SheetHeaderButton ------------------------------------------------------

SheetHeaderButton::SheetHeaderButton(bool primary, QGraphicsItem* parent)
    : Touch::Button(QString(), parent)
    , m_primary(primary)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSizeF SheetHeaderButton::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    switch (which) {
    case Qt::MinimumSize:
        return QSizeF(ButtonHeight, ButtonHeight);
    case Qt::PreferredSize: {
        const QFontMetricsF fm(headerFont("CommonSingleButton", ButtonTextSize));
        return QSizeF(qMax(ButtonMinimumWidth, fm.horizontalAdvance(text()) + 40), ButtonHeight);
    }
    default:
        return Touch::Button::sizeHint(which, constraint);
    }
}

void SheetHeaderButton::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const SheetPalette p = SheetPalette::forItem(this);
    const bool enabled = isEnabled();
    const QRectF pill = rect().adjusted(4, 10, -4, -10);
    const qreal radius = pill.height() / 2;

    painter->setRenderHint(QPainter::Antialiasing);
    QColor textColor;
    if (m_primary) {
        QColor fill = enabled ? p.accent : p.disabled;
        if (enabled && isDown())
            fill = fill.darker(120);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fill);
        painter->drawRoundedRect(pill, radius, radius);
        textColor = enabled ? p.accentText : p.disabledText;
    } else {
        QColor frame = enabled ? p.headerLine : p.disabled;
        if (enabled && isDown()) {
            QColor pressed = p.text;
            pressed.setAlphaF(0.12);
            painter->setBrush(pressed);
        } else {
            painter->setBrush(Qt::NoBrush);
        }
        painter->setPen(QPen(frame, 1.5));
        painter->drawRoundedRect(pill.adjusted(0.75, 0.75, -0.75, -0.75), radius, radius);
        textColor = enabled ? p.text : p.disabledText;
    }

    const QFont font = headerFont("CommonSingleButton", ButtonTextSize);
    painter->setFont(font);
    painter->setPen(textColor);
    const QRectF textRect = pill.adjusted(12, 0, -12, 0);
    const QString shown = QFontMetricsF(font).elidedText(text(), Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignCenter, shown);
}

// --- SheetHeader ------------------------------------------------------------

SheetHeader::SheetHeader(QGraphicsItem* parent)
    : Touch::Widget(parent)
{
    setObjectName(QStringLiteral("SheetHeader"));
}

void SheetHeader::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    update();
}

void SheetHeader::setTitleArea(const QRectF& area, qreal spinnerReserve)
{
    if (m_titleArea == area && m_spinnerReserve == spinnerReserve)
        return;
    m_titleArea = area;
    m_spinnerReserve = spinnerReserve;
    update();
}

// The title and the spinner before it form one group, centred in the area.
void SheetHeader::groupGeometry(QRectF* textRect, QRectF* spinnerRect) const
{
    const qreal available = qMax<qreal>(0, m_titleArea.width() - m_spinnerReserve);
    const QFontMetricsF fm(titleFont(m_title, available));
    const qreal textWidth = m_title.isEmpty() ? 0 : qMin(available, fm.horizontalAdvance(m_title));
    const qreal groupWidth = textWidth + m_spinnerReserve;
    const qreal left = m_titleArea.center().x() - groupWidth / 2;
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const qreal textLeft = rtl ? left : left + m_spinnerReserve;
    if (textRect)
        *textRect = QRectF(textLeft, m_titleArea.top(), textWidth, m_titleArea.height());
    if (spinnerRect) {
        const qreal spinnerLeft = rtl ? left + textWidth + SpinnerGap : left;
        *spinnerRect = QRectF(spinnerLeft, m_titleArea.center().y() - SpinnerSize / 2, SpinnerSize, SpinnerSize);
    }
}

void SheetHeader::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const SheetPalette p = SheetPalette::forItem(this);
    const QRectF r = rect();
    painter->fillRect(r, p.headerBackground);
    painter->fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), p.headerLine);

    QRectF textRect;
    groupGeometry(&textRect, nullptr);
    if (m_title.isEmpty() || textRect.width() <= 0)
        return;
    const QFont font = titleFont(m_title, qMax<qreal>(0, m_titleArea.width() - m_spinnerReserve));
    painter->setFont(font);
    painter->setPen(p.text);
    // Elided by hand, one pixel of slack against rounding.
    const QString shown = QFontMetricsF(font).elidedText(m_title, Qt::ElideRight, textRect.width() + 1);
    painter->drawText(textRect.adjusted(-1, 0, 1, 0), Qt::AlignCenter, shown);
}

// --- SheetScrollLayout ------------------------------------------------------

SheetScrollLayout::SheetScrollLayout(QGraphicsLayoutItem* parent)
    : QGraphicsLayout(parent)
{
    setContentsMargins(ContentLeft, ContentTop, ContentRight, ContentBottom);
}

SheetScrollLayout::~SheetScrollLayout()
{
    if (m_item && m_item->parentLayoutItem() == this)
        m_item->setParentLayoutItem(nullptr);
}

void SheetScrollLayout::setContent(QGraphicsLayoutItem* item)
{
    if (m_item == item)
        return;
    if (m_item)
        m_item->setParentLayoutItem(nullptr);
    m_item = item;
    m_offset = 0;
    if (m_item)
        addChildLayoutItem(m_item);
    invalidate();
}

int SheetScrollLayout::count() const
{
    return m_item ? 1 : 0;
}

QGraphicsLayoutItem* SheetScrollLayout::itemAt(int index) const
{
    return index == 0 ? m_item : nullptr;
}

void SheetScrollLayout::removeAt(int index)
{
    // Also reached from the content's destructor: pointer work only.
    if (index != 0 || !m_item)
        return;
    m_item->setParentLayoutItem(nullptr);
    m_item = nullptr;
    m_contentHeight = 0;
    m_offset = 0;
    invalidate();
}

qreal SheetScrollLayout::maximumOffset() const
{
    return qMax<qreal>(0, m_contentHeight - m_area.height());
}

void SheetScrollLayout::setOffset(qreal offset)
{
    offset = qBound<qreal>(0, offset, maximumOffset());
    if (qFuzzyCompare(offset + 1, m_offset + 1))
        return;
    m_offset = offset;
    place();
}

void SheetScrollLayout::setGeometry(const QRectF& rect)
{
    QGraphicsLayout::setGeometry(rect);
    m_area = rect;
    place();
}

void SheetScrollLayout::place()
{
    if (!m_item) {
        m_contentHeight = 0;
        return;
    }
    qreal left, top, right, bottom;
    getContentsMargins(&left, &top, &right, &bottom);
    const qreal width = qMax<qreal>(0, m_area.width() - left - right);
    const QSizeF constraint(width, -1);
    const QSizeF minimum = m_item->effectiveSizeHint(Qt::MinimumSize, constraint);
    const QSizeF preferred = m_item->effectiveSizeHint(Qt::PreferredSize, constraint);
    const QSizeF maximum = m_item->effectiveSizeHint(Qt::MaximumSize, constraint);

    qreal height = qMax(preferred.height(), minimum.height());
    const qreal available = m_area.height() - top - bottom;
    if (m_item->sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag)
        height = qMax(height, qMin(available, maximum.height()));
    const qreal itemWidth = qMax(minimum.width(), qMin(width, maximum.width()));

    m_contentHeight = height + top + bottom;
    m_offset = qBound<qreal>(0, m_offset, maximumOffset());
    const qreal x = m_area.left() + left + (width - itemWidth) / 2;
    m_item->setGeometry(QRectF(x, m_area.top() + top - m_offset, itemWidth, height));
}

QSizeF SheetScrollLayout::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    qreal left, top, right, bottom;
    getContentsMargins(&left, &top, &right, &bottom);
    const QSizeF margins(left + right, top + bottom);
    switch (which) {
    case Qt::MinimumSize:
        return margins;
    case Qt::PreferredSize:
        return m_item ? m_item->effectiveSizeHint(Qt::PreferredSize, constraint) + margins : margins;
    default:
        return QSizeF(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

// --- SheetViewport ----------------------------------------------------------

namespace {

// Thin bar on the trailing edge telling how far the content is panned.
class ScrollIndicator : public QGraphicsPathItem
{
public:
    explicit ScrollIndicator(QGraphicsItem* parent)
        : QGraphicsPathItem(parent)
    {
        setPen(Qt::NoPen);
        setZValue(10);
        setAcceptedMouseButtons(Qt::NoButton);
        setVisible(false);
    }
};

} // namespace

SheetViewport::SheetViewport(QGraphicsItem* parent)
    : QGraphicsWidget(parent)
    , m_layout(new SheetScrollLayout(this))
    , m_indicator(new ScrollIndicator(this))
{
    setObjectName(QStringLiteral("SheetViewport"));
    setFlag(ItemClipsChildrenToShape);
    setFlag(ItemHasNoContents);
    setFiltersChildEvents(true);
    setAcceptedMouseButtons(Qt::LeftButton);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

SheetViewport::~SheetViewport()
{
    // The content dies after us; its focus changes must not reach us.
    QObject::disconnect(m_focusConnection);
}

void SheetViewport::panBy(qreal dy)
{
    m_layout->setOffset(m_layout->offset() + dy);
    updateIndicator();
}

void SheetViewport::ensureVisible(const QRectF& rect)
{
    const qreal height = size().height();
    if (rect.top() < FocusMargin)
        panBy(rect.top() - FocusMargin);
    else if (rect.bottom() > height - FocusMargin)
        panBy(qMin(rect.bottom() - (height - FocusMargin), rect.top() - FocusMargin));
}

void SheetViewport::updateIndicator()
{
    const qreal maxOffset = m_layout->maximumOffset();
    const qreal height = size().height();
    if (maxOffset <= 0 || height <= 0) {
        m_indicator->setVisible(false);
        return;
    }
    const qreal total = m_layout->contentHeight();
    const qreal barHeight = qMax<qreal>(32, height * height / total);
    const qreal y = (height - barHeight) * m_layout->offset() / maxOffset;
    const qreal x = layoutDirection() == Qt::RightToLeft ? 3 : size().width() - 7;
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, 4, barHeight), 2, 2);
    m_indicator->setPath(path);
    QColor color = SheetPalette::forItem(this).text;
    color.setAlphaF(0.3);
    m_indicator->setBrush(color);
    m_indicator->setVisible(true);
}

void SheetViewport::setGeometry(const QRectF& rect)
{
    QGraphicsWidget::setGeometry(rect);
    updateIndicator();
}

bool SheetViewport::event(QEvent* event)
{
    const bool result = QGraphicsWidget::event(event);
    // The content's size changed: the pan range moved with it.
    if (event->type() == QEvent::LayoutRequest)
        updateIndicator();
    return result;
}

void SheetViewport::trackPress(const QPointF& scenePos)
{
    m_pressScenePos = scenePos;
    m_pressOffset = m_layout->offset();
    m_tracking = true;
    m_panning = false;
}

bool SheetViewport::trackMove(const QPointF& scenePos)
{
    if (!m_tracking)
        return false;
    if (!m_panning) {
        if (m_layout->maximumOffset() <= 0 || qAbs(scenePos.y() - m_pressScenePos.y()) < PanThreshold)
            return false;
        // From here on the drag pans: take the press away from the child.
        m_panning = true;
        m_pressScenePos = scenePos;
        m_pressOffset = m_layout->offset();
        grabMouse();
        return true;
    }
    m_layout->setOffset(m_pressOffset - (scenePos.y() - m_pressScenePos.y()));
    updateIndicator();
    return true;
}

bool SheetViewport::sceneEventFilter(QGraphicsItem*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::GraphicsSceneMousePress: {
        auto mouse = static_cast<QGraphicsSceneMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            trackPress(mouse->scenePos());
        return false;
    }
    case QEvent::GraphicsSceneMouseMove: {
        auto mouse = static_cast<QGraphicsSceneMouseEvent*>(event);
        if (m_tracking && !m_panning && (mouse->buttons() & Qt::LeftButton))
            return trackMove(mouse->scenePos());
        return false;
    }
    case QEvent::GraphicsSceneMouseRelease:
        if (!m_panning)
            m_tracking = false;
        return false;
    default:
        return false;
    }
}

void SheetViewport::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    trackPress(event->scenePos());
    event->accept();
}

void SheetViewport::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    trackMove(event->scenePos());
}

void SheetViewport::mouseReleaseEvent(QGraphicsSceneMouseEvent*)
{
    const bool wasPanning = m_panning;
    m_tracking = false;
    m_panning = false;
    if (wasPanning)
        ungrabMouse();
}

void SheetViewport::wheelEvent(QGraphicsSceneWheelEvent* event)
{
    if (event->orientation() != Qt::Vertical || m_layout->maximumOffset() <= 0) {
        event->ignore();
        return;
    }
    panBy(-event->delta() / 120.0 * WheelStep);
    event->accept();
}

QVariant SheetViewport::itemChange(GraphicsItemChange change, const QVariant& value)
{
    if (change == ItemSceneHasChanged) {
        QObject::disconnect(m_focusConnection);
        if (QGraphicsScene* newScene = value.value<QGraphicsScene*>()) {
            m_focusConnection = connect(newScene, &QGraphicsScene::focusItemChanged, this,
                                        [this](QGraphicsItem* newFocus) { onFocusItemChanged(newFocus); });
        }
    }
    return QGraphicsWidget::itemChange(change, value);
}

void SheetViewport::onFocusItemChanged(QGraphicsItem* newFocus)
{
    // Keep the field being edited in sight.
    if (newFocus && isAncestorOf(newFocus))
        ensureVisible(mapRectFromItem(newFocus, newFocus->boundingRect()));
}

// --- SimpleSheet --------------------------------------------------------------

SimpleSheetPrivate::SimpleSheetPrivate(SimpleSheet* q)
    : q(q)
{
}

void SimpleSheetPrivate::layoutHeader()
{
    const qreal width = header->size().width();
    if (width <= 0)
        return;
    const qreal top = (HeaderHeight - ButtonHeight) / 2;
    const qreal maxButtonWidth = width * 0.3;
    // A button without a label is no action: it is not shown at all.
    rejectButton->setVisible(!rejectButton->text().isEmpty());
    acceptButton->setVisible(!acceptButton->text().isEmpty());
    // Both buttons as wide as the wider one: the header looks balanced.
    qreal widest = 0;
    for (const Touch::Button* button : {rejectButton, acceptButton}) {
        if (!button->text().isEmpty())
            widest = qMax(widest, button->effectiveSizeHint(Qt::PreferredSize).width());
    }
    const qreal buttonWidth = qMin(maxButtonWidth, widest);
    const bool rtl = q->layoutDirection() == Qt::RightToLeft;

    // Positions for left-to-right; mirrored for right-to-left.
    auto place = [&](QGraphicsWidget* w, qreal x, qreal y, qreal wWidth, qreal wHeight) {
        const qreal mirroredX = rtl ? width - x - wWidth : x;
        w->setGeometry(QRectF(mirroredX, y, wWidth, wHeight));
    };
    place(rejectButton, HeaderMargin, top, buttonWidth, ButtonHeight);
    place(acceptButton, width - HeaderMargin - buttonWidth, top, buttonWidth, ButtonHeight);

    // Symmetric, so that the title stays centred on the window.
    const qreal side = buttonWidth + HeaderMargin + 8;
    header->setTitleArea(QRectF(side, 0, qMax<qreal>(0, width - 2 * side), HeaderHeight),
                         progressVisible ? SpinnerSize + SpinnerGap : 0);
    if (progressVisible) {
        QRectF spinnerRect;
        header->groupGeometry(nullptr, &spinnerRect);
        progress->setGeometry(spinnerRect);
    }
}

namespace {

// Focusable, shown and enabled widgets below root, in item order; a control
// is not searched further (a field's inner editor is part of the field).
void collectControls(const QGraphicsItem* root, QList<QGraphicsWidget*>* controls)
{
    const QList<QGraphicsItem*> children = root->childItems();
    for (QGraphicsItem* child : children) {
        if (!child->isVisible() || !child->isEnabled())
            continue;
        if (child->isWidget()) {
            auto widget = static_cast<QGraphicsWidget*>(child);
            if (widget->focusPolicy() & Qt::TabFocus) {
                controls->append(widget);
                continue;
            }
        }
        collectControls(child, controls);
    }
}

// The item that takes the focus when the control is given it.
const QGraphicsItem* focusTarget(const QGraphicsItem* item)
{
    while (item && item->focusProxy())
        item = item->focusProxy();
    return item;
}

} // namespace

QList<QGraphicsWidget*> SimpleSheetPrivate::focusChain() const
{
    QList<QGraphicsWidget*> controls;
    collectControls(viewport, &controls);
    // Top to bottom, then in reading order along a row.
    const bool rtl = q->layoutDirection() == Qt::RightToLeft;
    std::stable_sort(controls.begin(), controls.end(), [rtl](QGraphicsWidget* a, QGraphicsWidget* b) {
        const QRectF ra = a->sceneBoundingRect();
        const QRectF rb = b->sceneBoundingRect();
        if (qAbs(ra.top() - rb.top()) >= 1)
            return ra.top() < rb.top();
        return rtl ? ra.right() > rb.right() : ra.left() < rb.left();
    });
    for (QGraphicsWidget* action : {static_cast<QGraphicsWidget*>(acceptButton), static_cast<QGraphicsWidget*>(rejectButton)}) {
        if (action->isVisible() && action->isEnabled())
            controls.append(action);
    }
    return controls;
}

void SimpleSheetPrivate::focusFirstControl()
{
    QGraphicsScene* scene = q->scene();
    if (!scene)
        return;
    // A sheet that focused one of its controls itself keeps that one.
    if (QGraphicsItem* focus = scene->focusItem()) {
        if (q->isAncestorOf(focus))
            return;
    }
    // Place the content first: the order is the one on screen.
    for (int i = 0; i < 4; ++i)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QList<QGraphicsWidget*> chain = focusChain();
    if (!chain.isEmpty())
        chain.first()->setFocus(Qt::OtherFocusReason);
}

SimpleSheet::SimpleSheet(QGraphicsItem* parent)
    : Touch::SceneWindow(parent)
    , d(new SimpleSheetPrivate(this))
{
    d->header = new SheetHeader(this);
    d->header->setZValue(1);

    d->rejectButton = new SheetHeaderButton(false, d->header);
    d->rejectButton->setObjectName(QStringLiteral("SheetRejectButton"));
    //% "Cancel"
    d->rejectButton->setText(qtTrId("qtn_comm_cancel"));

    d->acceptButton = new SheetHeaderButton(true, d->header);
    d->acceptButton->setObjectName(QStringLiteral("SheetAcceptButton"));
    // No accept action until a label is set: a sheet whose choices are its own
    // buttons must not offer an accept that chooses nothing.

    d->progress = new Touch::ProgressBar(d->header, QLatin1String(Touch::ProgressBar::SpinnerType));
    d->progress->setObjectName(QStringLiteral("SheetProgressIndicator"));
    // A padding-free style: the spinner sits tight next to the title.
    d->progress->setStyleName(QStringLiteral("ImageWidget"));
    d->progress->setMinimumSize(SpinnerSize, SpinnerSize);
    d->progress->setMaximumSize(SpinnerSize, SpinnerSize);
    d->progress->setUnknownDuration(true);
    d->progress->setVisible(false);

    d->viewport = new SheetViewport(this);

    connect(d->acceptButton, &Touch::Button::clicked, this, [this] {
        if (d->acceptButton->isEnabled())
            accept();
    });
    connect(d->rejectButton, &Touch::Button::clicked, this, [this] { reject(); });
    connect(this, &Touch::SceneWindow::appeared, this, [this] { d->focusFirstControl(); });
}

SimpleSheet::~SimpleSheet()
{
    // A running exec() must not wait for a sheet that is gone.
    if (d->loop)
        d->loop->quit();
    delete d;
}

QString SimpleSheet::title() const
{
    return d->header->title();
}

void SimpleSheet::setTitle(const QString& title)
{
    if (d->header->title() == title)
        return;
    d->header->setTitle(title);
    d->layoutHeader();
    Q_EMIT titleChanged(title);
}

QString SimpleSheet::acceptLabel() const
{
    return d->acceptButton->text();
}

void SimpleSheet::setAcceptLabel(const QString& label)
{
    d->acceptButton->setText(label);
    d->layoutHeader();
}

QString SimpleSheet::rejectLabel() const
{
    return d->rejectButton->text();
}

void SimpleSheet::setRejectLabel(const QString& label)
{
    d->rejectButton->setText(label);
    d->layoutHeader();
}

bool SimpleSheet::isAcceptEnabled() const
{
    return d->acceptButton->isEnabled();
}

void SimpleSheet::setAcceptEnabled(bool enabled)
{
    if (d->acceptButton->isEnabled() == enabled)
        return;
    d->acceptButton->setEnabled(enabled);
    Q_EMIT acceptEnabledChanged(enabled);
}

bool SimpleSheet::isProgressIndicatorVisible() const
{
    return d->progressVisible;
}

void SimpleSheet::setProgressIndicatorVisible(bool visible)
{
    if (d->progressVisible == visible)
        return;
    d->progressVisible = visible;
    d->progress->setVisible(visible);
    d->layoutHeader();
}

bool SimpleSheet::isRejected() const
{
    return d->rejected;
}

void SimpleSheet::setContent(QGraphicsWidget* content)
{
    if (d->content == content)
        return;
    QGraphicsWidget* old = d->content;
    d->viewport->scrollLayout()->setContent(content);
    d->content = content;
    delete old;
}

QGraphicsWidget* SimpleSheet::content() const
{
    return d->content;
}

int SimpleSheet::exec(Touch::ApplicationWindow* window)
{
    if (d->loop) {
        qWarning("SimpleSheet::exec: the sheet \"%s\" is already running exec(); ignored",
                 qPrintable(title()));
        return 0;
    }
    QPointer<SimpleSheet> guard(this);
    QEventLoop loop;
    d->loop = &loop;
    d->execDone = false;
    d->accepted = false;
    d->rejected = false;

    appear(window ? window : Touch::ApplicationWindow::instance(), deletionPolicy());
    if (guard && !d->execDone)
        loop.exec(QEventLoop::DialogExec);

    // Deleted while waiting: d is gone too.
    if (!guard)
        return 0;
    d->loop = nullptr;
    return d->accepted ? 1 : 0;
}

void SimpleSheet::accept()
{
    done(true);
}

void SimpleSheet::reject()
{
    done(false);
}

void SimpleSheet::done(bool wasAccepted)
{
    d->accepted = wasAccepted;
    d->rejected = !wasAccepted;

    QPointer<SimpleSheet> guard(this);
    if (sceneWindowState() != Disappearing)
        disappear();
    if (!guard)
        return;
    if (d->loop) {
        d->execDone = true;
        d->loop->quit();
    }
    if (wasAccepted)
        Q_EMIT accepted();
    else
        Q_EMIT rejected();
    if (guard)
        Q_EMIT finished(wasAccepted);
}

void SimpleSheet::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->fillRect(rect(), SheetPalette::forItem(this).background);
}

bool SimpleSheet::focusNextPrevChild(bool next)
{
    const QList<QGraphicsWidget*> chain = d->focusChain();
    if (chain.isEmpty())
        return false;
    const QGraphicsItem* focus = scene() ? scene()->focusItem() : nullptr;
    int current = -1;
    for (int i = 0; i < chain.size() && focus; ++i) {
        if (chain.at(i) == focus || focusTarget(chain.at(i)) == focus || chain.at(i)->isAncestorOf(focus)) {
            current = i;
            break;
        }
    }
    const int count = chain.size();
    const int target = current < 0 ? (next ? 0 : count - 1) : (current + (next ? 1 : count - 1)) % count;
    chain.at(target)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void SimpleSheet::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Only what the accept action offers: a disabled or absent accept
        // does nothing.
        if (!event->isAutoRepeat() && d->acceptButton->isVisible() && d->acceptButton->isEnabled())
            accept();
        event->accept();
        break;
    case Qt::Key_Escape:
        if (!event->isAutoRepeat())
            reject();
        event->accept();
        break;
    default:
        Touch::SceneWindow::keyPressEvent(event);
    }
}

void SimpleSheet::resizeEvent(QGraphicsSceneResizeEvent* event)
{
    Touch::SceneWindow::resizeEvent(event);
    const QSizeF s = size();
    d->header->setGeometry(QRectF(0, 0, s.width(), HeaderHeight));
    d->viewport->setGeometry(QRectF(0, HeaderHeight, s.width(), qMax<qreal>(0, s.height() - HeaderHeight)));
    d->layoutHeader();
}

void SimpleSheet::changeEvent(QEvent* event)
{
    Touch::SceneWindow::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange)
        d->layoutHeader();
}

void SimpleSheet::styleChanged()
{
    Touch::SceneWindow::styleChanged();
    d->header->update();
    d->viewport->updateIndicator();
    update();
}

} // namespace Velin
