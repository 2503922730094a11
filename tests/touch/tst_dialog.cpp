#include "touchtesthelpers.h"

#include "touch/button.h"
#include "touch/dialog.h"
#include "touch/label.h"
#include "touch/textedit.h"

#include <QScopedPointer>
#include <QTimer>

using Touch::Dialog;

class TstDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void execReturnsResult_data();
    void execReturnsResult();
    void finishSignals_data();
    void finishSignals();
    void standardButtons();
    void buttonTextsAreIds_data();
    void buttonTextsAreIds();
    void centralWidgetIsOwned();
    void nestedExec();
    void doneBeforeTheLoopRuns();
    void coveredFieldLosesFocus();
    void deletedWhileRunning();
    void paintedAsCardOnDimmedWindow();

private:
    QScopedPointer<Touch::ApplicationWindow> m_window;
};

void TstDialog::init()
{
    m_window.reset(new Touch::ApplicationWindow);
    QVERIFY(TouchTest::showActive(m_window.data()));
}

void TstDialog::cleanup()
{
    m_window.reset();
}

void TstDialog::execReturnsResult_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("clicked");

    QTest::newRow("accept()") << "accept" << int(Dialog::Accepted) << int(Dialog::NoStandardButton);
    QTest::newRow("reject()") << "reject" << int(Dialog::Rejected) << int(Dialog::NoStandardButton);
    QTest::newRow("done(Ok)") << "done" << int(Dialog::Ok) << int(Dialog::NoStandardButton);
    QTest::newRow("tap Ok") << "tap Ok" << int(Dialog::Accepted) << int(Dialog::Ok);
    QTest::newRow("tap Cancel") << "tap Cancel" << int(Dialog::Rejected) << int(Dialog::Cancel);
    QTest::newRow("tap Retry") << "tap Retry" << int(Dialog::Retry) << int(Dialog::Retry);
}

void TstDialog::execReturnsResult()
{
    QFETCH(QString, action);
    QFETCH(int, expected);
    QFETCH(int, clicked);

    QCOMPARE(int(Dialog::Ok), 1024);
    Dialog dialog(QStringLiteral("Connect?"), Dialog::Ok | Dialog::Cancel | Dialog::Retry);
    // Act once the dialog is on screen, from inside exec()'s loop.
    connect(&dialog, &Dialog::appeared, this, [&] {
        TouchTest::settleLayouts();
        if (action == QLatin1String("accept"))
            dialog.accept();
        else if (action == QLatin1String("reject"))
            dialog.reject();
        else if (action == QLatin1String("done"))
            dialog.done(Dialog::Ok);
        else if (action == QLatin1String("tap Ok"))
            TouchTest::tap(m_window.data(), dialog.button(Dialog::Ok));
        else if (action == QLatin1String("tap Cancel"))
            TouchTest::tap(m_window.data(), dialog.button(Dialog::Cancel));
        else if (action == QLatin1String("tap Retry"))
            TouchTest::tap(m_window.data(), dialog.button(Dialog::Retry));
    });
    QTimer failsafe;
    connect(&failsafe, &QTimer::timeout, &dialog, [&] { dialog.done(-77); });
    failsafe.start(5000);

    const int result = dialog.exec(m_window.data());
    QCOMPARE(result, expected);
    QCOMPARE(dialog.result(), expected);
    QCOMPARE(int(dialog.clickedButton()), clicked);
    QTRY_COMPARE(dialog.sceneWindowState(), Touch::SceneWindow::Disappeared);
    QVERIFY(m_window->sceneWindows().isEmpty());
}

void TstDialog::finishSignals_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<int>("rejected");

    QTest::newRow("accepted") << int(Dialog::Accepted) << 1 << 0;
    QTest::newRow("rejected") << int(Dialog::Rejected) << 0 << 1;
    QTest::newRow("other") << 42 << 0 << 0;
}

void TstDialog::finishSignals()
{
    QFETCH(int, result);
    QFETCH(int, accepted);
    QFETCH(int, rejected);

    Dialog dialog;
    QSignalSpy acceptedSpy(&dialog, &Dialog::accepted);
    QSignalSpy rejectedSpy(&dialog, &Dialog::rejected);
    QSignalSpy finishedSpy(&dialog, &Dialog::finished);
    dialog.appear(m_window.data());
    dialog.done(result);
    QCOMPARE(finishedSpy.count(), 1);
    QCOMPARE(finishedSpy.first().first().toInt(), result);
    QCOMPARE(acceptedSpy.count(), accepted);
    QCOMPARE(rejectedSpy.count(), rejected);
    QCOMPARE(dialog.property("result").toInt(), result);
    QCOMPARE(dialog.sceneWindowState(), Touch::SceneWindow::Disappearing);
}

void TstDialog::standardButtons()
{
    Dialog dialog(QStringLiteral("Title"), Dialog::Ok);
    QCOMPARE(dialog.title(), QStringLiteral("Title"));
    QCOMPARE(dialog.standardButtons(), Dialog::StandardButtons(Dialog::Ok));
    QVERIFY(dialog.button(Dialog::Ok));
    QCOMPARE(dialog.button(Dialog::Cancel), nullptr);

    Touch::Button* cancel = dialog.addButton(Dialog::Cancel);
    QVERIFY(cancel);
    QCOMPARE(dialog.addButton(Dialog::Cancel), cancel);   // one per kind
    QCOMPARE(dialog.standardButtons(), Dialog::Ok | Dialog::Cancel);

    dialog.removeButton(Dialog::Ok);
    QCOMPARE(dialog.button(Dialog::Ok), nullptr);
    QCOMPARE(dialog.standardButtons(), Dialog::StandardButtons(Dialog::Cancel));

    dialog.setStandardButtons(Dialog::Yes | Dialog::No);
    QVERIFY(dialog.button(Dialog::Yes));
    QVERIFY(dialog.button(Dialog::No));
    QCOMPARE(dialog.button(Dialog::Cancel), nullptr);

    // Help does nothing but remember the click.
    Touch::Button* help = dialog.addButton(Dialog::Help);
    dialog.appear(m_window.data());
    QSignalSpy finished(&dialog, &Dialog::finished);
    help->click();
    QCOMPARE(dialog.clickedButton(), Dialog::Help);
    QCOMPARE(finished.count(), 0);
    dialog.button(Dialog::No)->click();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dialog.result(), int(Dialog::Rejected));
}

void TstDialog::buttonTextsAreIds_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");

    // Tests run without a translator: a translated text equals its id.
    QTest::newRow("ok") << int(Dialog::Ok) << "qtn_comm_ok";
    QTest::newRow("cancel") << int(Dialog::Cancel) << "qtn_comm_cancel";
    QTest::newRow("yes") << int(Dialog::Yes) << "Yes";
    QTest::newRow("close") << int(Dialog::Close) << "Close";
}

void TstDialog::buttonTextsAreIds()
{
    QFETCH(int, button);
    QFETCH(QString, text);
    Dialog dialog;
    QCOMPARE(dialog.addButton(Dialog::StandardButton(button))->text(), text);
}

void TstDialog::centralWidgetIsOwned()
{
    Dialog dialog;
    QPointer<Touch::Label> first = new Touch::Label(QStringLiteral("first"));
    dialog.setCentralWidget(first);
    QCOMPARE(dialog.centralWidget(), first.data());
    QVERIFY(dialog.isAncestorOf(first));
    auto* second = new Touch::Label(QStringLiteral("second"));
    dialog.setCentralWidget(second);
    QVERIFY(!first);   // the old one is deleted
    QCOMPARE(dialog.centralWidget(), second);
    QVERIFY(dialog.isAncestorOf(second));
}

void TstDialog::nestedExec()
{
    Dialog outer(QStringLiteral("outer"), Dialog::Ok);
    Dialog inner(QStringLiteral("inner"), Dialog::Ok);
    int innerResult = -1;
    connect(&outer, &Dialog::appeared, this, [&] {
        connect(&inner, &Dialog::appeared, &inner, [&] { inner.done(7); });
        innerResult = inner.exec(m_window.data());
        outer.done(9);
    });
    QCOMPARE(outer.exec(m_window.data()), 9);
    QCOMPARE(innerResult, 7);
}

void TstDialog::doneBeforeTheLoopRuns()
{
    Dialog dialog;
    connect(&dialog, &Dialog::appearing, &dialog, [&dialog] { dialog.done(5); });
    QTimer failsafe;
    connect(&failsafe, &QTimer::timeout, &dialog, [&] { dialog.done(-1); });
    failsafe.start(3000);
    QCOMPARE(dialog.exec(m_window.data()), 5);   // no loop left waiting for a done() that came early
}

void TstDialog::coveredFieldLosesFocus()
{
    auto* field = new Touch::TextEdit;
    TouchTest::appearSheet(m_window.data(), {field});
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    Dialog dialog(QStringLiteral("On top"), Dialog::Ok);
    dialog.appear(m_window.data());
    QVERIFY(!field->hasFocus());
    QTest::keyClicks(m_window->viewport(), QStringLiteral("abc"));
    QCOMPARE(field->text(), QString());   // keys do not reach the covered field
}

void TstDialog::deletedWhileRunning()
{
    auto* dialog = new Dialog(QStringLiteral("going away"));
    QTimer::singleShot(0, dialog, [dialog] { delete dialog; });
    dialog->exec(m_window.data());   // returns, does not touch the dead dialog
    QTRY_VERIFY(m_window->sceneWindows().isEmpty());
}

void TstDialog::paintedAsCardOnDimmedWindow()
{
    auto* sheetLabel = new Touch::Label(QStringLiteral("Underneath"));
    TouchTest::appearSheet(m_window.data(), {sheetLabel});
    const QImage before = m_window->grabImage();

    Dialog dialog(QStringLiteral("Title"), Dialog::Ok);
    dialog.setCentralWidget(new Touch::Label(QStringLiteral("Body")));
    dialog.appear(m_window.data());
    QTRY_COMPARE(dialog.sceneWindowState(), Touch::SceneWindow::Appeared);
    const QImage after = m_window->grabImage();

    // The corner is dimmed; the card in the middle is lighter than the dimmed rest.
    const QColor cornerBefore = before.pixelColor(4, 4);
    const QColor cornerAfter = after.pixelColor(4, 4);
    QVERIFY(cornerAfter.lightness() < cornerBefore.lightness());
    QGraphicsWidget* card = dialog.button(Dialog::Ok)->parentWidget()->parentWidget();
    QCOMPARE(card->objectName(), QStringLiteral("DialogCard"));
    const QPoint inCard = m_window->mapFromScene(card->mapToScene(QPointF(4, card->size().height() / 2)));
    QVERIFY(after.pixelColor(inCard).lightness() > cornerAfter.lightness());
    // Centred horizontally.
    const QRectF cardRect = card->mapRectToScene(card->rect());
    QVERIFY(qAbs(cardRect.center().x() - m_window->viewport()->width() / 2.0) < 1);
}

QTEST_MAIN(TstDialog)
#include "tst_dialog.moc"
