#include "touch/button.h"

#include "touch/theme.h"

#include <QFontMetricsF>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>

namespace Touch {

class ButtonPrivate
{
public:
    QString text;
    QString iconId;
    bool checkable = false;
    bool checked = false;
    bool down = false;
    bool pressInside = false;

    // Text width is asked for on every layout pass; measure once per text/style.
    mutable qreal textWidth = -1;
};

namespace {

const QSizeF kSwitchSize(72, 40);
const qreal kCheckboxSize = 36;
const qreal kInlineIcon = 32;
const qreal kIconOnly = 48;

bool isType(const QString& viewType, const char* type)
{
    return viewType == QLatin1String(type);
}

} // namespace

Button::Button(const QString& text, QGraphicsItem* parent)
    : Widget(parent)
    , d(new ButtonPrivate)
{
    d->text = text;
    setDefaultStyleName(QStringLiteral("Button"));
    // Tab focus only: a tap must not take keyboard focus away from a text field.
    setFocusPolicy(Qt::TabFocus);
    setAcceptedMouseButtons(Qt::LeftButton);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

Button::~Button()
{
    delete d;
}

QString Button::text() const
{
    return d->text;
}

void Button::setText(const QString& text)
{
    if (d->text == text)
        return;
    d->text = text;
    d->textWidth = -1;
    updateGeometry();
    update();
    Q_EMIT textChanged(text);
}

bool Button::isCheckable() const
{
    return d->checkable;
}

void Button::setCheckable(bool checkable)
{
    if (d->checkable == checkable)
        return;
    d->checkable = checkable;
    if (!checkable && d->checked) {
        d->checked = false;
        update();
        Q_EMIT toggled(false);
    }
}

bool Button::isChecked() const
{
    return d->checked;
}

void Button::setChecked(bool checked)
{
    if (checked && !d->checkable) {
        qWarning("Touch::Button::setChecked: button \"%s\" is not checkable", qPrintable(objectName()));
        return;
    }
    if (d->checked == checked)
        return;
    d->checked = checked;
    update();
    Q_EMIT toggled(checked);
}

QString Button::iconID() const
{
    return d->iconId;
}

void Button::setIconID(const QString& iconId)
{
    if (d->iconId == iconId)
        return;
    d->iconId = iconId;
    updateGeometry();
    update();
}

bool Button::isDown() const
{
    return d->down;
}

void Button::click()
{
    if (!isEnabled())
        return;
    // A slot may delete the button (a dialog closing itself): check before going on.
    QPointer<Button> self(this);
    if (d->checkable) {
        d->checked = !d->checked;
        update();
        Q_EMIT toggled(d->checked);
        if (!self)
            return;
    }
    Q_EMIT clicked();
}

void Button::styleChanged()
{
    d->textWidth = -1;
    Widget::styleChanged();
}

QSizeF Button::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    if (which == Qt::MaximumSize || which == Qt::MinimumDescent || layout())
        return Widget::sizeHint(which, constraint);
    const ThemeStyle& s = themeStyle();
    const QString type = viewType();
    const qreal padW = s.padding.left() + s.padding.right();
    const qreal padH = s.padding.top() + s.padding.bottom();
    if (d->textWidth < 0)
        d->textWidth = d->text.isEmpty() ? 0 : QFontMetricsF(s.font).horizontalAdvance(d->text);
    const qreal textH = QFontMetricsF(s.font).height();

    qreal w = 0;
    qreal h = 0;
    if (isType(type, IconType)) {
        w = kIconOnly;
        h = kIconOnly;
        return QSizeF(w + padW, h + padH);
    } else if (isType(type, SwitchType)) {
        w = kSwitchSize.width() + (d->textWidth > 0 ? d->textWidth + 16 : 0);
        h = qMax(kSwitchSize.height(), textH);
    } else if (isType(type, CheckboxType)) {
        w = kCheckboxSize + (d->textWidth > 0 ? d->textWidth + 16 : 0);
        h = qMax(kCheckboxSize, textH);
    } else {
        w = d->textWidth + (d->iconId.isEmpty() ? 0 : kInlineIcon + (d->textWidth > 0 ? 12 : 0));
        h = qMax(textH, d->iconId.isEmpty() ? 0 : kInlineIcon);
        if (which == Qt::PreferredSize)
            w = qMax(w, 96.0);   // a comfortable tap target even for "OK"
    }
    const qreal height = s.fixedHeight >= 0 ? s.fixedHeight : qMax(s.minimumHeight, h + padH);
    if (which == Qt::MinimumSize)
        return QSizeF(qMin(w, 48.0) + padW, height);
    return QSizeF(w + padW, height);
}

void Button::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const ThemeStyle& s = themeStyle();
    const QString type = viewType();
    const QRectF area = rect().marginsRemoved(s.padding);
    const Qt::LayoutDirection dir = QGraphicsWidget::layoutDirection();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter->setOpacity(0.4);
    painter->setFont(s.font);

    if (isType(type, IconType)) {
        if (d->down) {
            QColor c = s.accent;
            c.setAlpha(60);
            painter->setPen(Qt::NoPen);
            painter->setBrush(c);
            painter->drawEllipse(rect().center(), rect().height() / 2, rect().height() / 2);
        }
        const qreal side = qMin(area.width(), area.height());
        const QRectF iconRect(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
        const QString id = d->iconId.isEmpty() ? QStringLiteral("icon-m-common-generic") : d->iconId;
        painter->drawPixmap(iconRect.topLeft(), Theme::instance()->pixmap(id, iconRect.size().toSize()));
        painter->restore();
        return;
    }

    if (isType(type, SwitchType) || isType(type, CheckboxType)) {
        const bool isSwitch = isType(type, SwitchType);
        const QSizeF box = isSwitch ? kSwitchSize : QSizeF(kCheckboxSize, kCheckboxSize);
        // The control sits at the trailing edge for a switch, the leading edge for a check box.
        const bool atRight = isSwitch == (dir == Qt::LeftToRight);
        const qreal x = atRight ? area.right() - box.width() : area.left();
        const QRectF control(x, area.center().y() - box.height() / 2, box.width(), box.height());
        const QColor off = s.frame.isValid() ? s.frame : s.secondary;
        if (isSwitch) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(d->checked ? s.accent : off);
            painter->drawRoundedRect(control, box.height() / 2, box.height() / 2);
            const qreal knob = box.height() - 8;
            const bool knobRight = d->checked == (dir == Qt::LeftToRight);
            const QPointF c(knobRight ? control.right() - 4 - knob / 2 : control.left() + 4 + knob / 2,
                            control.center().y());
            painter->setBrush(d->down ? QColor(0xdd, 0xdd, 0xdd) : QColor(Qt::white));
            painter->drawEllipse(c, knob / 2, knob / 2);
        } else {
            painter->setPen(QPen(d->checked ? s.accent : off, 2));
            painter->setBrush(d->checked ? s.accent : QColor(Qt::transparent));
            painter->drawRoundedRect(control.adjusted(1, 1, -1, -1), 6, 6);
            if (d->checked) {
                painter->setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                const QPointF c = control.center();
                const QPointF pts[3] = {c + QPointF(-9, 0), c + QPointF(-3, 7), c + QPointF(10, -8)};
                painter->drawPolyline(pts, 3);
            }
        }
        if (!d->text.isEmpty()) {
            QRectF textRect = area;
            if (atRight)
                textRect.setRight(control.left() - 16);
            else
                textRect.setLeft(control.right() + 16);
            painter->setPen(s.foreground);
            painter->drawText(textRect, QStyle::visualAlignment(dir, Qt::AlignLeft | Qt::AlignVCenter),
                              QFontMetricsF(s.font).elidedText(d->text, Qt::ElideRight, textRect.width()));
        }
        painter->restore();
        return;
    }

    // Push button (default and toggle): a checked button shows in the accent colour.
    const bool highlighted = d->checked || d->down;
    QColor bg = s.background;
    QColor fg = s.foreground;
    if (d->checked) {
        bg = s.accent;
        fg = Qt::white;
    }
    if (d->down)
        bg = bg.isValid() ? bg.darker(125) : s.accent.lighter(160);
    const QRectF box = rect().adjusted(0.5, 0.5, -0.5, -0.5);
    painter->setPen(s.frame.isValid() && !highlighted ? QPen(s.frame, 1) : QPen(Qt::NoPen));
    painter->setBrush(bg.isValid() ? QBrush(bg) : QBrush(Qt::NoBrush));
    painter->drawRoundedRect(box, s.radius, s.radius);
    if (hasFocus()) {
        painter->setPen(QPen(s.accent, 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(box.adjusted(1, 1, -1, -1), s.radius, s.radius);
    }

    const QFontMetricsF fm(s.font);
    const qreal iconW = d->iconId.isEmpty() ? 0 : kInlineIcon;
    const qreal gap = iconW > 0 && !d->text.isEmpty() ? 12 : 0;
    const QString text = fm.elidedText(d->text, Qt::ElideRight, qMax<qreal>(0, area.width() - iconW - gap));
    const qreal contentW = iconW + gap + (text.isEmpty() ? 0 : fm.horizontalAdvance(text));
    qreal x = area.left();
    const Qt::Alignment align = QStyle::visualAlignment(dir, s.alignment);
    if (align & Qt::AlignHCenter)
        x = area.center().x() - contentW / 2;
    else if (align & Qt::AlignRight)
        x = area.right() - contentW;
    if (iconW > 0) {
        const QRectF iconRect(x, area.center().y() - iconW / 2, iconW, iconW);
        painter->drawPixmap(iconRect.topLeft(), Theme::instance()->pixmap(d->iconId, iconRect.size().toSize()));
        x += iconW + gap;
    }
    if (!text.isEmpty()) {
        painter->setPen(fg);
        painter->drawText(QRectF(x, area.top(), area.right() - x + 1, area.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    painter->restore();
}

void Button::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    d->down = true;
    d->pressInside = true;
    update();
    event->accept();
    Q_EMIT pressed();
}

void Button::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (!d->pressInside)
        return;
    const bool inside = rect().contains(event->pos());
    if (inside != d->down) {
        d->down = inside;
        update();
    }
}

void Button::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !d->pressInside)
        return;
    d->pressInside = false;
    d->down = false;
    update();
    Q_EMIT released();
    if (rect().contains(event->pos()))
        click();
}

void Button::ungrabMouseEvent(QEvent* event)
{
    // A grab lost mid-press (popup, window change) cancels the tap.
    if (d->pressInside || d->down) {
        d->pressInside = false;
        d->down = false;
        update();
    }
    Widget::ungrabMouseEvent(event);
}

void Button::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        if (!event->isAutoRepeat())
            click();
        event->accept();
        break;
    default:
        Widget::keyPressEvent(event);
    }
}

} // namespace Touch
