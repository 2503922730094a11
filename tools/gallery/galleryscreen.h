#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace Touch {
class ApplicationWindow;
class SceneWindow;
} // namespace Touch

// One screen of the gallery: something that appears on a window and can be
// photographed.  Files of screens register themselves with a
// GalleryRegistration, so that adding a screen needs no change elsewhere.
struct GalleryScreen
{
    int order = 0;           // position in the tour
    QString name;            // file name of its PNG, without number
    QString title;           // shown in the gallery's menu
    std::function<Touch::SceneWindow *(Touch::ApplicationWindow *)> show;
};

QList<GalleryScreen> galleryScreens();  // sorted by order

struct GalleryRegistration
{
    explicit GalleryRegistration(const GalleryScreen &screen);
};

class QGraphicsWidget;
namespace Velin {
class SimpleSheet;
}

// A plain (light) sheet titled for the gallery, showing content, with only a
// "Back" action; appeared on window.
Velin::SimpleSheet *galleryPage(const QString &title, QGraphicsWidget *content, Touch::ApplicationWindow *window);
