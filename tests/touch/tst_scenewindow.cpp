#include "touchtesthelpers.h"

#include "touch/applicationwindow.h"
#include "touch/button.h"
#include "touch/scenewindow.h"

#include <QGraphicsScene>
#include <QScopedPointer>

using Touch::ApplicationWindow;
using Touch::SceneWindow;

Q_DECLARE_METATYPE(SceneWindow::DeletionPolicy)

class TstSceneWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsDisappeared();
    void appearSequence();
    void fillsTheWindowAndFollowsItsSize();
    void stacking();
    void disappearSequence();
    void disappearAgainReemits();
    void disappearAgainWithDeleteLaterNeverLeaks();
    void deletionPolicies_data();
    void deletionPolicies();
    void systemwideAboveOrdinary();
    void activeWindowAndInstance();
    void deletingAnAppearedWindow();
    void deletingTheApplicationWindow();
    void sceneWindowCoversTheOnesBelow();

private:
    QScopedPointer<ApplicationWindow> m_window;
};

void TstSceneWindow::init()
{
    m_window.reset(new ApplicationWindow);
    QVERIFY(TouchTest::showActive(m_window.data()));
}

void TstSceneWindow::cleanup()
{
    m_window.reset();
}

void TstSceneWindow::startsDisappeared()
{
    SceneWindow window;
    QCOMPARE(window.sceneWindowState(), SceneWindow::Disappeared);
    QCOMPARE(window.applicationWindow(), nullptr);
    QCOMPARE(window.deletionPolicy(), SceneWindow::KeepWhenDone);
    QCOMPARE(m_window->size(), QSize(480, 800));   // a portrait handset
}

void TstSceneWindow::appearSequence()
{
    auto* window = new SceneWindow;
    QSignalSpy appearing(window, &SceneWindow::appearing);
    QSignalSpy appeared(window, &SceneWindow::appeared);
    QSignalSpy states(window, &SceneWindow::sceneWindowStateChanged);

    window->appear(m_window.data());
    QCOMPARE(window->sceneWindowState(), SceneWindow::Appearing);
    QCOMPARE(appearing.count(), 1);
    QCOMPARE(appeared.count(), 0);   // only once back in the event loop
    QCOMPARE(window->applicationWindow(), m_window.data());
    QCOMPARE(window->scene(), m_window->scene());

    QVERIFY(appeared.wait(1000));
    QCOMPARE(window->sceneWindowState(), SceneWindow::Appeared);
    QCOMPARE(window->property("sceneWindowState").toInt(), int(SceneWindow::Appeared));
    QCOMPARE(states.count(), 2);
    QCOMPARE(appeared.count(), 1);

    window->appear(m_window.data());   // already there: no second round
    QTest::qWait(20);
    QCOMPARE(appearing.count(), 1);
    QCOMPARE(appeared.count(), 1);
}

void TstSceneWindow::fillsTheWindowAndFollowsItsSize()
{
    auto* window = new SceneWindow;
    window->appear(m_window.data());
    QCOMPARE(window->geometry(), QRectF(QPointF(0, 0), m_window->viewport()->size()));
    m_window->resize(800, 480);
    QTRY_COMPARE(window->size(), QSizeF(m_window->viewport()->size()));
    QCOMPARE(m_window->scene()->sceneRect(), QRectF(QPointF(0, 0), m_window->viewport()->size()));
    QCOMPARE(m_window->overlayLayer()->size(), window->size());
}

void TstSceneWindow::stacking()
{
    auto* first = new SceneWindow;
    auto* second = new SceneWindow;
    first->appear(m_window.data());
    second->appear(m_window.data());
    QCOMPARE(m_window->sceneWindows(), (QList<SceneWindow*>{first, second}));
    QCOMPARE(m_window->currentSceneWindow(), second);
    QVERIFY(second->zValue() > first->zValue());
    QVERIFY(m_window->overlayLayer()->zValue() > second->parentItem()->zValue());

    first->appear(m_window.data());   // brought back on top
    QCOMPARE(m_window->currentSceneWindow(), first);
    QCOMPARE(m_window->sceneWindowCount(), 2);
}

void TstSceneWindow::disappearSequence()
{
    auto* window = new SceneWindow;
    window->appear(m_window.data());
    QTRY_COMPARE(window->sceneWindowState(), SceneWindow::Appeared);

    QSignalSpy disappearing(window, &SceneWindow::disappearing);
    QSignalSpy disappeared(window, &SceneWindow::disappeared);
    window->disappear();
    QCOMPARE(window->sceneWindowState(), SceneWindow::Disappearing);
    QCOMPARE(disappearing.count(), 1);
    QCOMPARE(disappeared.count(), 0);
    QVERIFY(disappeared.wait(1000));
    QCOMPARE(window->sceneWindowState(), SceneWindow::Disappeared);
    QCOMPARE(window->scene(), nullptr);   // off the scene
    QVERIFY(m_window->sceneWindows().isEmpty());
    QCOMPARE(m_window->currentSceneWindow(), nullptr);
    delete window;
}

void TstSceneWindow::disappearAgainReemits()
{
    SceneWindow window;
    QSignalSpy disappeared(&window, &SceneWindow::disappeared);
    QSignalSpy disappearing(&window, &SceneWindow::disappearing);
    window.disappear();
    QCOMPARE(disappeared.count(), 0);   // queued, like the first time
    QVERIFY(disappeared.wait(1000));
    QCOMPARE(disappeared.count(), 1);
    QCOMPARE(disappearing.count(), 0);
    window.disappear();
    QVERIFY(disappeared.wait(1000));
    QCOMPARE(disappeared.count(), 2);
    QCOMPARE(window.sceneWindowState(), SceneWindow::Disappeared);
}

void TstSceneWindow::disappearAgainWithDeleteLaterNeverLeaks()
{
    QPointer<SceneWindow> window = new SceneWindow;
    window->appear(m_window.data());
    window->disappear();
    QTRY_COMPARE(window->sceneWindowState(), SceneWindow::Disappeared);
    // Disposing of a window that is already gone.
    connect(window.data(), &SceneWindow::disappeared, window.data(), &QObject::deleteLater);
    window->disappear();
    QTRY_VERIFY(!window);
}

void TstSceneWindow::deletionPolicies_data()
{
    QTest::addColumn<SceneWindow::DeletionPolicy>("policy");
    QTest::addColumn<bool>("dismiss");
    QTest::addColumn<bool>("deleted");

    QTest::newRow("keep, disappear") << SceneWindow::KeepWhenDone << false << false;
    QTest::newRow("keep, dismiss") << SceneWindow::KeepWhenDone << true << false;
    QTest::newRow("destroy when done, disappear") << SceneWindow::DestroyWhenDone << false << true;
    QTest::newRow("destroy when done, dismiss") << SceneWindow::DestroyWhenDone << true << true;
    QTest::newRow("destroy when dismissed, disappear") << SceneWindow::DestroyWhenDismissed << false << false;
    QTest::newRow("destroy when dismissed, dismiss") << SceneWindow::DestroyWhenDismissed << true << true;
}

void TstSceneWindow::deletionPolicies()
{
    QFETCH(SceneWindow::DeletionPolicy, policy);
    QFETCH(bool, dismiss);
    QFETCH(bool, deleted);

    QPointer<SceneWindow> window = new SceneWindow;
    window->appear(m_window.data(), policy);
    QCOMPARE(window->deletionPolicy(), policy);
    QTRY_COMPARE(window->sceneWindowState(), SceneWindow::Appeared);
    QSignalSpy disappeared(window.data(), &SceneWindow::disappeared);
    if (dismiss)
        window->dismiss();
    else
        window->disappear();
    QTRY_COMPARE(disappeared.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(window.isNull(), deleted);
    delete window.data();
}

void TstSceneWindow::systemwideAboveOrdinary()
{
    auto* system = new SceneWindow;
    system->appearSystemwide();
    QCOMPARE(system->applicationWindow(), m_window.data());   // instance() is the newest window
    auto* ordinary = new SceneWindow;
    ordinary->appear(m_window.data());   // later, but still below
    QCOMPARE(m_window->sceneWindows(), (QList<SceneWindow*>{ordinary, system}));
    QCOMPARE(m_window->currentSceneWindow(), system);
    QVERIFY(system->parentItem()->zValue() > ordinary->parentItem()->zValue());
    QVERIFY(m_window->overlayLayer()->zValue() > system->parentItem()->zValue());
}

void TstSceneWindow::activeWindowAndInstance()
{
    QCOMPARE(ApplicationWindow::activeWindow(), m_window.data());
    QCOMPARE(ApplicationWindow::instance(), m_window.data());
    {
        ApplicationWindow newer;
        QCOMPARE(ApplicationWindow::activeWindow(), &newer);
    }
    QCOMPARE(ApplicationWindow::activeWindow(), m_window.data());
    m_window.reset();
    QCOMPARE(ApplicationWindow::activeWindow(), nullptr);
    ApplicationWindow* made = ApplicationWindow::instance();   // one is made and shown
    QVERIFY(made);
    QVERIFY(made->isVisible());
    QCOMPARE(ApplicationWindow::instance(), made);
    delete made;
}

void TstSceneWindow::deletingAnAppearedWindow()
{
    auto* a = new SceneWindow;
    auto* b = new SceneWindow;
    a->appear(m_window.data());
    b->appear(m_window.data());
    delete b;
    QCOMPARE(m_window->sceneWindows(), QList<SceneWindow*>{a});
    QCOMPARE(m_window->currentSceneWindow(), a);
}

void TstSceneWindow::deletingTheApplicationWindow()
{
    QPointer<SceneWindow> shown = new SceneWindow;
    shown->appear(m_window.data());
    SceneWindow kept;   // disappeared: not on the scene, the caller's
    kept.appear(m_window.data());
    kept.disappear();
    QTRY_COMPARE(kept.sceneWindowState(), SceneWindow::Disappeared);
    m_window.reset();
    QVERIFY(!shown);   // the scene took it along
    QCOMPARE(kept.applicationWindow(), nullptr);
}

void TstSceneWindow::sceneWindowCoversTheOnesBelow()
{
    auto* button = new Touch::Button(QStringLiteral("below"));
    Touch::SceneWindow* below = TouchTest::appearSheet(m_window.data(), {button});
    QSignalSpy clicked(button, &Touch::Button::clicked);
    TouchTest::tap(m_window.data(), button);
    QCOMPARE(clicked.count(), 1);

    auto* above = new SceneWindow;
    above->appear(m_window.data());
    QCOMPARE(m_window->itemAt(TouchTest::viewPos(m_window.data(), button)), static_cast<QGraphicsItem*>(above));
    TouchTest::tap(m_window.data(), button);
    QCOMPARE(clicked.count(), 1);   // the tap went to the window on top
    QVERIFY(below->isVisible());
}

QTEST_MAIN(TstSceneWindow)
#include "tst_scenewindow.moc"
