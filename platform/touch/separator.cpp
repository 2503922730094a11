#include "touch/separator.h"

#include "touch/theme.h"

#include <QPainter>
#include <QWidget>

namespace Touch {

Separator::Separator(QGraphicsItem* parent, Qt::Orientation orientation)
    : Widget(parent)
    , m_orientation(orientation)
{
    setDefaultStyleName(QStringLiteral("Separator"));
    updateSizePolicy();
}

Separator::~Separator() = default;

Qt::Orientation Separator::orientation() const
{
    return m_orientation;
}

void Separator::setOrientation(Qt::Orientation orientation)
{
    if (m_orientation == orientation)
        return;
    m_orientation = orientation;
    updateSizePolicy();
    updateGeometry();
    update();
}

void Separator::updateSizePolicy()
{
    if (m_orientation == Qt::Horizontal)
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    else
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSizeF Separator::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    const ThemeStyle& s = themeStyle();
    // The line's thickness comes from the style's fixed height (1-2 px).
    const qreal thickness = s.fixedHeight > 0 ? s.fixedHeight : 1;
    if (which == Qt::MinimumDescent)
        return QSizeF(-1, -1);
    if (m_orientation == Qt::Horizontal) {
        if (which == Qt::MaximumSize)
            return QSizeF(QWIDGETSIZE_MAX, thickness);
        return QSizeF(which == Qt::MinimumSize ? 0 : 16, thickness);
    }
    Q_UNUSED(constraint)
    if (which == Qt::MaximumSize)
        return QSizeF(thickness, QWIDGETSIZE_MAX);
    return QSizeF(thickness, which == Qt::MinimumSize ? 0 : 16);
}

void Separator::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const ThemeStyle& s = themeStyle();
    QRectF line = rect();
    if (m_orientation == Qt::Horizontal)
        line.adjust(s.padding.left(), 0, -s.padding.right(), 0);
    else
        line.adjust(0, s.padding.top(), 0, -s.padding.bottom());
    painter->fillRect(line, s.foreground);
}

} // namespace Touch
