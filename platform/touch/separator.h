#pragma once

#include "touch/widget.h"

namespace Touch {

// A thin line across (horizontal) or down (vertical) its row.
class VELINTOUCH_EXPORT Separator : public Widget
{
    Q_OBJECT
    Q_PROPERTY(Qt::Orientation orientation READ orientation WRITE setOrientation)

public:
    explicit Separator(QGraphicsItem* parent = nullptr, Qt::Orientation orientation = Qt::Horizontal);
    ~Separator() override;

    Qt::Orientation orientation() const;
    void setOrientation(Qt::Orientation orientation);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

protected:
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;

private:
    void updateSizePolicy();
    Qt::Orientation m_orientation;
};

} // namespace Touch
