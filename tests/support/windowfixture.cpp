#include "windowfixture.h"

#include "touch/applicationwindow.h"
#include "touch/scenewindow.h"
#include "touch/textedit.h"

#include <QApplication>
#include <QDir>
#include <QGraphicsLinearLayout>
#include <QGraphicsScene>
#include <QGraphicsWidget>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPointer>
#include <QtTest>

class WindowFixturePrivate
{
public:
    QPointer<Touch::ApplicationWindow> window;

    void sendMouse(QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QWidget* viewport = window->viewport();
        QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
};

WindowFixture::WindowFixture(const QSize& size)
    : d(new WindowFixturePrivate)
{
    d->window = new Touch::ApplicationWindow;
    d->window->resize(size);
    d->window->show();
    if (!QTest::qWaitForWindowExposed(d->window))
        qWarning("WindowFixture: the window was not exposed");
    QApplication::setActiveWindow(d->window);
    d->window->activateWindow();
    d->window->setFocus(Qt::ActiveWindowFocusReason);
    if (!QTest::qWaitForWindowActive(d->window))
        qWarning("WindowFixture: the window did not become active; key input may not arrive");
}

WindowFixture::~WindowFixture()
{
    delete d->window.data();
}

Touch::ApplicationWindow* WindowFixture::window() const
{
    return d->window;
}

QGraphicsScene* WindowFixture::scene() const
{
    return d->window ? d->window->scene() : nullptr;
}

QList<QGraphicsWidget*> WindowFixture::findWidgets(const QString& objectName) const
{
    QList<QGraphicsWidget*> result;
    if (!scene())
        return result;
    const QList<QGraphicsItem*> items = scene()->items(Qt::DescendingOrder);
    for (QGraphicsItem* item : items) {
        if (!item->isWidget())
            continue;
        auto widget = static_cast<QGraphicsWidget*>(item);
        if (widget->objectName() == objectName)
            result.append(widget);
    }
    return result;
}

QGraphicsWidget* WindowFixture::findWidget(const QString& objectName, const QGraphicsItem* root) const
{
    const QList<QGraphicsWidget*> widgets = findWidgets(objectName);
    for (QGraphicsWidget* widget : widgets) {
        if (!widget->isVisible())
            continue;
        if (root && widget != root && !root->isAncestorOf(widget))
            continue;
        return widget;
    }
    return nullptr;
}

QPoint WindowFixture::viewPosition(const QGraphicsItem* item) const
{
    return viewPosition(item, item->boundingRect().center());
}

QPoint WindowFixture::viewPosition(const QGraphicsItem* item, const QPointF& itemPos) const
{
    return d->window->mapFromScene(item->mapToScene(itemPos));
}

QGraphicsItem* WindowFixture::itemReceivingPress(const QPoint& viewPos) const
{
    const QList<QGraphicsItem*> items = d->window->items(viewPos);
    for (QGraphicsItem* item : items) {
        if (item->isVisible() && (item->acceptedMouseButtons() & Qt::LeftButton))
            return item;
    }
    return nullptr;
}

bool WindowFixture::click(const QGraphicsItem* item)
{
    return click(item, item->boundingRect().center());
}

bool WindowFixture::click(const QGraphicsItem* item, const QPointF& itemPos)
{
    const QPoint pos = viewPosition(item, itemPos);
    bool reachable = d->window->viewport()->rect().contains(pos);
    if (!reachable) {
        qWarning("WindowFixture::click: point (%d, %d) is off the view", pos.x(), pos.y());
    } else {
        // The press goes to the item, to one of its children, or (when the
        // item takes no presses itself) on to the ancestor that handles them.
        QGraphicsItem* target = itemReceivingPress(pos);
        reachable = target
            && (target == item || item->isAncestorOf(target)
                || (target->isAncestorOf(item) && !(item->acceptedMouseButtons() & Qt::LeftButton)));
        if (!reachable) {
            const QGraphicsObject* object = target ? target->toGraphicsObject() : nullptr;
            qWarning("WindowFixture::click: another item takes the press: %s \"%s\"",
                     object ? object->metaObject()->className() : "none",
                     object ? qPrintable(object->objectName()) : "");
        }
    }
    clickAt(pos);
    return reachable;
}

void WindowFixture::clickAt(const QPoint& viewPos)
{
    QTest::mousePress(d->window->viewport(), Qt::LeftButton, Qt::NoModifier, viewPos);
    QTest::mouseRelease(d->window->viewport(), Qt::LeftButton, Qt::NoModifier, viewPos);
}

void WindowFixture::drag(const QPoint& from, const QPoint& to, int steps)
{
    steps = qMax(1, steps);
    d->sendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + (to - from) * i / steps;
        d->sendMouse(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    }
    d->sendMouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void WindowFixture::wheel(const QPoint& viewPos, int angleDelta)
{
    QWidget* viewport = d->window->viewport();
    QWheelEvent event(QPointF(viewPos), QPointF(viewport->mapToGlobal(viewPos)), QPoint(), QPoint(0, angleDelta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
}

bool WindowFixture::typeText(Touch::TextEdit* edit, const QString& text)
{
    if (!edit)
        return false;
    if (!edit->hasFocus()) {
        click(edit);
        if (!edit->hasFocus())
            edit->setFocus(Qt::MouseFocusReason);
    }
    if (!edit->hasFocus()) {
        qWarning("WindowFixture::typeText: the field did not get focus");
        return false;
    }
    QTest::keyClicks(d->window, text);
    return true;
}

void WindowFixture::keyClick(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(d->window, Qt::Key(key), modifiers);
}

QImage WindowFixture::grab()
{
    return d->window->grabImage();
}

QString WindowFixture::savePng(const QString& name)
{
    QString dir = qEnvironmentVariable("VELIN_SCREENSHOT_DIR");
    if (dir.isEmpty())
        dir = QDir::temp().filePath(QStringLiteral("velin-screenshots"));
    if (!QDir().mkpath(dir)) {
        qWarning("WindowFixture::savePng: cannot create %s", qPrintable(dir));
        return QString();
    }
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    if (!grab().save(path, "PNG")) {
        qWarning("WindowFixture::savePng: cannot write %s", qPrintable(path));
        return QString();
    }
    return path;
}

Touch::SceneWindow* WindowFixture::showOnPage(const QList<QGraphicsWidget*>& widgets)
{
    auto page = new Touch::SceneWindow;
    auto layout = new QGraphicsLinearLayout(Qt::Vertical, page);
    for (QGraphicsWidget* widget : widgets)
        layout->addItem(widget);
    layout->addStretch();
    page->appear(window(), Touch::SceneWindow::DestroyWhenDone);
    return page;
}
