#pragma once

#include <QList>
#include <QPointer>
#include <QString>

class QGraphicsWidget;

namespace Touch {
class Layout;
class LinearLayoutPolicy;
class Widget;
}

namespace Velin {

// What EasyWlanSheet and EasyWlanDialog keep in common: the SSID and the
// vertical stack of configuration widgets.
class EasyWlanContent
{
public:
    explicit EasyWlanContent(const QString& ssid);

    bool isBuilt() const;
    // The panel stacking widgets top to bottom, wrapped so that a sheet or a
    // dialog can take it as one widget (which the caller then owns).
    QGraphicsWidget* build(const QList<Touch::Widget*>& widgets);
    void append(QGraphicsWidget* widget);
    // Out of the layout and destroyed; nothing when not built.
    void remove(QGraphicsWidget* widget);

    const QString ssid;

private:
    // Owned by the panel; valid while it lives.
    QPointer<QGraphicsWidget> panel;
    Touch::Layout* layout = nullptr;
    Touch::LinearLayoutPolicy* policy = nullptr;
};

} // namespace Velin
