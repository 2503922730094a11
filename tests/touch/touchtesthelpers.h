#pragma once

// Small helpers shared by the touch suites: a shown, active application
// window and real input through its view.

#include "touch/applicationwindow.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/scenewindow.h"

#include <QApplication>
#include <QGraphicsWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace TouchTest {

// Runs the layout requests that Qt posts, so geometry is current.
inline void settleLayouts()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

// Shows the window and waits until it is exposed and active (keys go to it).
inline bool showActive(Touch::ApplicationWindow* window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// A sheet with a vertical policy holding widgets, appeared on window.
inline Touch::SceneWindow* appearSheet(Touch::ApplicationWindow* window, const QList<QGraphicsWidget*>& widgets)
{
    auto* sheet = new Touch::SceneWindow;
    auto* policy = new Touch::LinearLayoutPolicy(new Touch::Layout(sheet), Qt::Vertical);
    for (QGraphicsWidget* w : widgets)
        policy->addItem(w);
    QSignalSpy appeared(sheet, &Touch::SceneWindow::appeared);
    sheet->appear(window);
    if (sheet->sceneWindowState() != Touch::SceneWindow::Appeared)
        appeared.wait(2000);
    settleLayouts();
    return sheet;
}

// The view position of an item's point (its centre by default).
inline QPoint viewPos(Touch::ApplicationWindow* window, const QGraphicsItem* item, QPointF itemPos = QPointF(-1, -1))
{
    if (itemPos == QPointF(-1, -1))
        itemPos = item->boundingRect().center();
    return window->mapFromScene(item->mapToScene(itemPos));
}

// Key presses on the view, one per character; characters without a key
// of their own arrive as text, the way an input method would send them.
inline void typeText(Touch::ApplicationWindow* window, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(window->viewport(), c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, window->viewport(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void tap(Touch::ApplicationWindow* window, const QGraphicsItem* item, QPointF itemPos = QPointF(-1, -1))
{
    QTest::mouseClick(window->viewport(), Qt::LeftButton, Qt::NoModifier, viewPos(window, item, itemPos));
}

} // namespace TouchTest
