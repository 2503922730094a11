#include "touch/scenewindow.h"

#include "applicationwindow_p.h"
#include "touch/applicationwindow.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPointer>

namespace Touch {

class SceneWindowPrivate
{
public:
    explicit SceneWindowPrivate(SceneWindow* q) : q(q) {}

    void setState(SceneWindow::SceneWindowState s)
    {
        if (state == s)
            return;
        state = s;
        Q_EMIT q->sceneWindowStateChanged(s);
    }

    void show(ApplicationWindow* target, bool systemwide);
    void hide(bool dismissing);
    void finishAppear();
    void finishDisappear();

    SceneWindow* const q;
    SceneWindow::SceneWindowState state = SceneWindow::Disappeared;
    SceneWindow::DeletionPolicy policy = SceneWindow::KeepWhenDone;
    QPointer<ApplicationWindow> window;
    bool dismissing = false;
};

void SceneWindowPrivate::show(ApplicationWindow* target, bool systemwide)
{
    if (!target) {
        qWarning("Touch::SceneWindow::appear: no application window");
        return;
    }
    if (window && window != target)
        window->d->remove(q);
    window = target;
    target->d->add(q, systemwide);
    // Keys must not go on into a field of a window now covered.
    if (QGraphicsItem* focus = q->scene() ? q->scene()->focusItem() : nullptr) {
        if (!q->isAncestorOf(focus) && !target->overlayLayer()->isAncestorOf(focus))
            focus->clearFocus();
    }
    dismissing = false;
    if (state == SceneWindow::Appeared || state == SceneWindow::Appearing)
        return;   // already there: only raised
    setState(SceneWindow::Appearing);
    Q_EMIT q->appearing();
    // Appeared once control is back in the event loop (the window has been
    // put on screen by then).
    QMetaObject::invokeMethod(q, [this] { finishAppear(); }, Qt::QueuedConnection);
}

void SceneWindowPrivate::finishAppear()
{
    if (state != SceneWindow::Appearing)
        return;
    setState(SceneWindow::Appeared);
    Q_EMIT q->appeared();
}

void SceneWindowPrivate::hide(bool dismiss)
{
    if (state == SceneWindow::Disappeared) {
        // Re-announce so that "disappeared() -> deleteLater()" never leaks a window.
        QMetaObject::invokeMethod(q, [this] { Q_EMIT q->disappeared(); }, Qt::QueuedConnection);
        return;
    }
    dismissing = dismissing || dismiss;
    if (state == SceneWindow::Disappearing)
        return;
    setState(SceneWindow::Disappearing);
    Q_EMIT q->disappearing();
    QMetaObject::invokeMethod(q, [this] { finishDisappear(); }, Qt::QueuedConnection);
}

void SceneWindowPrivate::finishDisappear()
{
    if (state != SceneWindow::Disappearing)
        return;
    if (window)
        window->d->remove(q);
    else if (q->scene())
        q->scene()->removeItem(q);
    setState(SceneWindow::Disappeared);
    const bool destroy = policy == SceneWindow::DestroyWhenDone
        || (dismissing && policy == SceneWindow::DestroyWhenDismissed);
    dismissing = false;
    QPointer<SceneWindow> self(q);
    Q_EMIT q->disappeared();
    if (self && destroy)
        q->deleteLater();
}

SceneWindow::SceneWindow(QGraphicsItem* parent)
    : Widget(parent)
    , d(new SceneWindowPrivate(this))
{
    static const int stateType = qRegisterMetaType<SceneWindowState>("Touch::SceneWindow::SceneWindowState");
    Q_UNUSED(stateType)
    setDefaultStyleName(QStringLiteral("SceneWindow"));
    // A scene window covers the windows below it: it takes their taps too.
    setAcceptedMouseButtons(Qt::AllButtons);
}

SceneWindow::~SceneWindow()
{
    if (d->window)
        d->window->d->windows.removeAll(this);
    delete d;
}

SceneWindow::SceneWindowState SceneWindow::sceneWindowState() const
{
    return d->state;
}

SceneWindow::DeletionPolicy SceneWindow::deletionPolicy() const
{
    return d->policy;
}

void SceneWindow::setDeletionPolicy(DeletionPolicy policy)
{
    d->policy = policy;
}

ApplicationWindow* SceneWindow::applicationWindow() const
{
    return d->window;
}

void SceneWindow::appear(ApplicationWindow* window, DeletionPolicy policy)
{
    d->policy = policy;
    d->show(window ? window : ApplicationWindow::instance(), false);
}

void SceneWindow::appearSystemwide(DeletionPolicy policy)
{
    d->policy = policy;
    d->show(ApplicationWindow::instance(), true);
}

void SceneWindow::disappear()
{
    d->hide(false);
}

void SceneWindow::dismiss()
{
    d->hide(true);
}

void SceneWindow::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Widget::paint(painter, option, widget);
}

void SceneWindow::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    event->accept();
}

} // namespace Touch
