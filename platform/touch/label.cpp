#include "touch/label.h"

#include "touch/theme.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStaticText>
#include <QStyle>
#include <QTextOption>
#include <QWidget>

namespace Touch {

class LabelPrivate
{
public:
    QString text;
    bool wordWrap = false;
    bool alignmentSet = false;
    Qt::Alignment alignment;

    // Laid-out text, kept between paints; rebuilt when text, style or width change.
    QStaticText staticText;
    qreal preparedWidth = -1;
    bool prepared = false;

    // Last height-for-width answer (layouts ask the same width repeatedly).
    mutable qreal hfwWidth = -1;
    mutable qreal hfwHeight = 0;

    void invalidate()
    {
        prepared = false;
        hfwWidth = -1;
    }
};

namespace {

QString displayable(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return t;
}

} // namespace

Label::Label(const QString& text, QGraphicsItem* parent)
    : Widget(parent)
    , d(new LabelPrivate)
{
    d->text = text;
    setDefaultStyleName(QStringLiteral("Label"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

Label::~Label()
{
    delete d;
}

QString Label::text() const
{
    return d->text;
}

void Label::setText(const QString& text)
{
    if (d->text == text)
        return;
    d->text = text;
    d->invalidate();
    updateGeometry();
    update();
    Q_EMIT textChanged(text);
}

bool Label::wordWrap() const
{
    return d->wordWrap;
}

void Label::setWordWrap(bool wrap)
{
    if (d->wordWrap == wrap)
        return;
    d->wordWrap = wrap;
    // A wrapped label must be free to grow: QGraphicsWidget clamps geometry to
    // the maximum size it reports without a width constraint.
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(wrap);
    policy.setVerticalPolicy(wrap ? QSizePolicy::Preferred : QSizePolicy::Fixed);
    setSizePolicy(policy);
    d->invalidate();
    updateGeometry();
    update();
}

Qt::Alignment Label::alignment() const
{
    return d->alignmentSet ? d->alignment : themeStyle().alignment;
}

void Label::setAlignment(Qt::Alignment alignment)
{
    if (d->alignmentSet && d->alignment == alignment)
        return;
    d->alignmentSet = true;
    d->alignment = alignment;
    d->invalidate();
    update();
}

void Label::styleChanged()
{
    d->invalidate();
    Widget::styleChanged();
}

void Label::changeEvent(QEvent* event)
{
    // The prepared text carries the (mirrored) alignment and the font.
    if (event->type() == QEvent::LayoutDirectionChange || event->type() == QEvent::FontChange)
        d->invalidate();
    Widget::changeEvent(event);
}

QSizeF Label::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    if (which == Qt::MaximumSize || which == Qt::MinimumDescent)
        return Widget::sizeHint(which, constraint);
    const ThemeStyle& s = themeStyle();
    const QFontMetricsF fm(s.font);
    const qreal padW = s.padding.left() + s.padding.right();
    const qreal padH = s.padding.top() + s.padding.bottom();
    const QString text = displayable(d->text);
    const qreal lineHeight = fm.height();

    qreal textW = 0;
    qreal textH = lineHeight;
    if (!text.isEmpty()) {
        const QRectF natural = fm.boundingRect(QRectF(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), 0, text);
        textW = natural.width();
        textH = qMax(lineHeight, natural.height());
    }

    if (d->wordWrap && constraint.width() > 0) {
        const qreal avail = qMax<qreal>(1, constraint.width() - padW);
        if (d->hfwWidth != avail) {
            d->hfwWidth = avail;
            d->hfwHeight = text.isEmpty() ? lineHeight
                : fm.boundingRect(QRectF(0, 0, avail, QWIDGETSIZE_MAX), Qt::TextWordWrap, text).height();
        }
        textH = qMax(lineHeight, d->hfwHeight);
        textW = qMin(textW, avail);
    }

    qreal width = textW + padW;
    if (which == Qt::MinimumSize) {
        // Wrapped text can get narrow; unwrapped text elides down to a few letters.
        width = padW + qMin(textW, fm.horizontalAdvance(QStringLiteral("MMM")));
        if (d->wordWrap && constraint.width() <= 0)
            textH = lineHeight;
    }
    const qreal height = s.fixedHeight >= 0 ? s.fixedHeight : qMax(s.minimumHeight, textH + padH);
    return QSizeF(width, height);
}

void Label::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Widget::paint(painter, option, widget);
    if (d->text.isEmpty())
        return;
    const ThemeStyle& s = themeStyle();
    const QRectF area = rect().marginsRemoved(s.padding);
    if (area.width() <= 0 || area.height() <= 0)
        return;

    const Qt::Alignment align = QStyle::visualAlignment(QGraphicsWidget::layoutDirection(), alignment());

    if (!d->prepared || d->preparedWidth != area.width()) {
        const QFontMetricsF fm(s.font);
        QString text = displayable(d->text);
        if (!d->wordWrap && !text.contains(QChar::LineSeparator))
            text = fm.elidedText(text, Qt::ElideRight, area.width());
        QTextOption option(align & Qt::AlignHorizontal_Mask);
        option.setWrapMode(d->wordWrap ? QTextOption::WordWrap : QTextOption::NoWrap);
        d->staticText.setText(text);
        d->staticText.setTextFormat(Qt::PlainText);
        d->staticText.setTextOption(option);
        d->staticText.setTextWidth(area.width());
        d->staticText.prepare(QTransform(), s.font);
        d->preparedWidth = area.width();
        d->prepared = true;
    }

    const QSizeF size = d->staticText.size();
    qreal y = area.top();
    if (align & Qt::AlignVCenter)
        y = area.top() + (area.height() - size.height()) / 2;
    else if (align & Qt::AlignBottom)
        y = area.bottom() - size.height();

    painter->save();
    painter->setFont(s.font);
    painter->setPen(s.foreground);
    painter->setClipRect(rect(), Qt::IntersectClip);
    painter->drawStaticText(QPointF(area.left(), y), d->staticText);
    painter->restore();
}

} // namespace Touch
