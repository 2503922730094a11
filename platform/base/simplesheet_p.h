#pragma once

#include "touch/button.h"
#include "touch/widget.h"

#include <QGraphicsLayout>
#include <QPointer>

class QEventLoop;
class QGraphicsPathItem;

namespace Touch {
class ProgressBar;
}

namespace Velin {

class SimpleSheet;

// Colours of the sheet chrome, light or dark.
struct SheetPalette
{
    QColor background;
    QColor headerBackground;
    QColor headerLine;
    QColor text;
    QColor secondaryText;
    QColor accent;
    QColor accentText;
    QColor disabled;
    QColor disabledText;

    static SheetPalette forItem(const QGraphicsItem* item);
};

// A header button: a touch-sized hit area with a pill drawn inside it.  The
// primary (accept) one is filled with the accent colour; disabled it is grey.
class SheetHeaderButton : public Touch::Button
{
    Q_OBJECT

public:
    SheetHeaderButton(bool primary, QGraphicsItem* parent);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

protected:
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;

private:
    bool m_primary;
};

// The bar at the top: background, hairline and the centred, elided title.
class SheetHeader : public Touch::Widget
{
    Q_OBJECT

public:
    explicit SheetHeader(QGraphicsItem* parent);

    void setTitle(const QString& title);
    QString title() const { return m_title; }
    // Where the title (and the spinner before it, when reserve > 0) go.
    void setTitleArea(const QRectF& area, qreal spinnerReserve);
    void groupGeometry(QRectF* textRect, QRectF* spinnerRect) const;

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

private:
    QString m_title;
    QRectF m_titleArea;
    qreal m_spinnerReserve = 0;
};

// Holds the content in the viewport: full width, its preferred height
// (or the viewport's when it expands vertically), moved up by the pan offset.
class SheetScrollLayout : public QGraphicsLayout
{
public:
    explicit SheetScrollLayout(QGraphicsLayoutItem* parent);
    ~SheetScrollLayout() override;

    void setContent(QGraphicsLayoutItem* item);
    QGraphicsLayoutItem* content() const { return m_item; }

    qreal offset() const { return m_offset; }
    qreal maximumOffset() const;
    // Clamped into [0, maximumOffset()].
    void setOffset(qreal offset);
    qreal contentHeight() const { return m_contentHeight; }

    int count() const override;
    QGraphicsLayoutItem* itemAt(int index) const override;
    void removeAt(int index) override;
    void setGeometry(const QRectF& rect) override;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;

private:
    void place();

    QGraphicsLayoutItem* m_item = nullptr;
    qreal m_offset = 0;
    qreal m_contentHeight = 0;
    QRectF m_area;
};

// Clips the content and pans it: mouse wheel, or a drag that starts anywhere
// on the content (the pressed child loses the press once the drag begins).
class SheetViewport : public QGraphicsWidget
{
    Q_OBJECT

public:
    explicit SheetViewport(QGraphicsItem* parent);
    ~SheetViewport() override;

    SheetScrollLayout* scrollLayout() const { return m_layout; }
    void panBy(qreal dy);
    // Pans so that rect (in viewport coordinates) is visible.
    void ensureVisible(const QRectF& rect);
    void updateIndicator();

    void setGeometry(const QRectF& rect) override;

protected:
    bool event(QEvent* event) override;
    bool sceneEventFilter(QGraphicsItem* watched, QEvent* event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void wheelEvent(QGraphicsSceneWheelEvent* event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private:
    void trackPress(const QPointF& scenePos);
    bool trackMove(const QPointF& scenePos);
    void onFocusItemChanged(QGraphicsItem* newFocus);

    SheetScrollLayout* m_layout;
    QGraphicsPathItem* m_indicator = nullptr;
    QMetaObject::Connection m_focusConnection;
    QPointF m_pressScenePos;
    qreal m_pressOffset = 0;
    bool m_tracking = false;
    bool m_panning = false;
};

class SimpleSheetPrivate
{
public:
    explicit SimpleSheetPrivate(SimpleSheet* q);

    void layoutHeader();
    // The controls keyboard focus goes through: the content's, top to
    // bottom, then the header's accept and cancel actions.
    QList<QGraphicsWidget*> focusChain() const;
    void focusFirstControl();

    SimpleSheet* const q;
    SheetHeader* header = nullptr;
    SheetHeaderButton* rejectButton = nullptr;
    SheetHeaderButton* acceptButton = nullptr;
    Touch::ProgressBar* progress = nullptr;
    SheetViewport* viewport = nullptr;
    QPointer<QGraphicsWidget> content;
    QEventLoop* loop = nullptr;
    bool execDone = false;
    bool progressVisible = false;
    bool accepted = false;
    bool rejected = false;
};

} // namespace Velin
