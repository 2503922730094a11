#include "windowfixture.h"

#include "base/simpleframe.h"
#include "base/simplesheet.h"
#include "touch/applicationwindow.h"
#include "touch/button.h"
#include "touch/label.h"
#include "touch/progressbar.h"
#include "touch/textedit.h"

#include <QElapsedTimer>
#include <QGraphicsLinearLayout>
#include <QGraphicsScene>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>

using Velin::SimpleSheet;

namespace {

// A content of a given height with a button at its top and a text field at its bottom.
QGraphicsWidget* tallContent(qreal height, Touch::Button** button = nullptr, Touch::TextEdit** edit = nullptr)
{
    auto content = new QGraphicsWidget;
    auto layout = new QGraphicsLinearLayout(Qt::Vertical, content);
    auto top = new Touch::Button(QStringLiteral("top"));
    top->setObjectName(QStringLiteral("TopButton"));
    layout->addItem(top);
    auto filler = new Touch::Widget;
    filler->setPreferredHeight(height);
    filler->setMinimumHeight(height);
    layout->addItem(filler);
    auto field = new Touch::TextEdit;
    field->setObjectName(QStringLiteral("BottomField"));
    layout->addItem(field);
    if (button)
        *button = top;
    if (edit)
        *edit = field;
    return content;
}

qreal luminance(QRgb rgb)
{
    return 0.299 * qRed(rgb) + 0.587 * qGreen(rgb) + 0.114 * qBlue(rgb);
}

} // namespace

class TestSimpleSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exec_data();
    void exec();
    void isRejectedFollowsTheLastResult();
    void execWhileRunningIsRefused();
    void execEndsWhenSheetIsDeleted_data();
    void execEndsWhenSheetIsDeleted();
    void disabledAcceptCannotBeClicked();
    void disabledAcceptIsGreyed();
    void headerTextsAndPlaces_data();
    void headerTextsAndPlaces();
    void unlabelledActionsAreNotOffered();
    void progressIndicator();
    void setContentReplaces();
    void contentFillsWidthBelowHeader();
    void wrappedTextGetsItsHeight();
    void tallContentPans();
    void focusedFieldIsPannedIntoView();
    void rendering_data();
    void rendering();
    void benchmarkTenFramesFirstPaint();
};

void TestSimpleSheet::exec_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("expectedResult");

    QTest::newRow("accept button clicked") << "acceptButton" << 1;
    QTest::newRow("reject button clicked") << "rejectButton" << 0;
    QTest::newRow("accept()") << "accept" << 1;
    QTest::newRow("reject()") << "reject" << 0;
    QTest::newRow("done(true)") << "doneTrue" << 1;
    QTest::newRow("done(false)") << "doneFalse" << 0;
}

void TestSimpleSheet::exec()
{
    QFETCH(QString, how);
    QFETCH(int, expectedResult);

    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    sheet.setTitle(QStringLiteral("Title"));
    QSignalSpy acceptedSpy(&sheet, &SimpleSheet::accepted);
    QSignalSpy rejectedSpy(&sheet, &SimpleSheet::rejected);
    QSignalSpy finishedSpy(&sheet, &SimpleSheet::finished);
    QVERIFY(!sheet.isRejected());

    bool clickReached = true;
    bool stateSeenDuringExec = false;
    connect(&sheet, &SimpleSheet::appeared, this, [&] {
        stateSeenDuringExec = fx.window()->currentSceneWindow() == &sheet;
        if (how == QLatin1String("acceptButton"))
            clickReached = fx.click(fx.findWidget(QStringLiteral("SheetAcceptButton"), &sheet));
        else if (how == QLatin1String("rejectButton"))
            clickReached = fx.click(fx.findWidget(QStringLiteral("SheetRejectButton"), &sheet));
        else if (how == QLatin1String("accept"))
            sheet.accept();
        else if (how == QLatin1String("reject"))
            sheet.reject();
        else
            sheet.done(how == QLatin1String("doneTrue"));
    });
    // Should the action not end the loop, end it the other way so that the test reports.
    bool rescued = false;
    QTimer::singleShot(10000, &sheet, [&] {
        rescued = true;
        sheet.done(expectedResult == 0);
    });

    const int result = sheet.exec(fx.window());

    QVERIFY(!rescued);
    QVERIFY(clickReached);
    QVERIFY(stateSeenDuringExec);
    QCOMPARE(result, expectedResult);
    QCOMPARE(sheet.isRejected(), expectedResult == 0);
    QCOMPARE(sheet.property("rejected").toBool(), expectedResult == 0);
    QCOMPARE(acceptedSpy.count(), expectedResult);
    QCOMPARE(rejectedSpy.count(), 1 - expectedResult);
    QCOMPARE(finishedSpy.count(), 1);
    QCOMPARE(finishedSpy.at(0).at(0).toBool(), expectedResult == 1);
    // Done means gone from the window.
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Disappeared);
    QVERIFY(!fx.window()->sceneWindows().contains(&sheet));
}

void TestSimpleSheet::isRejectedFollowsTheLastResult()
{
    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    QVERIFY(!sheet.isRejected());

    connect(&sheet, &SimpleSheet::appeared, &sheet, &SimpleSheet::reject);
    QCOMPARE(sheet.exec(fx.window()), 0);
    QVERIFY(sheet.isRejected());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Disappeared);

    // Shown again and accepted: the earlier rejection no longer counts.
    disconnect(&sheet, &SimpleSheet::appeared, &sheet, &SimpleSheet::reject);
    connect(&sheet, &SimpleSheet::appeared, &sheet, &SimpleSheet::accept);
    QCOMPARE(sheet.exec(fx.window()), 1);
    QVERIFY(!sheet.isRejected());
}

void TestSimpleSheet::execWhileRunningIsRefused()
{
    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    int innerResult = -1;
    connect(&sheet, &SimpleSheet::appeared, this, [&] {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("already running exec")));
        innerResult = sheet.exec(fx.window());
        sheet.accept();
    });
    QCOMPARE(sheet.exec(fx.window()), 1);
    QCOMPARE(innerResult, 0);
}

void TestSimpleSheet::execEndsWhenSheetIsDeleted_data()
{
    QTest::addColumn<bool>("later");
    QTest::newRow("delete") << false;
    QTest::newRow("deleteLater") << true;
}

void TestSimpleSheet::execEndsWhenSheetIsDeleted()
{
    QFETCH(bool, later);

    WindowFixture fx;
    QPointer<SimpleSheet> sheet = new SimpleSheet;
    sheet->setContent(tallContent(100));
    connect(sheet.data(), &SimpleSheet::appeared, this, [&] {
        QTimer::singleShot(0, this, [&] {
            if (later)
                sheet->deleteLater();
            else
                delete sheet.data();
        });
    });
    bool rescued = false;
    QTimer::singleShot(10000, this, [&] {
        rescued = true;
        if (sheet)
            sheet->accept();
    });

    const int result = sheet->exec(fx.window());

    QVERIFY(!rescued);
    QCOMPARE(result, 0);
    QVERIFY(sheet.isNull());
    // The window is usable afterwards and no longer lists the sheet.
    QVERIFY(fx.window()->currentSceneWindow() == nullptr);
    QVERIFY(!fx.grab().isNull());
}

void TestSimpleSheet::disabledAcceptCannotBeClicked()
{
    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    QSignalSpy acceptedSpy(&sheet, &SimpleSheet::accepted);
    QSignalSpy finishedSpy(&sheet, &SimpleSheet::finished);
    QSignalSpy enabledSpy(&sheet, &SimpleSheet::acceptEnabledChanged);
    QVERIFY(sheet.isAcceptEnabled());

    sheet.setAcceptEnabled(false);
    QVERIFY(!sheet.isAcceptEnabled());
    QVERIFY(!sheet.property("acceptEnabled").toBool());
    QCOMPARE(enabledSpy.count(), 1);
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);

    auto acceptButton = fx.find<Touch::Button>(QStringLiteral("SheetAcceptButton"), &sheet);
    QVERIFY(acceptButton);
    QVERIFY(fx.click(acceptButton));
    // Nothing happens, not even later.
    QTest::qWait(50);
    QCOMPARE(acceptedSpy.count(), 0);
    QCOMPARE(finishedSpy.count(), 0);
    QCOMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);

    sheet.setAcceptEnabled(true);
    QCOMPARE(enabledSpy.count(), 2);
    QVERIFY(fx.click(acceptButton));
    QCOMPARE(acceptedSpy.count(), 1);
    QVERIFY(!sheet.isRejected());
}

void TestSimpleSheet::disabledAcceptIsGreyed()
{
    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    sheet.setTitle(QStringLiteral("Greyed"));
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    auto acceptButton = fx.find<Touch::Button>(QStringLiteral("SheetAcceptButton"), &sheet);
    QVERIFY(acceptButton);

    // A point inside the drawn button, clear of its centred text.
    const QPoint probe = fx.viewPosition(acceptButton, QPointF(acceptButton->size().width() * 0.12,
                                                               acceptButton->size().height() / 2));
    const QColor enabled = fx.grab().pixelColor(probe);
    sheet.setAcceptEnabled(false);
    const QColor disabled = fx.grab().pixelColor(probe);
    fx.savePng(QStringLiteral("simplesheet-accept-disabled"));

    // Enabled: a saturated accent; disabled: grey.
    QVERIFY2(enabled.hsvSaturationF() > 0.4, qPrintable(enabled.name()));
    QVERIFY2(disabled.hsvSaturationF() < 0.2, qPrintable(disabled.name()));
}

void TestSimpleSheet::headerTextsAndPlaces_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::newRow("left to right") << Qt::LeftToRight;
    QTest::newRow("right to left") << Qt::RightToLeft;
}

void TestSimpleSheet::unlabelledActionsAreNotOffered()
{
    // A sheet whose choices are its own buttons sets no accept label: tapping
    // an accept it never asked for would close it choosing nothing.
    WindowFixture fx;
    SimpleSheet sheet;
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    QVERIFY(sheet.acceptLabel().isEmpty());
    // Found whether shown or not.
    const auto acceptButtons = fx.findWidgets(QStringLiteral("SheetAcceptButton"));
    const auto rejectButtons = fx.findWidgets(QStringLiteral("SheetRejectButton"));
    QCOMPARE(acceptButtons.size(), 1);
    QCOMPARE(rejectButtons.size(), 1);
    QGraphicsWidget* accept = acceptButtons.first();
    QGraphicsWidget* reject = rejectButtons.first();
    QVERIFY(!accept->isVisible());
    QVERIFY(reject->isVisible());
    QCOMPARE(sheet.rejectLabel(), QStringLiteral("qtn_comm_cancel"));

    sheet.setAcceptLabel(QStringLiteral("Connect"));
    QVERIFY(accept->isVisible());
    sheet.setRejectLabel(QString());
    QVERIFY(!reject->isVisible());
}

void TestSimpleSheet::headerTextsAndPlaces()
{
    QFETCH(Qt::LayoutDirection, direction);

    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    sheet.setLayoutDirection(direction);
    QSignalSpy titleSpy(&sheet, &SimpleSheet::titleChanged);
    sheet.setTitle(QStringLiteral("Network"));
    sheet.setAcceptLabel(QStringLiteral("Connect"));
    sheet.setRejectLabel(QStringLiteral("Back"));
    QCOMPARE(sheet.title(), QStringLiteral("Network"));
    QCOMPARE(sheet.property("title").toString(), QStringLiteral("Network"));
    QCOMPARE(titleSpy.count(), 1);
    QCOMPARE(sheet.acceptLabel(), QStringLiteral("Connect"));
    QCOMPARE(sheet.rejectLabel(), QStringLiteral("Back"));

    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    QCOMPARE(sheet.size(), QSizeF(fx.window()->viewport()->size()));

    auto accept = fx.find<Touch::Button>(QStringLiteral("SheetAcceptButton"), &sheet);
    auto reject = fx.find<Touch::Button>(QStringLiteral("SheetRejectButton"), &sheet);
    QVERIFY(accept && reject);
    QCOMPARE(accept->text(), QStringLiteral("Connect"));
    QCOMPARE(reject->text(), QStringLiteral("Back"));

    const QRectF acceptRect = accept->mapRectToScene(accept->rect());
    const QRectF rejectRect = reject->mapRectToScene(reject->rect());
    // Reject on the leading side, accept on the trailing side, both at the top.
    if (direction == Qt::LeftToRight)
        QVERIFY(rejectRect.right() < acceptRect.left());
    else
        QVERIFY(acceptRect.right() < rejectRect.left());
    QVERIFY(acceptRect.top() < 40 && rejectRect.top() < 40);
    // Touch-sized hit areas.
    QVERIFY(acceptRect.height() >= 64 && rejectRect.height() >= 64);
    QVERIFY(acceptRect.width() >= 64 && rejectRect.width() >= 64);
}

void TestSimpleSheet::progressIndicator()
{
    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    sheet.setTitle(QStringLiteral("Connecting"));
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);

    QVERIFY(!sheet.isProgressIndicatorVisible());
    QVERIFY(!fx.findWidget(QStringLiteral("SheetProgressIndicator"), &sheet));

    sheet.setProgressIndicatorVisible(true);
    QVERIFY(sheet.isProgressIndicatorVisible());
    QVERIFY(sheet.property("progressIndicatorVisible").toBool());
    auto spinner = fx.find<Touch::ProgressBar>(QStringLiteral("SheetProgressIndicator"), &sheet);
    QVERIFY(spinner);
    QCOMPARE(spinner->viewType(), QString::fromLatin1(Touch::ProgressBar::SpinnerType));
    QVERIFY(spinner->unknownDuration());
    QTRY_VERIFY(spinner->isAnimating());

    // In the header, clear of both buttons.
    const QRectF spinnerRect = spinner->mapRectToScene(spinner->rect());
    const auto accept = fx.findWidget(QStringLiteral("SheetAcceptButton"), &sheet);
    const auto reject = fx.findWidget(QStringLiteral("SheetRejectButton"), &sheet);
    QVERIFY(!spinnerRect.isEmpty());
    QVERIFY(spinnerRect.bottom() <= accept->mapRectToScene(accept->rect()).bottom() + 8);
    QVERIFY(!spinnerRect.intersects(accept->mapRectToScene(accept->rect())));
    QVERIFY(!spinnerRect.intersects(reject->mapRectToScene(reject->rect())));
    fx.savePng(QStringLiteral("simplesheet-progress"));

    sheet.setProgressIndicatorVisible(false);
    QVERIFY(!sheet.isProgressIndicatorVisible());
    QVERIFY(!spinner->isVisible());
}

void TestSimpleSheet::setContentReplaces()
{
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    QVERIFY(!sheet.content());

    QPointer<QGraphicsWidget> first = new QGraphicsWidget;
    sheet.setContent(first);
    QCOMPARE(sheet.content(), first.data());
    QVERIFY(sheet.isAncestorOf(first));

    // The same content again is kept.
    sheet.setContent(first);
    QVERIFY(!first.isNull());
    QCOMPARE(sheet.content(), first.data());

    QPointer<QGraphicsWidget> second = new QGraphicsWidget;
    sheet.setContent(second);
    QVERIFY(first.isNull());
    QCOMPARE(sheet.content(), second.data());
    QVERIFY(sheet.isAncestorOf(second));

    // Deleted from outside: the sheet lets go of it.
    delete second.data();
    QVERIFY(!sheet.content());

    QPointer<QGraphicsWidget> third = new QGraphicsWidget;
    sheet.setContent(third);
    sheet.setContent(nullptr);
    QVERIFY(third.isNull());
    QVERIFY(!sheet.content());
}

void TestSimpleSheet::contentFillsWidthBelowHeader()
{
    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    auto frame = new Velin::SimpleFrame(QStringLiteral("Frame"));
    frame->setContent(new Touch::TextEdit(QStringLiteral("text")));
    sheet.setContent(frame);
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    QTRY_VERIFY(frame->size().width() > 0);

    const QRectF header = fx.findWidget(QStringLiteral("SheetAcceptButton"), &sheet)->mapRectToScene(
        fx.findWidget(QStringLiteral("SheetAcceptButton"), &sheet)->rect());
    const QRectF content = frame->mapRectToScene(frame->rect());
    const qreal width = fx.window()->viewport()->width();
    QVERIFY(content.top() >= header.bottom());
    // Padded on both sides, evenly, and most of the width.
    QVERIFY(content.left() > 0);
    QVERIFY(qAbs(content.left() - (width - content.right())) < 1);
    QVERIFY(content.width() > width * 0.8);
    // Its preferred height, not stretched to the window.
    QCOMPARE(content.height(), frame->effectiveSizeHint(Qt::PreferredSize, QSizeF(content.width(), -1)).height());

    // Turned to landscape: the content follows the new width.
    fx.window()->resize(800, 480);
    QTRY_COMPARE(sheet.size().width(), 800.0);
    QTRY_COMPARE(frame->mapRectToScene(frame->rect()).right(), 800 - content.left());
}

void TestSimpleSheet::wrappedTextGetsItsHeight()
{
    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    auto frame = new Velin::SimpleFrame(QStringLiteral("Help"));
    auto label = new Touch::Label(QStringLiteral(
        "A long explanation that cannot fit on one line of a handset screen and has to wrap "
        "onto several lines, each of which must stay visible and none of which may overlap "
        "the field below it."));
    label->setWordWrap(true);
    auto body = new QGraphicsWidget;
    auto layout = new QGraphicsLinearLayout(Qt::Vertical, body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addItem(label);
    auto field = new Touch::TextEdit;
    layout->addItem(field);
    frame->setContent(body);
    sheet.setContent(frame);
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    QTRY_VERIFY(label->size().width() > 0);

    const qreal needed = label->effectiveSizeHint(Qt::PreferredSize, QSizeF(label->size().width(), -1)).height();
    const qreal oneLine = label->effectiveSizeHint(Qt::PreferredSize).height();
    QVERIFY(needed > 2 * oneLine - 16);
    QCOMPARE(label->size().height(), needed);
    QVERIFY(field->mapRectToScene(field->rect()).top() >= label->mapRectToScene(label->rect()).bottom());
}

void TestSimpleSheet::tallContentPans()
{
    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    Touch::Button* topButton = nullptr;
    sheet.setContent(tallContent(2000, &topButton));
    QSignalSpy clicked(topButton, &Touch::Button::clicked);
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    QTRY_VERIFY(sheet.content()->size().height() > 2000);

    const qreal before = sheet.content()->mapToScene(QPointF()).y();
    // A drag that starts on a button pans and does not click it.
    const QPoint from = fx.viewPosition(topButton);
    fx.drag(from, from - QPoint(0, 300));
    const qreal after = sheet.content()->mapToScene(QPointF()).y();
    QVERIFY2(after < before - 200, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!topButton->isDown());

    // Never beyond the ends.
    fx.drag(QPoint(240, 200), QPoint(240, 790), 4);
    fx.drag(QPoint(240, 200), QPoint(240, 790), 4);
    QCOMPARE(sheet.content()->mapToScene(QPointF()).y(), before);

    // A plain tap still clicks.
    QVERIFY(fx.click(topButton));
    QCOMPARE(clicked.count(), 1);

    // The wheel pans as well, one notch at a time.
    fx.wheel(QPoint(240, 400), -120);
    const qreal oneNotch = sheet.content()->mapToScene(QPointF()).y();
    QVERIFY(oneNotch < before);
    fx.wheel(QPoint(240, 400), -120);
    QVERIFY(sheet.content()->mapToScene(QPointF()).y() < oneNotch);
    fx.wheel(QPoint(240, 400), 240);
    QCOMPARE(sheet.content()->mapToScene(QPointF()).y(), before);
}

void TestSimpleSheet::focusedFieldIsPannedIntoView()
{
    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    Touch::TextEdit* field = nullptr;
    sheet.setContent(tallContent(1500, nullptr, &field));
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    QTRY_VERIFY(sheet.content()->size().height() > 1500);

    const QRectF view(QPointF(0, 0), QSizeF(fx.window()->viewport()->size()));
    QVERIFY(!view.contains(field->mapRectToScene(field->rect())));
    field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(field->hasFocus());
    QTRY_VERIFY(view.contains(field->mapRectToScene(field->rect())));
}

void TestSimpleSheet::rendering_data()
{
    QTest::addColumn<bool>("inverted");
    QTest::newRow("inverted") << true;
    QTest::newRow("light") << false;
}

void TestSimpleSheet::rendering()
{
    QFETCH(bool, inverted);

    WindowFixture fx;
    SimpleSheet sheet;
    sheet.setAcceptLabel(QStringLiteral("Done"));  // no accept action without a label
    if (inverted)
        sheet.setStyleName(QStringLiteral("Inverted"));
    sheet.setTitle(QStringLiteral("Edit network"));
    auto frame = new Velin::SimpleFrame(QStringLiteral("Network name"));
    frame->setContent(new Touch::TextEdit(QStringLiteral("HomeNet")));
    sheet.setContent(frame);
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);

    const QImage image = fx.grab();
    fx.savePng(inverted ? QStringLiteral("simplesheet-inverted") : QStringLiteral("simplesheet-light"));
    QVERIFY(!image.isNull());

    qreal sum = 0;
    int light = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            const qreal l = luminance(image.pixel(x, y));
            sum += l;
            if (l > 200)
                ++light;
            else if (l < 60)
                ++dark;
        }
    }
    const qreal mean = sum / ((image.height() / 2) * (image.width() / 2));
    // Mostly dark with light text, or the other way round; never blank.
    if (inverted) {
        QVERIFY2(mean < 80, qPrintable(QString::number(mean)));
        QVERIFY(light > 100);
    } else {
        QVERIFY2(mean > 180, qPrintable(QString::number(mean)));
        QVERIFY(dark > 100);
    }

    // The title is drawn in the header's middle.
    const auto accept = fx.findWidget(QStringLiteral("SheetAcceptButton"), &sheet);
    const int headerMid = int(accept->mapRectToScene(accept->rect()).center().y());
    int titlePixels = 0;
    for (int x = image.width() / 2 - 60; x < image.width() / 2 + 60; ++x) {
        for (int y = headerMid - 12; y < headerMid + 12; ++y) {
            const qreal l = luminance(image.pixel(x, y));
            if (inverted ? l > 180 : l < 80)
                ++titlePixels;
        }
    }
    QVERIFY(titlePixels > 20);
}

void TestSimpleSheet::benchmarkTenFramesFirstPaint()
{
    // Build, lay out, polish and paint the whole window once: what the first
    // frame of a freshly opened editor costs.
    WindowFixture fx;
    QBENCHMARK {
        auto sheet = new SimpleSheet;
        sheet->setStyleName(QStringLiteral("Inverted"));
        sheet->setTitle(QStringLiteral("Benchmark"));
        auto content = new QGraphicsWidget;
        auto layout = new QGraphicsLinearLayout(Qt::Vertical, content);
        for (int i = 0; i < 10; ++i) {
            auto frame = new Velin::SimpleFrame(QStringLiteral("Field %1").arg(i));
            frame->setContent(new Touch::TextEdit(QStringLiteral("value %1").arg(i)));
            layout->addItem(frame);
        }
        sheet->setContent(content);
        sheet->appear(fx.window());
        // Polish, layout and the appear step, as before a real first frame.
        QCoreApplication::processEvents();
        const QImage image = fx.window()->grabImage();
        QVERIFY(!image.isNull());
        delete sheet;
    }
}

QTEST_MAIN(TestSimpleSheet)
#include "tst_simplesheet.moc"
