// The WAPI sheet in both variants: its content, when Connect is enabled,
// what switching the key type and choosing certificates do, Enter with an
// empty key, and the property map handed back.
#include "certificatefactory.h"
#include "wapitesthelpers.h"
#include "../prompts/promptstesthelpers.h"
#include "windowfixture.h"

#include "wlanui/security/wapicertificatemodel.h"
#include "wlanui/security/wapicertificatemodelprivate.h"
#include "wlanui/security/wapipresharedkeytextedit.h"
#include "wlanui/security/wapisheet.h"

#include "base/connectionlistitem.h"
#include "base/simpleframe.h"
#include "touch/applicationwindow.h"
#include "touch/combobox.h"

#include <QDir>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using Velin::WapiSheet;

namespace {

CertificateSubject subjectNamed(const QString& commonName)
{
    CertificateSubject subject;
    subject.commonName = commonName;
    subject.organization = QStringLiteral("Velin Test");
    subject.country = QStringLiteral("FI");
    return subject;
}

struct Parts
{
    Velin::ConnectionListItem* item = nullptr;
    Touch::ComboBox* firstCombo = nullptr;  // key type, or root certificate
    Touch::ComboBox* secondCombo = nullptr; // user certificate
    Velin::SimpleFrame* frame = nullptr;
    Velin::WapiPresharedKeyTextEdit* edit = nullptr;
};

Parts partsOf(WapiSheet* sheet)
{
    Parts parts;
    const QList<QGraphicsWidget*> widgets = PromptsTest::contentWidgets(sheet->content());
    if (widgets.size() != 3)
        return parts;
    parts.item = qobject_cast<Velin::ConnectionListItem*>(widgets.at(0));
    parts.firstCombo = qobject_cast<Touch::ComboBox*>(widgets.at(1));
    parts.secondCombo = qobject_cast<Touch::ComboBox*>(widgets.at(2));
    parts.frame = qobject_cast<Velin::SimpleFrame*>(widgets.at(2));
    if (parts.frame)
        parts.edit = qobject_cast<Velin::WapiPresharedKeyTextEdit*>(parts.frame->content());
    return parts;
}

QStringList comboTexts(const Touch::ComboBox* combo)
{
    QStringList texts;
    for (int row = 0; row < combo->count(); ++row)
        texts << combo->itemText(row);
    return texts;
}

} // namespace

class TestWapiSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void pskContent();
    void certificateContent();
    void pskAcceptAndKeyType();
    void returnWithEmptyKeyKeepsTheSheet();
    void pskProperties_data();
    void pskProperties();
    void certificateChoice();

private:
    QTemporaryDir m_dir;
    TestCertificate m_root;
    TestCertificate m_user;
    TestCertificate m_otherUser;
};

void TestWapiSheet::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_root = CertificateFactory::createRoot(subjectNamed(QStringLiteral("Velin Root")), 1);
    const TestCertificate otherRoot = CertificateFactory::createRoot(subjectNamed(QStringLiteral("Other Root")), 2);
    m_user = CertificateFactory::createIssued(subjectNamed(QStringLiteral("Velin User")), m_root, 256);
    m_otherUser = CertificateFactory::createIssued(subjectNamed(QStringLiteral("Other User")), otherRoot, 3);
    const QDir dir(m_dir.path());
    QVERIFY(CertificateFactory::writePem(dir.filePath("a-root.pem"), m_root));
    QVERIFY(CertificateFactory::writePem(dir.filePath("b-users.pem"), QList<TestCertificate>{m_user, m_otherUser}));
    QVERIFY(CertificateFactory::writePem(dir.filePath("c-other-root.pem"), otherRoot));
    Velin::WapiCertificateModelPrivate::setDefaultDirectory(m_dir.path());
}

void TestWapiSheet::cleanupTestCase()
{
    Velin::WapiCertificateModelPrivate::setDefaultDirectory(QString());
}

void TestWapiSheet::cleanup()
{
    PromptsTest::deleteBanners();
}

void TestWapiSheet::pskContent()
{
    WapiSheet sheet(QStringLiteral("Teahouse"), WapiSheet::PreSharedKey);
    QCOMPARE(sheet.sheetType(), WapiSheet::PreSharedKey);
    QCOMPARE(sheet.styleName(), QStringLiteral("Inverted"));
    QCOMPARE(sheet.ssid(), QStringLiteral("Teahouse"));
    QVERIFY(!sheet.isAcceptEnabled());

    const Parts parts = partsOf(&sheet);
    QVERIFY(parts.item && parts.firstCombo && parts.frame && parts.edit);
    QCOMPARE(parts.item->styleName(), QStringLiteral("ImageCellSecurity"));
    QCOMPARE(parts.item->label(), QStringLiteral("Teahouse"));
    QCOMPARE(parts.item->typeImageName(), QStringLiteral("icon-m-common-wlan"));
    QCOMPARE(parts.item->securityImageName(), QStringLiteral("icon-s-wlan-wpa"));
    QCOMPARE(parts.item->acceptedMouseButtons(), Qt::NoButton);

    QCOMPARE(parts.firstCombo->styleName(), QStringLiteral("CommonComboBox"));
    QCOMPARE(parts.firstCombo->title(), QStringLiteral("qtn_conn_wapi_psk_type"));
    QCOMPARE(comboTexts(parts.firstCombo), QStringList() << "qtn_conn_wapi_psk_ascii" << "qtn_conn_wapi_psk_hex");
    QCOMPARE(parts.firstCombo->currentIndex(), 0);
    QCOMPARE(parts.firstCombo->itemModel()->parent(), &sheet);

    QCOMPARE(parts.frame->title(), QStringLiteral("qtn_conn_wapi_psk"));
    QCOMPARE(parts.edit->styleName(), QStringLiteral("CommonSingleInputFieldLabeled"));
    QCOMPARE(parts.edit->objectName(), QStringLiteral("WapiPskEdit"));
    QVERIFY(!parts.edit->isHexMode());
    QVERIFY(parts.edit->text().isEmpty());
}

void TestWapiSheet::certificateContent()
{
    WapiSheet sheet(QStringLiteral("Campus"), WapiSheet::Certificate);
    QVERIFY(!sheet.isAcceptEnabled());
    const Parts parts = partsOf(&sheet);
    QVERIFY(parts.item && parts.firstCombo && parts.secondCombo);
    QCOMPARE(parts.item->securityImageName(), QStringLiteral("icon-s-wlan-wpa"));

    QCOMPARE(parts.firstCombo->styleName(), QStringLiteral("CommonComboBox"));
    QCOMPARE(parts.firstCombo->title(), QStringLiteral("qtn_conn_select_root_cert"));
    QCOMPARE(comboTexts(parts.firstCombo), QStringList() << "qtn_conn_none" << "Velin Root" << "Other Root");
    QCOMPARE(parts.firstCombo->currentIndex(), 0);
    auto rootModel = qobject_cast<Velin::WapiCertificateModel*>(parts.firstCombo->itemModel());
    QVERIFY(rootModel);
    QCOMPARE(rootModel->filter(), Velin::WapiCertificateModel::RootCertificates);
    QCOMPARE(rootModel->parent(), &sheet);

    QCOMPARE(parts.secondCombo->styleName(), QStringLiteral("CommonComboBox"));
    QCOMPARE(parts.secondCombo->title(), QStringLiteral("qtn_conn_select_client_cert"));
    QCOMPARE(comboTexts(parts.secondCombo), QStringList("qtn_conn_none"));
    QCOMPARE(parts.secondCombo->currentIndex(), 0);
    auto userModel = qobject_cast<Velin::WapiCertificateModel*>(parts.secondCombo->itemModel());
    QVERIFY(userModel);
    QCOMPARE(userModel->filter(), Velin::WapiCertificateModel::UserCertificates);
}

void TestWapiSheet::pskAcceptAndKeyType()
{
    WindowFixture fx;
    WapiSheet sheet(QStringLiteral("Teahouse"), WapiSheet::PreSharedKey);
    const Parts parts = partsOf(&sheet);
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);

    QVERIFY(fx.typeText(parts.edit, QStringLiteral("k")));
    QVERIFY(sheet.isAcceptEnabled());
    QVERIFY(fx.typeText(parts.edit, QStringLiteral("ey")));
    QCOMPARE(parts.edit->text(), QStringLiteral("key"));

    // Hexadecimal: the key is cleared, Connect disabled, the field focused.
    parts.edit->clearFocus();
    parts.firstCombo->setCurrentIndex(1);
    QVERIFY(parts.edit->isHexMode());
    QVERIFY(parts.edit->text().isEmpty());
    QVERIFY(!sheet.isAcceptEnabled());
    QVERIFY(parts.edit->hasFocus());
    QVERIFY(fx.typeText(parts.edit, QStringLiteral("0fgA")));
    QCOMPARE(parts.edit->text(), QStringLiteral("0fA"));
    QVERIFY(sheet.isAcceptEnabled());

    // Back to ASCII: cleared again.
    parts.firstCombo->setCurrentIndex(0);
    QVERIFY(!parts.edit->isHexMode());
    QVERIFY(parts.edit->text().isEmpty());
    QVERIFY(!sheet.isAcceptEnabled());
    QVERIFY(fx.typeText(parts.edit, QStringLiteral("g!")));
    QCOMPARE(parts.edit->text(), QStringLiteral("g!"));
    QVERIFY(sheet.isAcceptEnabled());
}

void TestWapiSheet::returnWithEmptyKeyKeepsTheSheet()
{
    WindowFixture fx;
    WapiSheet sheet(QStringLiteral("Teahouse"), WapiSheet::PreSharedKey);
    const Parts parts = partsOf(&sheet);
    bool openAfterEmptyReturn = false;
    bool focusBack = false;
    QSignalSpy finished(&sheet, &Velin::SimpleSheet::finished);

    connect(&sheet, &Velin::SimpleSheet::appeared, this, [&] {
        QVERIFY(fx.typeText(parts.edit, QString()));
        fx.keyClick(Qt::Key_Return);
        openAfterEmptyReturn = sheet.sceneWindowState() == Touch::SceneWindow::Appeared && finished.isEmpty();
        // Also when accepted in code, with the focus elsewhere.
        parts.edit->clearFocus();
        sheet.done(true);
        focusBack = parts.edit->hasFocus() && finished.isEmpty();
        fx.typeText(parts.edit, QStringLiteral("tea4two"));
        fx.keyClick(Qt::Key_Return);
    });
    QTimer::singleShot(10000, &sheet, [&] { sheet.done(false); });

    QCOMPARE(sheet.exec(fx.window()), 1);
    QVERIFY(openAfterEmptyReturn);
    QVERIFY(focusBack);
    QCOMPARE(sheet.properties().value(QStringLiteral("EAP_wpa_preshared_key")), QVariant(QByteArray("tea4two")));
}

void TestWapiSheet::pskProperties_data()
{
    QTest::addColumn<int>("keyType");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ascii, six characters") << 0 << "a1b2c3" << QByteArray("a1b2c3");
    QTest::newRow("hex, six digits") << 1 << "a1B2c3" << QByteArray("\xa1\xb2\xc3");
    QTest::newRow("hex, five digits") << 1 << "a1b2c" << QByteArray("\x0a\x1b\x2c");
    QTest::newRow("ascii, empty") << 0 << "" << QByteArray();
}

void TestWapiSheet::pskProperties()
{
    QFETCH(int, keyType);
    QFETCH(QString, key);
    QFETCH(QByteArray, bytes);

    WapiSheet sheet(QStringLiteral("Teahouse"), WapiSheet::PreSharedKey);
    const Parts parts = partsOf(&sheet);
    parts.firstCombo->setCurrentIndex(keyType);
    parts.edit->insert(key);
    QCOMPARE(parts.edit->text(), key);

    const QMap<QString, QVariant> properties = sheet.properties();
    QCOMPARE(properties.keys(), QStringList() << "EAP_wpa_preshared_key" << "wapi_key_type");
    QCOMPARE(properties.value("wapi_key_type"), QVariant(keyType));
    QCOMPARE(properties.value("EAP_wpa_preshared_key").type(), QVariant::ByteArray);
    QCOMPARE(properties.value("EAP_wpa_preshared_key").toByteArray(), bytes);
}

void TestWapiSheet::certificateChoice()
{
    WapiSheet sheet(QStringLiteral("Campus"), WapiSheet::Certificate);
    const Parts parts = partsOf(&sheet);
    Touch::ComboBox* root = parts.firstCombo;
    Touch::ComboBox* user = parts.secondCombo;
    const QString rootKey = QStringLiteral("WAPI_EC_CS_selected_ca_subject_common_name");
    const QString userKey = QStringLiteral("WAPI_EC_CS_selected_client_subject_common_name");

    root->setCurrentIndex(1);
    QCOMPARE(comboTexts(user), QStringList() << "qtn_conn_none" << "Velin User");
    QCOMPARE(user->currentIndex(), 0);
    QVERIFY(!sheet.isAcceptEnabled());

    user->setCurrentIndex(1);
    QVERIFY(sheet.isAcceptEnabled());
    const QMap<QString, QVariant> properties = sheet.properties();
    QCOMPARE(properties.keys(), QStringList() << rootKey << userKey);
    QCOMPARE(properties.value(rootKey).type(), QVariant::ByteArray);
    QCOMPARE(properties.value(rootKey).toByteArray().toHex(), WapiTest::expectedId(m_root, QByteArray("\x01")).toHex());
    QCOMPARE(properties.value(userKey).toByteArray().toHex(), WapiTest::expectedId(m_user, QByteArray("\x01\x00", 2)).toHex());

    // Another root: its users, none chosen.
    root->setCurrentIndex(2);
    QCOMPARE(comboTexts(user), QStringList() << "qtn_conn_none" << "Other User");
    QCOMPARE(user->currentIndex(), 0);
    QVERIFY(!sheet.isAcceptEnabled());
    user->setCurrentIndex(1);
    QVERIFY(sheet.isAcceptEnabled());
    QCOMPARE(sheet.properties().value(userKey).toByteArray().toHex(), WapiTest::expectedId(m_otherUser, QByteArray("\x03")).toHex());

    // The none row as root again: Connect off, the user list empty.
    root->setCurrentIndex(0);
    QVERIFY(!sheet.isAcceptEnabled());
    QCOMPARE(comboTexts(user), QStringList("qtn_conn_none"));
    QCOMPARE(user->currentIndex(), 0);
    QVERIFY(sheet.properties().value(rootKey).toByteArray().isEmpty());
}

QTEST_MAIN(TestWapiSheet)
#include "tst_wapisheet.moc"
