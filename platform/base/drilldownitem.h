#pragma once

#include "base/baseglobal.h"
#include "touch/widget.h"

namespace Velin {

class DrillDownItemPrivate;

//! A row that leads to another page: its title and a chevron; tap to go.
class VELINBASE_EXPORT DrillDownItem : public Touch::Widget
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(bool down READ isDown)

public:
    explicit DrillDownItem(const QString& title = QString(), QGraphicsItem* parent = nullptr);
    ~DrillDownItem() override;

    QString title() const;
    void setTitle(const QString& title);

    //! True while a press is held on the row.
    bool isDown() const;

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

public Q_SLOTS:
    void click();

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void ungrabMouseEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class DrillDownItemPrivate;
    DrillDownItemPrivate* const d;
};

} // namespace Velin
