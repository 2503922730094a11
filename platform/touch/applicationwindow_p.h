#pragma once

#include <QList>
#include <QPointer>

class QGraphicsScene;
class QGraphicsWidget;

namespace Touch {

class ApplicationWindow;
class SceneWindow;

class ApplicationWindowPrivate
{
public:
    explicit ApplicationWindowPrivate(ApplicationWindow* q) : q(q) {}

    void add(SceneWindow* window, bool systemwide);
    void remove(SceneWindow* window);
    void layoutLayers();
    QList<SceneWindow*> live() const;

    ApplicationWindow* const q;
    QGraphicsScene* scene = nullptr;
    QGraphicsWidget* sceneLayer = nullptr;     // ordinary scene windows
    QGraphicsWidget* systemLayer = nullptr;    // system-wide scene windows
    QGraphicsWidget* overlay = nullptr;        // banners, popups
    QList<QPointer<SceneWindow>> windows;      // in stacking order within a layer
    qreal nextZ = 1;
};

} // namespace Touch
