#pragma once

#include "touch/touchglobal.h"

#include <QGraphicsWidget>
#include <QString>

namespace Touch {

struct ThemeStyle;
class WidgetPrivate;

// Base of every toolkit widget: carries a style name (looked up in the Theme)
// and a view type, paints the style's background and frame, and sizes itself
// from the style when it has no layout.  A bare Widget with a style name is
// also used as a spacer ("CommonSpacer") or a plain panel.
class VELINTOUCH_EXPORT Widget : public QGraphicsWidget
{
    Q_OBJECT
    Q_PROPERTY(QString styleName READ styleName WRITE setStyleName NOTIFY styleNameChanged)
    Q_PROPERTY(QString viewType READ viewType WRITE setViewType NOTIFY viewTypeChanged)

public:
    typedef QString ViewType;

    explicit Widget(QGraphicsItem* parent = nullptr);
    ~Widget() override;

    QString styleName() const;
    void setStyleName(const QString& styleName);

    ViewType viewType() const;
    void setViewType(const ViewType& viewType);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

Q_SIGNALS:
    void styleNameChanged(const QString& styleName);
    void viewTypeChanged(const QString& viewType);

protected:
    // Called after the style name, the view type or the inversion inherited
    // from an ancestor changed.  Overrides should call the base version.
    virtual void styleChanged();

    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

    // Style used when styleName() is empty (each subclass has its own look).
    // For constructors: does not call styleChanged().
    void setDefaultStyleName(const QString& styleName);
    // The theme style in effect for this widget, inversion included (cached).
    const ThemeStyle& themeStyle() const;
    // True when this widget or an ancestor is styled "Inverted" (cached).
    bool isInverted() const;
    // Paints the style's background and frame into rect.
    void paintBackground(QPainter* painter, const QRectF& rect) const;

private:
    friend class WidgetPrivate;
    WidgetPrivate* const d;
};

} // namespace Touch
