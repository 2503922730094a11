#pragma once

#include "base/baseglobal.h"
#include "touch/widget.h"

namespace Velin {

class ConnectionListItemPrivate;

/*!
 * A connection row: the type icon on the leading side, the label (and an
 * optional subtitle under it), the security icon on the trailing side.
 * Emits clicked() on a tap while it accepts the left mouse button; after
 * setAcceptedMouseButtons(Qt::NoButton) it is display only.
 */
class VELINBASE_EXPORT ConnectionListItem : public Touch::Widget
{
    Q_OBJECT
    Q_PROPERTY(QString label READ label WRITE setLabel)
    Q_PROPERTY(QString subtitle READ subtitle WRITE setSubtitle)
    Q_PROPERTY(QString typeImageName READ typeImageName WRITE setTypeImageName)
    Q_PROPERTY(QString securityImageName READ securityImageName WRITE setSecurityImageName)
    Q_PROPERTY(bool down READ isDown)

public:
    //! \a style is the item's style name, e.g. "ImageCellSecurity".
    explicit ConnectionListItem(const QString& style = QString(), QGraphicsItem* parent = nullptr);
    ~ConnectionListItem() override;

    QString label() const;
    void setLabel(const QString& label);

    //! Second line; empty hides it.
    QString subtitle() const;
    void setSubtitle(const QString& subtitle);

    //! Theme icon ids; an empty id hides the icon.
    QString typeImageName() const;
    void setTypeImageName(const QString& iconId);
    QString securityImageName() const;
    void setSecurityImageName(const QString& iconId);

    bool isDown() const;

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void ungrabMouseEvent(QEvent* event) override;

private:
    friend class ConnectionListItemPrivate;
    ConnectionListItemPrivate* const d;
};

} // namespace Velin
