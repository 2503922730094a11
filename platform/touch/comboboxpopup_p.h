#pragma once

#include "touch/widget.h"

#include <QList>

namespace Touch {

class Button;
class ComboBox;
class Label;

// The full-window list a combo box picks from: a dimmed backdrop with a card
// holding the title and one tappable row per model row.  A tap outside the
// card closes it without a pick.
class ComboBoxPopup : public Widget
{
    Q_OBJECT

public:
    ComboBoxPopup(ComboBox* comboBox, QGraphicsItem* parent);

    // Re-reads the rows from the combo box (its model may have changed).
    void rebuild();
    QList<Button*> rows() const { return m_rows; }

Q_SIGNALS:
    void rowPicked(int row);
    void dismissed();

protected:
    void resizeEvent(QGraphicsSceneResizeEvent* event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void wheelEvent(QGraphicsSceneWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeCard();
    void scrollBy(qreal dy);

    ComboBox* m_comboBox;
    Widget* m_card;
    Label* m_title;
    QGraphicsWidget* m_viewport;
    Widget* m_list;
    QList<Button*> m_rows;
    qreal m_offset = 0;
    bool m_pressOutside = false;
};

} // namespace Touch
