#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QScopedPointer>
#include <QSize>
#include <QString>

class QGraphicsItem;
class QGraphicsScene;
class QGraphicsWidget;

namespace Touch {
class ApplicationWindow;
class SceneWindow;
class TextEdit;
}

class WindowFixturePrivate;

// An offscreen application window, shown and active, for driving widgets
// through real input: mouse presses and key presses go to the view and reach
// the items the way a user's would.  Scene windows appear on it (it is the
// newest window, so ApplicationWindow::instance() and activeWindow() give it).
class WindowFixture
{
public:
    explicit WindowFixture(const QSize& size = QSize(480, 800));
    ~WindowFixture();

    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;

    Touch::ApplicationWindow* window() const;
    QGraphicsScene* scene() const;

    // A page on the window stacking the widgets top to bottom (it takes
    // them), shown at once and destroyed when it is done.
    Touch::SceneWindow* showOnPage(const QList<QGraphicsWidget*>& widgets);

    // The top-most visible widget with that object name (below root, when
    // given), or null.
    QGraphicsWidget* findWidget(const QString& objectName, const QGraphicsItem* root = nullptr) const;
    template <typename T>
    T* find(const QString& objectName, const QGraphicsItem* root = nullptr) const
    {
        return qobject_cast<T*>(findWidget(objectName, root));
    }
    // All widgets with that object name, visible or not, top-most first.
    QList<QGraphicsWidget*> findWidgets(const QString& objectName) const;

    // Where a point of an item is on the view.
    QPoint viewPosition(const QGraphicsItem* item) const; // its centre
    QPoint viewPosition(const QGraphicsItem* item, const QPointF& itemPos) const;

    // The item that a press at the item's point would reach: the top-most
    // visible item there that takes the left button (null for none).
    QGraphicsItem* itemReceivingPress(const QPoint& viewPos) const;

    // A left press and release on the view at the item's centre (or point).
    // Returns false, with a warning, when the point is off the view or
    // another item would take the press; the click is made anyway.
    bool click(const QGraphicsItem* item);
    bool click(const QGraphicsItem* item, const QPointF& itemPos);
    void clickAt(const QPoint& viewPos);
    // Press at from, move in steps, release at to.
    void drag(const QPoint& from, const QPoint& to, int steps = 8);
    // A vertical mouse-wheel turn at the point; 120 is one notch away from the user.
    void wheel(const QPoint& viewPos, int angleDelta);

    // Clicks the field to focus it (setFocus() when the click did not give
    // focus) and types text as key presses on the view.  False when the
    // field could not get focus.
    bool typeText(Touch::TextEdit* edit, const QString& text);
    void keyClick(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // The whole window as rendered now.
    QImage grab();
    // Writes grab() to <dir>/<name>.png, dir being $VELIN_SCREENSHOT_DIR or
    // <temp>/velin-screenshots.  Returns the path, empty on failure.
    QString savePng(const QString& name);

private:
    QScopedPointer<WindowFixturePrivate> d;
};
