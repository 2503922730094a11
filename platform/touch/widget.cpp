#include "touch/widget.h"

#include "touch/theme.h"

#include <QGraphicsLayout>
#include <QPainter>
#include <QWidget>

namespace Touch {

class WidgetPrivate
{
public:
    explicit WidgetPrivate(Widget* q) : q(q) {}

    QString effectiveStyleName() const { return styleName.isEmpty() ? defaultStyleName : styleName; }

    // Inversion is inherited: when it may have changed for a subtree, drop the
    // cached values below root and restyle the widgets whose value did change.
    static void refreshInversion(QGraphicsItem* root)
    {
        const QList<QGraphicsItem*> children = root->childItems();
        for (QGraphicsItem* child : children) {
            if (child->isWidget()) {
                if (Widget* w = qobject_cast<Widget*>(static_cast<QGraphicsWidget*>(child))) {
                    const int before = w->d->inverted;
                    w->d->inverted = -1;
                    if (before != -1 && before != int(w->isInverted())) {
                        w->d->styleValid = false;
                        w->styleChanged();
                    }
                }
            }
            refreshInversion(child);
        }
    }

    Widget* const q;
    QString styleName;
    QString viewType;
    QString defaultStyleName = QStringLiteral("Widget");
    mutable int inverted = -1;          // -1: not known yet
    mutable bool styleValid = false;
    mutable ThemeStyle style;
};

Widget::Widget(QGraphicsItem* parent)
    : QGraphicsWidget(parent)
    , d(new WidgetPrivate(this))
{
}

Widget::~Widget()
{
    delete d;
}

QString Widget::styleName() const
{
    return d->styleName;
}

void Widget::setStyleName(const QString& styleName)
{
    if (d->styleName == styleName)
        return;
    const bool inversionMayChange = d->styleName == QLatin1String("Inverted")
        || styleName == QLatin1String("Inverted");
    d->styleName = styleName;
    d->styleValid = false;
    if (inversionMayChange) {
        d->inverted = -1;
        WidgetPrivate::refreshInversion(this);
    }
    styleChanged();
    Q_EMIT styleNameChanged(styleName);
}

Widget::ViewType Widget::viewType() const
{
    return d->viewType;
}

void Widget::setViewType(const ViewType& viewType)
{
    if (d->viewType == viewType)
        return;
    d->viewType = viewType;
    styleChanged();
    Q_EMIT viewTypeChanged(viewType);
}

void Widget::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    paintBackground(painter, rect());
}

void Widget::styleChanged()
{
    updateGeometry();
    update();
}

QSizeF Widget::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    const ThemeStyle& s = themeStyle();
    if (layout()) {
        QSizeF sh = QGraphicsWidget::sizeHint(which, constraint);
        if (s.fixedHeight >= 0 && which != Qt::MinimumDescent)
            sh.setHeight(s.fixedHeight);
        else if (which == Qt::MinimumSize || which == Qt::PreferredSize)
            sh.setHeight(qMax(sh.height(), s.minimumHeight));
        return sh;
    }
    const qreal padW = s.padding.left() + s.padding.right();
    const qreal padH = s.padding.top() + s.padding.bottom();
    const qreal height = s.fixedHeight >= 0 ? s.fixedHeight : qMax(s.minimumHeight, padH);
    switch (which) {
    case Qt::MinimumSize:
        return QSizeF(padW, height);
    case Qt::PreferredSize:
        return QSizeF(padW, height);
    case Qt::MaximumSize:
        return QSizeF(QWIDGETSIZE_MAX, s.fixedHeight >= 0 ? s.fixedHeight : QWIDGETSIZE_MAX);
    default:
        return QSizeF(-1, -1);
    }
}

QVariant Widget::itemChange(GraphicsItemChange change, const QVariant& value)
{
    if (change == ItemParentHasChanged) {
        const int before = d->inverted;
        d->inverted = -1;
        if (before != -1 && before != int(isInverted())) {
            d->styleValid = false;
            styleChanged();
        }
        WidgetPrivate::refreshInversion(this);
    }
    return QGraphicsWidget::itemChange(change, value);
}

void Widget::setDefaultStyleName(const QString& styleName)
{
    if (d->defaultStyleName == styleName)
        return;
    d->defaultStyleName = styleName;
    d->styleValid = false;
    // Meant for constructors: nothing virtual on a half-built subclass.
}

const ThemeStyle& Widget::themeStyle() const
{
    if (!d->styleValid) {
        d->style = Theme::instance()->style(d->effectiveStyleName(), isInverted());
        d->styleValid = true;
    }
    return d->style;
}

bool Widget::isInverted() const
{
    if (d->inverted < 0)
        d->inverted = Theme::isInverted(this) ? 1 : 0;
    return d->inverted == 1;
}

void Widget::paintBackground(QPainter* painter, const QRectF& r) const
{
    const ThemeStyle& s = themeStyle();
    const bool fill = s.background.isValid() && s.background.alpha() > 0;
    const bool frame = s.frame.isValid() && s.frame.alpha() > 0;
    if (!fill && !frame)
        return;
    painter->save();
    if (s.radius > 0)
        painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(frame ? QPen(s.frame, 1) : QPen(Qt::NoPen));
    painter->setBrush(fill ? QBrush(s.background) : QBrush(Qt::NoBrush));
    const QRectF box = frame ? r.adjusted(0.5, 0.5, -0.5, -0.5) : r;
    if (s.radius > 0)
        painter->drawRoundedRect(box, s.radius, s.radius);
    else
        painter->drawRect(box);
    painter->restore();
}

} // namespace Touch
