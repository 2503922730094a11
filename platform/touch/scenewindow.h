#pragma once

#include "touch/widget.h"

namespace Touch {

class ApplicationWindow;
class SceneWindowPrivate;

// A full-window page of an application window.  States change in two steps:
// appear() makes it Appearing at once and Appeared when control returns to
// the event loop; disappear() likewise goes Disappearing, then Disappeared
// (off the scene, disappeared() emitted).
class VELINTOUCH_EXPORT SceneWindow : public Widget
{
    Q_OBJECT
    Q_PROPERTY(SceneWindowState sceneWindowState READ sceneWindowState NOTIFY sceneWindowStateChanged)
    Q_PROPERTY(DeletionPolicy deletionPolicy READ deletionPolicy WRITE setDeletionPolicy)

public:
    enum DeletionPolicy { KeepWhenDone = 0, DestroyWhenDone = 1, DestroyWhenDismissed = 2 };
    Q_ENUM(DeletionPolicy)
    enum SceneWindowState { Appearing = 0, Appeared = 1, Disappearing = 2, Disappeared = 3 };
    Q_ENUM(SceneWindowState)

    explicit SceneWindow(QGraphicsItem* parent = nullptr);
    ~SceneWindow() override;

    SceneWindowState sceneWindowState() const;
    DeletionPolicy deletionPolicy() const;
    void setDeletionPolicy(DeletionPolicy policy);

    // The window it is (or was last) shown on.
    ApplicationWindow* applicationWindow() const;

    // Onto window (or ApplicationWindow::instance()), above its windows.
    virtual void appear(ApplicationWindow* window = nullptr, DeletionPolicy policy = KeepWhenDone);
    // Above every ordinary scene window, on ApplicationWindow::instance().
    virtual void appearSystemwide(DeletionPolicy policy = KeepWhenDone);
    // On an already Disappeared window, emits disappeared() again (queued),
    // so that code disposing of it through that signal never leaks it.
    virtual void disappear();
    // Like disappear(); DestroyWhenDismissed (or DestroyWhenDone) deletes later.
    virtual void dismiss();

Q_SIGNALS:
    void appearing();
    void appeared();
    void disappearing();
    void disappeared();
    void sceneWindowStateChanged(Touch::SceneWindow::SceneWindowState state);

protected:
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;

private:
    friend class SceneWindowPrivate;
    friend class ApplicationWindow;
    SceneWindowPrivate* const d;
};

} // namespace Touch
