#pragma once

#include "touch/touchglobal.h"

#include <QGraphicsView>
#include <QImage>
#include <QList>

class QGraphicsWidget;

namespace Touch {

class ApplicationWindowPrivate;
class SceneWindow;

// The window that scene windows show in: a view on a scene it owns, 480x800
// by default; the scene rect follows the view and scene windows fill it.
class VELINTOUCH_EXPORT ApplicationWindow : public QGraphicsView
{
    Q_OBJECT
    Q_PROPERTY(int sceneWindowCount READ sceneWindowCount NOTIFY sceneWindowsChanged)

public:
    explicit ApplicationWindow(QWidget* parent = nullptr);
    ~ApplicationWindow() override;

    // The most recently created window still alive, or null.
    static ApplicationWindow* activeWindow();
    // activeWindow(), or a new one (shown, kept for the process).
    static ApplicationWindow* instance();

    // Scene windows on this window (appearing or appeared), bottom to top.
    QList<SceneWindow*> sceneWindows() const;
    int sceneWindowCount() const;
    // The top-most of them, or null.
    SceneWindow* currentSceneWindow() const;

    // Above every scene window, system-wide ones included: banners, popups.
    QGraphicsWidget* overlayLayer() const;

    // Renders the whole window (pending layouts done first); works offscreen.
    QImage grabImage();

Q_SIGNALS:
    void sceneWindowsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class SceneWindow;
    friend class SceneWindowPrivate;
    friend class ApplicationWindowPrivate;
    ApplicationWindowPrivate* const d;
};

} // namespace Touch
