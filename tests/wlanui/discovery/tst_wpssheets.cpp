// The WPS method sheet and the progress sheet, shown on an offscreen window
// and driven by taps, with the process on the private system bus and a fake
// connectivity daemon that reports the connection attempt.
#include "../prompts/promptstesthelpers.h"
#include "fakedbusservice.h"
#include "privatebus.h"
#include "windowfixture.h"

#include "wlanui/discovery/wifiprotectedsetupprocess.h"
#include "wlanui/discovery/wifiprotectedsetupprocess_p.h"
#include "wlanui/discovery/wifiprotectedsetupsheet.h"
#include "wlanui/discovery/wifiprotectedsetupsheet_p.h"
#include "wlanui/discovery/wpsmethodselectionsheet.h"

#include "base/connectionlistitem.h"
#include "base/dividerheader.h"
#include "net/connectionwatcher.h"
#include "net/internetaccesspoint.h"
#include "touch/button.h"
#include "touch/label.h"
#include "touch/progressbar.h"
#include "touch/textedit.h"

#include <QSignalSpy>
#include <QStateMachine>
#include <QTranslator>
#include <QtTest>

using Velin::InternetAccessPoint;
using Velin::WifiProtectedSetupProcess;
using Velin::WifiProtectedSetupProcessPrivate;
using Velin::WifiProtectedSetupSheet;
using Velin::WifiProtectedSetupSheetPrivate;
using Velin::WpsMethodSelectionSheet;
using PromptsTest::itemsOfType;
using PromptsTest::stacked;

namespace {

const QString connectivityPath = QStringLiteral("/com/qorva/nexd2");
const QString connectivityInterface = QStringLiteral("com.qorva.nexd2");

InternetAccessPoint officeAccessPoint()
{
    return InternetAccessPoint({QString(QLatin1String("")), 0u, QString(QLatin1String("")),
                                QStringLiteral("WLAN_INFRA"), 0x20u, QByteArray("Office\0", 7)});
}

QStringList styles(const QList<QGraphicsWidget*>& widgets)
{
    QStringList names;
    for (QGraphicsWidget* widget : widgets)
        names.append(widget->property("styleName").toString());
    return names;
}

// Right-to-left text for the PIN instruction.
class RightToLeftCatalogue : public QTranslator
{
public:
    QString translate(const char*, const char* sourceText, const char*, int) const override
    {
        if (qstrcmp(sourceText, "qtn_conn_wps_pin_instruction") == 0)
            return QString::fromUtf8("\xd7\x94\xd7\x96\xd7\x9f PIN");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class tst_WpsSheets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void methodChoice_data();
    void methodChoice();
    void methodSheetTitle_data();
    void methodSheetTitle();
    void methodSheetContent();
    void progressSheetContent_data();
    void progressSheetContent();
    void acceptAndCancel_data();
    void acceptAndCancel();
    void progressFollowsCountdown_data();
    void progressFollowsCountdown();
    void connectingStartsPinProcessOnce_data();
    void connectingStartsPinProcessOnce();

private:
    void reportConnecting()
    {
        QVERIFY(m_daemon->emitSignal(connectivityPath, connectivityInterface, QStringLiteral("connection_state"),
                                     {QStringLiteral("Office"), QStringLiteral("connecting"), QString()}));
    }

    FakeDBusService* m_daemon = nullptr;
    InternetAccessPoint m_iap;
};

void tst_WpsSheets::init()
{
    m_daemon = new FakeDBusService(FakeDBusService::SystemBus, QStringLiteral("com.qorva.nexd2"), this);
    QVERIFY(m_daemon->isRegistered());
    m_iap = officeAccessPoint();
}

void tst_WpsSheets::cleanup()
{
    delete m_daemon;
    m_daemon = nullptr;
}

void tst_WpsSheets::methodChoice_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("skipped");
    QTest::addColumn<int>("method");

    QTest::newRow("push button") << "NormalMethodButton" << true << false
                                 << int(WifiProtectedSetupProcess::PushButtonMethod);
    QTest::newRow("PIN") << "PinMethodButton" << true << false << int(WifiProtectedSetupProcess::PinMethod);
    QTest::newRow("skip") << "SkipButton" << true << true << int(WifiProtectedSetupProcess::UnknownMethod);
    QTest::newRow("cancel") << "SheetRejectButton" << false << false << int(WifiProtectedSetupProcess::UnknownMethod);
}

void tst_WpsSheets::methodChoice()
{
    QFETCH(QString, button);
    QFETCH(bool, accepted);
    QFETCH(bool, skipped);
    QFETCH(int, method);

    WindowFixture fx;
    WifiProtectedSetupProcess process(m_iap.id());
    WpsMethodSelectionSheet sheet(&process, &m_iap, QStringLiteral("Office"));
    QSignalSpy finished(&sheet, &Velin::SimpleSheet::finished);
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    auto target = fx.find<Touch::Button>(button, &sheet);
    QVERIFY(target);
    QVERIFY(fx.click(target));

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toBool(), accepted);
    QCOMPARE(sheet.isRejected(), !accepted);
    QCOMPARE(sheet.isSkipped(), skipped);
    QCOMPARE(int(process.method()), method);
    // Choosing PIN gives the process its PIN before the progress sheet is built.
    QCOMPARE(process.pinCode().size(), method == WifiProtectedSetupProcess::PinMethod ? 8 : 0);
    QCOMPARE(process.state(), WifiProtectedSetupProcess::NotStarted);
}

void tst_WpsSheets::methodSheetTitle_data()
{
    QTest::addColumn<QString>("ssid");
    QTest::addColumn<QString>("title");

    QTest::newRow("with SSID") << "Office" << "qtn_conn_sic_title";
    QTest::newRow("empty SSID") << "" << "";
}

void tst_WpsSheets::methodSheetTitle()
{
    QFETCH(QString, ssid);
    QFETCH(QString, title);

    WifiProtectedSetupProcess process(m_iap.id());
    WpsMethodSelectionSheet sheet(&process, &m_iap, ssid);
    QCOMPARE(sheet.title(), title);
    QCOMPARE(sheet.rejectLabel(), QStringLiteral("qtn_comm_cancel"));
    QCOMPARE(sheet.acceptLabel(), QString());
    QCOMPARE(sheet.styleName(), QStringLiteral("Inverted"));
}

void tst_WpsSheets::methodSheetContent()
{
    WifiProtectedSetupProcess process(m_iap.id());
    WpsMethodSelectionSheet sheet(&process, &m_iap, QStringLiteral("Office"));
    const QList<QGraphicsWidget*> rows = PromptsTest::contentWidgets(sheet.content());
    QCOMPARE(rows.size(), 4);
    auto item = qobject_cast<Velin::ConnectionListItem*>(rows.at(0));
    QVERIFY(item);
    QCOMPARE(item->styleName(), QStringLiteral("ImageCellSecurity"));
    QCOMPARE(item->label(), QStringLiteral("Office"));
    QCOMPARE(item->typeImageName(), QStringLiteral("icon-m-common-wlan"));
    QCOMPARE(item->securityImageName(), QStringLiteral("icon-s-wlan-wpa"));
    QCOMPARE(item->acceptedMouseButtons(), Qt::NoButton);

    QCOMPARE(styles(stacked(rows.at(1))), (QStringList{"CommonGroupHeaderDivider", "CommonGroupHeader"}));
    QCOMPARE(rows.at(1)->property("styleName").toString(), QStringLiteral("CommonGroupHeaderPanel"));
    QCOMPARE(stacked(rows.at(1)).at(0)->sizePolicy().horizontalPolicy(), QSizePolicy::MinimumExpanding);
    QCOMPARE(stacked(rows.at(1)).at(1)->property("text").toString(), QStringLiteral("qtn_conn_sic_wps_title"));
    QCOMPARE(rows.at(2)->property("text").toString(), QStringLiteral("qtn_conn_wps_info1"));
    QCOMPARE(rows.at(2)->property("styleName").toString(), QStringLiteral("CommonBodyText"));
    QVERIFY(rows.at(2)->property("wordWrap").toBool());

    const QList<QGraphicsWidget*> buttons = stacked(rows.at(3));
    QCOMPARE(styles(buttons), (QStringList{"CommonSingleButton", "CommonSingleButton", "CommonLargeSpacer",
                                           "CommonBodyTextInverted", "CommonSingleButton"}));
    QStringList texts;
    for (QGraphicsWidget* widget : buttons)
        texts.append(widget->property("text").toString());
    QCOMPARE(texts, (QStringList{"qtn_conn_wps_push_button", "qtn_conn_wps_pin", "", "qtn_conn_wps_info2",
                                 "qtn_conn_wps_skipping"}));
    QCOMPARE(buttons.at(0)->objectName(), QStringLiteral("NormalMethodButton"));
    QCOMPARE(buttons.at(1)->objectName(), QStringLiteral("PinMethodButton"));
    QCOMPARE(buttons.at(4)->objectName(), QStringLiteral("SkipButton"));
}

void tst_WpsSheets::progressSheetContent_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("rightToLeft");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QStringList>("expectedStyles");

    const QString network = QStringLiteral("ImageCellSecurity");
    const QString divider = QStringLiteral("");
    QTest::newRow("push button") << int(WifiProtectedSetupProcess::PushButtonMethod) << false
                                 << "qtn_conn_sic_wps_title"
                                 << QStringList{network, divider, "CommonBodyText", "CommonLargeSpacer"};
    const QStringList pinStyles{network, divider, "CommonBodyText", "CommonSingleInputFieldLabeled",
                                "CommonLargeSpacer"};
    QTest::newRow("PIN") << int(WifiProtectedSetupProcess::PinMethod) << false << "qtn_conn_sic_wps_pin_title"
                         << pinStyles;
    QTest::newRow("PIN, right to left") << int(WifiProtectedSetupProcess::PinMethod) << true
                                        << "qtn_conn_sic_wps_pin_title" << pinStyles;
    QTest::newRow("no method") << int(WifiProtectedSetupProcess::UnknownMethod) << false << ""
                               << QStringList{network, divider, "CommonLargeSpacer"};
}

void tst_WpsSheets::progressSheetContent()
{
    QFETCH(int, method);
    QFETCH(bool, rightToLeft);
    QFETCH(QString, header);
    QFETCH(QStringList, expectedStyles);

    RightToLeftCatalogue catalogue;
    if (rightToLeft)
        QCoreApplication::installTranslator(&catalogue);
    WifiProtectedSetupProcess process(m_iap.id());
    if (method != WifiProtectedSetupProcess::UnknownMethod)
        process.setMethod(WifiProtectedSetupProcess::Method(method));
    else
        QTest::ignoreMessage(QtWarningMsg, "Unsupported WPS method: 2");
    WifiProtectedSetupSheet sheet(&process, &m_iap, QStringLiteral("Office"));
    QCoreApplication::removeTranslator(&catalogue);

    QCOMPARE(sheet.styleName(), QStringLiteral("Inverted"));
    QCOMPARE(sheet.acceptLabel(), QStringLiteral("qtn_conn_connect"));
    QCOMPARE(sheet.rejectLabel(), QStringLiteral("qtn_comm_cancel"));
    QVERIFY(sheet.isAcceptEnabled());
    const QList<QGraphicsWidget*> rows = PromptsTest::contentWidgets(sheet.content());
    QCOMPARE(styles(rows), expectedStyles);
    QCOMPARE(qobject_cast<Velin::ConnectionListItem*>(rows.at(0))->securityImageName(),
             QStringLiteral("icon-s-wlan-wpa"));
    auto divider = qobject_cast<Velin::DividerHeader*>(rows.at(1));
    QVERIFY(divider);
    QCOMPARE(divider->label()->text(), header);

    const QList<Touch::TextEdit*> edits = itemsOfType<Touch::TextEdit>(sheet.content());
    QCOMPARE(edits.size(), method == WifiProtectedSetupProcess::PinMethod ? 1 : 0);
    if (method == WifiProtectedSetupProcess::PushButtonMethod)
        QCOMPARE(rows.at(2)->property("text").toString(), QStringLiteral("qtn_conn_wps_instruction"));
    if (edits.isEmpty())
        return;
    auto label = qobject_cast<Touch::Label*>(rows.at(2));
    QVERIFY(label->wordWrap());
    Touch::TextEdit* pin = edits.first();
    QCOMPARE(pin->objectName(), QStringLiteral("PinEdit"));
    QCOMPARE(pin->text(), process.pinCode());
    QVERIFY(pin->isReadOnly());
    QCOMPARE(label->alignment() == (Qt::AlignRight | Qt::AlignTop), rightToLeft);
    QCOMPARE(pin->defaultTextOption().alignment() == Qt::AlignRight, rightToLeft);
}

void tst_WpsSheets::acceptAndCancel_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("started");
    // Taps on Connect, or one tap on Cancel when 0.
    QTest::addColumn<int>("accepts");
    // -1: still open, 0: rejected, 1: accepted.
    QTest::addColumn<int>("closed");
    QTest::addColumn<int>("bars");
    QTest::addColumn<int>("disconnects");

    const int pushButton = WifiProtectedSetupProcess::PushButtonMethod;
    const int pin = WifiProtectedSetupProcess::PinMethod;
    QTest::newRow("push button starts and closes") << pushButton << false << 1 << 1 << 1 << 0;
    QTest::newRow("PIN waits for the connection") << pin << false << 1 << -1 << 1 << 0;
    QTest::newRow("PIN, twice: one bar") << pin << false << 2 << -1 << 1 << 0;
    QTest::newRow("running: another 120 s") << pin << true << 1 << -1 << 1 << 0;
    QTest::newRow("cancel before the start") << pin << false << 0 << 0 << 0 << 0;
    QTest::newRow("cancel while running") << pushButton << true << 0 << 0 << 0 << 1;
}

void tst_WpsSheets::acceptAndCancel()
{
    QFETCH(int, method);
    QFETCH(bool, started);
    QFETCH(int, accepts);
    QFETCH(int, closed);
    QFETCH(int, bars);
    QFETCH(int, disconnects);

    WindowFixture fx;
    WifiProtectedSetupProcess process(m_iap.id());
    process.setMethod(WifiProtectedSetupProcess::Method(method));
    WifiProtectedSetupProcessPrivate* d = process.findChild<WifiProtectedSetupProcessPrivate*>();
    if (started) {
        process.start();
        QTRY_COMPARE(process.state(), WifiProtectedSetupProcess::WaitingSignal);
        d->secondsRemaining = 40;
    }
    WifiProtectedSetupSheet sheet(&process, &m_iap, QStringLiteral("Office"));
    QSignalSpy finished(&sheet, &Velin::SimpleSheet::finished);
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    const QString button = accepts ? QStringLiteral("SheetAcceptButton") : QStringLiteral("SheetRejectButton");
    for (int i = 0; i < qMax(accepts, 1); ++i)
        QVERIFY(fx.click(fx.find<Touch::Button>(button, &sheet)));

    QCOMPARE(finished.count(), closed < 0 ? 0 : 1);
    if (closed >= 0)
        QCOMPARE(finished.first().first().toBool(), bool(closed));
    const QList<Touch::ProgressBar*> found = itemsOfType<Touch::ProgressBar>(sheet.content());
    QCOMPARE(found.size(), bars);
    if (bars) {
        QCOMPARE(found.first()->styleName(), QStringLiteral("CommonProgressBar"));
        QCOMPARE(found.first()->minimum(), 0);
        QCOMPARE(found.first()->maximum(), 120);
        QCOMPARE(PromptsTest::contentWidgets(sheet.content()).constLast(), found.first());
    }
    // Push button runs from the accept; PIN only from the connection.
    const bool running = started ? accepts > 0 : method == WifiProtectedSetupProcess::PushButtonMethod && accepts > 0;
    QTRY_COMPARE(d->machine->isRunning(), running);
    if (started && accepts)
        QCOMPARE(d->secondsRemaining, 120);
    if (!started && !running)
        QCOMPARE(process.state(), WifiProtectedSetupProcess::NotStarted);
    QTRY_COMPARE(m_daemon->callCount(QStringLiteral("disconnect_req")), disconnects);
}

void tst_WpsSheets::progressFollowsCountdown_data()
{
    QTest::addColumn<int>("ticks");

    QTest::newRow("1") << 1;
    QTest::newRow("7") << 7;
    QTest::newRow("120") << 120;
}

void tst_WpsSheets::progressFollowsCountdown()
{
    QFETCH(int, ticks);

    WifiProtectedSetupProcess process(m_iap.id());
    process.setMethod(WifiProtectedSetupProcess::PinMethod);
    WifiProtectedSetupSheet sheet(&process, &m_iap, QStringLiteral("Office"));
    sheet.accept();
    auto bar = itemsOfType<Touch::ProgressBar>(sheet.content()).value(0);
    QVERIFY(bar);
    // The first value comes with the first tick.
    QCOMPARE(bar->value(), 0);
    WifiProtectedSetupProcessPrivate* d = process.findChild<WifiProtectedSetupProcessPrivate*>();
    for (int i = 0; i < ticks; ++i)
        d->updateSeconds();
    QCOMPARE(bar->value(), ticks);
}

void tst_WpsSheets::connectingStartsPinProcessOnce_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("starts");

    QTest::newRow("PIN") << int(WifiProtectedSetupProcess::PinMethod) << true;
    QTest::newRow("push button") << int(WifiProtectedSetupProcess::PushButtonMethod) << false;
}

void tst_WpsSheets::connectingStartsPinProcessOnce()
{
    QFETCH(int, method);
    QFETCH(bool, starts);

    WifiProtectedSetupProcess process(m_iap.id());
    process.setMethod(WifiProtectedSetupProcess::Method(method));
    QSignalSpy stateChanges(&process, &WifiProtectedSetupProcess::stateChanged);
    WifiProtectedSetupSheet sheet(&process, &m_iap, QStringLiteral("Office"));
    auto d = sheet.findChild<WifiProtectedSetupSheetPrivate*>();
    QPointer<Velin::ConnectionWatcher> watcher = d->watcher;
    QVERIFY(watcher);

    // Heard after the sheet's watcher has heard the same state.
    Velin::ConnectionWatcher marker(m_iap);
    QSignalSpy heard(&marker, &Velin::ConnectionWatcher::connecting);
    reportConnecting();
    QVERIFY(heard.wait());
    QTRY_COMPARE(process.state(), starts ? WifiProtectedSetupProcess::WaitingSignal
                                         : WifiProtectedSetupProcess::NotStarted);
    QVERIFY(!d->watcher);
    QTRY_VERIFY(!watcher);

    // The process would start again now, had the sheet still listened.
    process.abort();
    QTRY_VERIFY(!process.findChild<WifiProtectedSetupProcessPrivate*>()->machine->isRunning());
    const int changes = stateChanges.count();
    reportConnecting();
    QVERIFY(heard.wait());
    QTest::qWait(20);
    QCOMPARE(stateChanges.count(), changes);
}

VELIN_TEST_MAIN_WITH_BUS(tst_WpsSheets)

#include "tst_wpssheets.moc"
