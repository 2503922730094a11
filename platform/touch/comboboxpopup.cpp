#include "comboboxpopup_p.h"

#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"

#include <QGraphicsSceneMouseEvent>
#include <QGraphicsSceneWheelEvent>
#include <QKeyEvent>

namespace Touch {

namespace {

// Widgets whose look comes from a style that callers cannot pick by name.
class StyledWidget : public Widget
{
public:
    StyledWidget(const QString& style, QGraphicsItem* parent)
        : Widget(parent)
    {
        setDefaultStyleName(style);
    }
};

const qreal kMaxCardWidth = 448;
const qreal kMargin = 24;

} // namespace

ComboBoxPopup::ComboBoxPopup(ComboBox* comboBox, QGraphicsItem* parent)
    : Widget(parent)
    , m_comboBox(comboBox)
{
    setObjectName(QStringLiteral("ComboBoxPopup"));
    setDefaultStyleName(QStringLiteral("ComboBoxPopup"));
    setFlag(ItemIsFocusable);
    setFocusPolicy(Qt::StrongFocus);

    m_card = new StyledWidget(QStringLiteral("ComboBoxPopupCard"), this);
    m_card->setObjectName(QStringLiteral("ComboBoxPopupCard"));
    m_title = new Label(QString(), m_card);
    m_title->setStyleName(QStringLiteral("ComboBoxPopupTitle"));
    m_title->setWordWrap(true);

    // Rows live in a clipping viewport so long lists scroll inside the card.
    m_viewport = new QGraphicsWidget(m_card);
    m_viewport->setFlag(ItemClipsChildrenToShape);
    m_list = new StyledWidget(QStringLiteral("Widget"), m_viewport);
    new LinearLayoutPolicy(new Layout(m_list), Qt::Vertical);
    rebuild();
}

void ComboBoxPopup::rebuild()
{
    m_title->setText(m_comboBox->title());
    m_title->setVisible(!m_comboBox->title().isEmpty());
    auto* policy = static_cast<Layout*>(m_list->layout())->policy();
    const int count = m_comboBox->count();
    while (m_rows.size() > count)
        static_cast<Layout*>(m_list->layout())->deleteItem(m_rows.takeLast());
    for (int row = 0; row < count; ++row) {
        Button* button = nullptr;
        if (row < m_rows.size()) {
            button = m_rows.at(row);
        } else {
            button = new Button;
            button->setObjectName(QStringLiteral("ComboBoxPopupRow"));
            button->setStyleName(QStringLiteral("ComboBoxPopupRow"));
            button->setCheckable(true);
            button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
            policy->addItem(button);
            m_rows.append(button);
            connect(button, &Button::clicked, this, [this, button] {
                const int picked = m_rows.indexOf(button);
                if (picked >= 0)
                    Q_EMIT rowPicked(picked);
            });
        }
        button->setText(m_comboBox->itemText(row));
        button->setProperty("row", row);
        // The current row shows checked; setChecked never emits clicked().
        const QSignalBlocker blocker(button);
        button->setChecked(row == m_comboBox->currentIndex());
    }
    placeCard();
}

void ComboBoxPopup::placeCard()
{
    const QRectF area = rect();
    if (area.isEmpty())
        return;
    const qreal width = qMin(kMaxCardWidth, qMax<qreal>(area.width() - 2 * kMargin, 120));
    const QMarginsF pad(0, 8, 0, 8);
    const qreal titleH = m_title->isVisible()
        ? m_title->effectiveSizeHint(Qt::PreferredSize, QSizeF(width, -1)).height() : 0;
    const qreal listH = m_list->effectiveSizeHint(Qt::PreferredSize, QSizeF(width, -1)).height();
    const qreal maxH = qMax<qreal>(area.height() - 2 * kMargin, 64);
    const qreal cardH = qMin(maxH, titleH + listH + pad.top() + pad.bottom());
    m_card->setGeometry(QRectF(area.center().x() - width / 2, area.center().y() - cardH / 2, width, cardH));
    m_title->setGeometry(QRectF(0, pad.top(), width, titleH));
    const qreal viewportH = cardH - titleH - pad.top() - pad.bottom();
    m_viewport->setGeometry(QRectF(0, pad.top() + titleH, width, viewportH));
    m_list->resize(width, listH);
    m_offset = qBound<qreal>(0, m_offset, qMax<qreal>(0, listH - viewportH));
    m_list->setPos(0, -m_offset);
}

void ComboBoxPopup::scrollBy(qreal dy)
{
    m_offset += dy;
    placeCard();
}

void ComboBoxPopup::resizeEvent(QGraphicsSceneResizeEvent* event)
{
    Widget::resizeEvent(event);
    placeCard();
}

void ComboBoxPopup::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    // Modal: every press is ours; only one outside the card dismisses.
    m_pressOutside = !m_card->geometry().contains(event->pos());
    event->accept();
}

void ComboBoxPopup::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    if (m_pressOutside && !m_card->geometry().contains(event->pos()))
        Q_EMIT dismissed();
    m_pressOutside = false;
}

void ComboBoxPopup::wheelEvent(QGraphicsSceneWheelEvent* event)
{
    scrollBy(-event->delta() / 2.0);
    event->accept();
}

void ComboBoxPopup::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Back) {
        Q_EMIT dismissed();
        event->accept();
        return;
    }
    Widget::keyPressEvent(event);
}

} // namespace Touch
