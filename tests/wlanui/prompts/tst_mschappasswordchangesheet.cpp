// The MSCHAPv2 password change sheet: its fields, accept following them,
// and the checks made on Connect, in their order.
#include "bannerobserver.h"
#include "promptstesthelpers.h"
#include "windowfixture.h"

#include "wlanui/prompts/mschappasswordchangesheet.h"

#include "base/connectionlistitem.h"
#include "base/dividerheader.h"
#include "base/simpleframe.h"
#include "touch/label.h"
#include "touch/textedit.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QtTest>

using Velin::InternetAccessPoint;
using Velin::MschapPasswordChangeSheet;

namespace {

const QString WrongOld = QStringLiteral("qtn_conn_error_incorrect_old_password");
const QString NoMatch = QStringLiteral("qtn_conn_error_password_match");

InternetAccessPoint campus()
{
    InternetAccessPoint iap;
    iap.setProperty("name", QStringLiteral("Campus"));
    iap.setProperty("EAP_MSCHAPV2_username", QStringLiteral("student"));
    return iap;
}

Touch::TextEdit* field(MschapPasswordChangeSheet* sheet, const QString& name)
{
    const QList<Touch::TextEdit*> edits = PromptsTest::itemsOfType<Touch::TextEdit>(sheet);
    for (Touch::TextEdit* edit : edits) {
        if (edit->objectName() == name)
            return edit;
    }
    return nullptr;
}

const QStringList FieldNames = {QStringLiteral("OldPasswordEdit"), QStringLiteral("NewPasswordEdit"),
                                QStringLiteral("NewPasswordVerifyEdit")};

void fill(MschapPasswordChangeSheet* sheet, const QString& oldPassword, const QString& newPassword,
          const QString& verification)
{
    field(sheet, FieldNames.at(0))->setText(oldPassword);
    field(sheet, FieldNames.at(1))->setText(newPassword);
    field(sheet, FieldNames.at(2))->setText(verification);
}

} // namespace

class TestMschapPasswordChangeSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void sheet();
    void content();
    void username();
    void passwordChangesNothingOnScreen();
    void acceptNeedsAllThreeFields_data();
    void acceptNeedsAllThreeFields();
    void checksInOrder_data();
    void checksInOrder();
    void cancelAlwaysCloses();
    void changedThroughExec();
    void passwordsNeverLogged();
};

void TestMschapPasswordChangeSheet::cleanup()
{
    PromptsTest::deleteBanners();
}

void TestMschapPasswordChangeSheet::sheet()
{
    MschapPasswordChangeSheet sheet(campus());
    QCOMPARE(sheet.ssid(), QStringLiteral("Campus"));
    QCOMPARE(sheet.styleName(), QStringLiteral("Inverted"));
    QCOMPARE(sheet.title(), QStringLiteral("qtn_conn_sic_title"));
    QCOMPARE(sheet.acceptLabel(), QStringLiteral("qtn_conn_connect"));
    QCOMPARE(sheet.rejectLabel(), QStringLiteral("qtn_comm_cancel"));
    QVERIFY(!sheet.isAcceptEnabled());
    QVERIFY(sheet.username().isEmpty());
    QVERIFY(sheet.password().isEmpty());
    QVERIFY(sheet.newPassword().isEmpty());

    // A copy of the access point: the same network, read through the property too.
    const InternetAccessPoint copy = sheet.internetAccessPoint();
    QCOMPARE(copy.name(), QStringLiteral("Campus"));
    QCOMPARE(copy.property("EAP_MSCHAPV2_username").toString(), QStringLiteral("student"));
    const QVariant viaProperty = sheet.QObject::property("internetAccessPoint");
    QVERIFY(viaProperty.canConvert<InternetAccessPoint>());
    QCOMPARE(viaProperty.value<InternetAccessPoint>().name(), QStringLiteral("Campus"));
    QVERIFY(!sheet.QObject::setProperty("newPassword", QStringLiteral("x")));
}

void TestMschapPasswordChangeSheet::content()
{
    MschapPasswordChangeSheet sheet(campus());
    const QList<QGraphicsWidget*> widgets = PromptsTest::contentWidgets(sheet.content());
    QCOMPARE(widgets.size(), 7);

    auto item = qobject_cast<Velin::ConnectionListItem*>(widgets.at(0));
    QVERIFY(item);
    QCOMPARE(item->styleName(), QStringLiteral("ImageCellSecurity"));
    QCOMPARE(item->label(), QStringLiteral("Campus"));
    QCOMPARE(item->typeImageName(), QStringLiteral("icon-m-common-wlan"));
    QCOMPARE(item->securityImageName(), QStringLiteral("icon-s-wlan-wpa"));
    QCOMPARE(item->acceptedMouseButtons(), Qt::NoButton);

    auto panel = qobject_cast<Touch::Widget*>(widgets.at(1));
    QCOMPARE(panel->styleName(), QStringLiteral("CommonPanel"));
    const QList<QGraphicsWidget*> panelWidgets = PromptsTest::stacked(panel);
    QCOMPARE(panelWidgets.size(), 2);
    QCOMPARE(qobject_cast<Velin::DividerHeader*>(panelWidgets.at(0))->title(), QStringLiteral("qtn_conn_change_msc_title"));
    auto label = qobject_cast<Touch::Label*>(panelWidgets.at(1));
    QCOMPARE(label->objectName(), QStringLiteral("UsernameLabel"));
    QCOMPARE(label->styleName(), QStringLiteral("CommonSingleTitle"));

    const QStringList titles = {QStringLiteral("qtn_conn_password"), QStringLiteral("qtn_conn_new_password"),
                                QStringLiteral("qtn_conn_verify_password")};
    for (int i = 0; i < 3; ++i) {
        auto frame = qobject_cast<Velin::SimpleFrame*>(widgets.at(2 + 2 * i));
        QVERIFY(frame);
        QCOMPARE(frame->title(), titles.at(i));
        auto edit = qobject_cast<Touch::TextEdit*>(frame->content());
        QVERIFY(edit);
        QCOMPARE(edit->objectName(), FieldNames.at(i));
        QCOMPARE(edit->styleName(), QStringLiteral("CommonSingleInputFieldLabeled"));
        QCOMPARE(int(edit->echoMode()), 2);
        QVERIFY(!edit->inputMethodPredictionEnabled());
        QVERIFY(!edit->inputMethodCorrectionEnabled());
        QVERIFY(!edit->inputMethodAutoCapitalizationEnabled());
        QVERIFY(edit->text().isEmpty());
        // No rule on length or characters.
        QVERIFY(!edit->validator());
        if (i < 2)
            QCOMPARE(qobject_cast<Touch::Widget*>(widgets.at(3 + 2 * i))->styleName(), QStringLiteral("CommonLargeSpacer"));
    }
}

void TestMschapPasswordChangeSheet::username()
{
    MschapPasswordChangeSheet sheet(campus());
    auto label = PromptsTest::itemsOfType<Touch::Label>(&sheet);
    Touch::Label* usernameLabel = nullptr;
    for (Touch::Label* candidate : label) {
        if (candidate->objectName() == QLatin1String("UsernameLabel"))
            usernameLabel = candidate;
    }
    QVERIFY(usernameLabel);
    QCOMPARE(usernameLabel->text(), QStringLiteral("qtn_conn_username"));

    PromptsTest::PlaceholderCatalogue catalogue;
    QCoreApplication::installTranslator(&catalogue);
    sheet.setUsername(QStringLiteral("student"));
    QCOMPARE(usernameLabel->text(), QStringLiteral("User name: student"));
    QVERIFY(sheet.setProperty("username", QStringLiteral("guest 7")));
    QCoreApplication::removeTranslator(&catalogue);

    QCOMPARE(usernameLabel->text(), QStringLiteral("User name: guest 7"));
    QCOMPARE(sheet.username(), QStringLiteral("guest 7"));
    QCOMPARE(sheet.property("username").toString(), QStringLiteral("guest 7"));
}

void TestMschapPasswordChangeSheet::passwordChangesNothingOnScreen()
{
    MschapPasswordChangeSheet sheet(campus());
    sheet.setPassword(QStringLiteral("old secret"));
    QCOMPARE(sheet.password(), QStringLiteral("old secret"));
    QVERIFY(sheet.setProperty("password", QStringLiteral("older")));
    QCOMPARE(sheet.property("password").toString(), QStringLiteral("older"));
    for (const QString& name : FieldNames)
        QVERIFY(field(&sheet, name)->text().isEmpty());
    QVERIFY(!sheet.isAcceptEnabled());
}

void TestMschapPasswordChangeSheet::acceptNeedsAllThreeFields_data()
{
    QTest::addColumn<QString>("oldPassword");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("verification");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("all empty") << "" << "" << "" << false;
    QTest::newRow("old only") << "a" << "" << "" << false;
    QTest::newRow("new only") << "" << "b" << "" << false;
    QTest::newRow("verification only") << "" << "" << "c" << false;
    QTest::newRow("old missing") << "" << "b" << "b" << false;
    QTest::newRow("new missing") << "a" << "" << "b" << false;
    QTest::newRow("verification missing") << "a" << "b" << "" << false;
    QTest::newRow("all filled, even if they differ") << "a" << "b" << "c" << true;
    QTest::newRow("single spaces count") << " " << " " << " " << true;
}

void TestMschapPasswordChangeSheet::acceptNeedsAllThreeFields()
{
    QFETCH(QString, oldPassword);
    QFETCH(QString, newPassword);
    QFETCH(QString, verification);
    QFETCH(bool, enabled);

    MschapPasswordChangeSheet sheet(campus());
    fill(&sheet, oldPassword, newPassword, verification);
    QCOMPARE(sheet.isAcceptEnabled(), enabled);

    // Filling every field enables; clearing any one disables again.
    fill(&sheet, QStringLiteral("o"), QStringLiteral("n"), QStringLiteral("n"));
    QVERIFY(sheet.isAcceptEnabled());
    for (const QString& name : FieldNames) {
        Touch::TextEdit* edit = field(&sheet, name);
        const QString kept = edit->text();
        edit->lineEdit()->backspace();
        QVERIFY2(!sheet.isAcceptEnabled(), qPrintable(name));
        edit->insert(kept);
        QVERIFY(sheet.isAcceptEnabled());
    }
}

void TestMschapPasswordChangeSheet::checksInOrder_data()
{
    QTest::addColumn<QString>("password");       // known to the caller
    QTest::addColumn<QString>("oldPassword");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("verification");
    QTest::addColumn<QString>("banner");         // empty: accepted

    QTest::newRow("all right") << "s3cret" << "s3cret" << "n3w one" << "n3w one" << "";
    QTest::newRow("new equals old") << "s3cret" << "s3cret" << "s3cret" << "s3cret" << "";
    QTest::newRow("wrong old, new ones agree") << "s3cret" << "guess" << "n3w" << "n3w" << WrongOld;
    QTest::newRow("wrong old and new ones differ: only the old is told") << "s3cret" << "guess" << "n3w" << "n4w" << WrongOld;
    QTest::newRow("old differs in case") << "s3cret" << "S3cret" << "n3w" << "n3w" << WrongOld;
    QTest::newRow("old with a trailing space") << "s3cret" << "s3cret " << "n3w" << "n3w" << WrongOld;
    QTest::newRow("new ones differ") << "s3cret" << "s3cret" << "n3w" << "n4w" << NoMatch;
    QTest::newRow("new ones differ in case") << "s3cret" << "s3cret" << "new" << "New" << NoMatch;
    QTest::newRow("password never set") << "" << "anything" << "n3w" << "n3w" << WrongOld;
}

void TestMschapPasswordChangeSheet::checksInOrder()
{
    QFETCH(QString, password);
    QFETCH(QString, oldPassword);
    QFETCH(QString, newPassword);
    QFETCH(QString, verification);
    QFETCH(QString, banner);

    WindowFixture fx;
    MschapPasswordChangeSheet sheet(campus());
    if (!password.isEmpty())
        sheet.setPassword(password);
    fill(&sheet, oldPassword, newPassword, verification);
    QVERIFY(sheet.isAcceptEnabled());
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    Touch::TextEdit* verify = field(&sheet, FieldNames.at(2));
    verify->setFocus(Qt::MouseFocusReason);
    QVERIFY(verify->hasFocus());
    BannerObserver banners;
    QSignalSpy finished(&sheet, &Velin::SimpleSheet::finished);

    // What Connect does; a tap on it would itself take the focus away.
    sheet.accept();

    if (banner.isEmpty()) {
        QVERIFY(banners.texts().isEmpty());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        QCOMPARE(sheet.newPassword(), newPassword);
    } else {
        QCOMPARE(banners.texts(), QStringList(banner));
        QCOMPARE(finished.count(), 0);
        QCOMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
        // Nothing cleared, the focus where it was.
        QCOMPARE(field(&sheet, FieldNames.at(0))->text(), oldPassword);
        QCOMPARE(field(&sheet, FieldNames.at(1))->text(), newPassword);
        QCOMPARE(verify->text(), verification);
        QVERIFY(verify->hasFocus());
        QVERIFY(sheet.isAcceptEnabled());
    }
}

void TestMschapPasswordChangeSheet::cancelAlwaysCloses()
{
    MschapPasswordChangeSheet sheet(campus());
    sheet.setPassword(QStringLiteral("s3cret"));
    fill(&sheet, QStringLiteral("wrong"), QStringLiteral("a"), QStringLiteral("b"));
    BannerObserver banners;
    QSignalSpy finished(&sheet, &Velin::SimpleSheet::finished);
    sheet.done(false);
    QCOMPARE(finished.count(), 1);
    QVERIFY(sheet.isRejected());
    QVERIFY(banners.texts().isEmpty());
}

void TestMschapPasswordChangeSheet::changedThroughExec()
{
    WindowFixture fx;
    MschapPasswordChangeSheet sheet(campus());
    sheet.setPassword(QStringLiteral("Winter2023"));
    BannerObserver banners;
    QList<bool> acceptEnabled;

    connect(&sheet, &Velin::SimpleSheet::appeared, this, [&] {
        Touch::TextEdit* oldEdit = field(&sheet, FieldNames.at(0));
        Touch::TextEdit* newEdit = field(&sheet, FieldNames.at(1));
        Touch::TextEdit* verifyEdit = field(&sheet, FieldNames.at(2));
        QGraphicsWidget* accept = fx.findWidget(QStringLiteral("SheetAcceptButton"), &sheet);

        fx.typeText(oldEdit, QStringLiteral("winter2023"));
        fx.typeText(newEdit, QStringLiteral("Spring2024"));
        acceptEnabled << sheet.isAcceptEnabled();
        fx.typeText(verifyEdit, QStringLiteral("Spring2O24"));
        acceptEnabled << sheet.isAcceptEnabled();
        fx.click(accept);   // the old password is wrong

        oldEdit->clear();
        acceptEnabled << sheet.isAcceptEnabled();
        fx.typeText(oldEdit, QStringLiteral("Winter2023"));
        fx.click(accept);   // now the new ones differ

        verifyEdit->clear();
        fx.typeText(verifyEdit, QStringLiteral("Spring2024"));
        fx.click(accept);
    });
    QTimer::singleShot(10000, &sheet, [&] { sheet.done(false); });

    QCOMPARE(sheet.exec(fx.window()), 1);
    QCOMPARE(acceptEnabled, QList<bool>() << false << true << false);
    QCOMPARE(banners.texts(), QStringList() << WrongOld << NoMatch);
    QCOMPARE(sheet.newPassword(), QStringLiteral("Spring2024"));
}

void TestMschapPasswordChangeSheet::passwordsNeverLogged()
{
    WindowFixture fx;
    MschapPasswordChangeSheet sheet(campus());
    sheet.setPassword(QStringLiteral("Kn0wnPw"));
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    {
        PromptsTest::LogCapture log;
        fx.typeText(field(&sheet, FieldNames.at(0)), QStringLiteral("Typ3dOld"));
        fx.typeText(field(&sheet, FieldNames.at(1)), QStringLiteral("Fr3shA"));
        fx.typeText(field(&sheet, FieldNames.at(2)), QStringLiteral("Fr3shB"));
        sheet.done(true);
        field(&sheet, FieldNames.at(0))->setText(QStringLiteral("Kn0wnPw"));
        sheet.done(true);
        QVERIFY2(PromptsTest::LogCapture::mentionsNone({QStringLiteral("Kn0wnPw"), QStringLiteral("Typ3dOld"),
                                                        QStringLiteral("Fr3shA"), QStringLiteral("Fr3shB")}),
                 qPrintable(PromptsTest::LogCapture::messages().join(QLatin1Char('\n'))));
    }
    QCOMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
}

QTEST_MAIN(TestMschapPasswordChangeSheet)
#include "tst_mschappasswordchangesheet.moc"
