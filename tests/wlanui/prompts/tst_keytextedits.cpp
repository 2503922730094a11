// The WEP and WPA-PSK key fields: secret-field set-up, typing and pasting
// through their validators, and the confirmation checks.
#include "bannerobserver.h"
#include "promptstesthelpers.h"
#include "windowfixture.h"

#include "wlanui/prompts/wepkeytextedit.h"
#include "wlanui/prompts/wepkeyvalidator.h"
#include "wlanui/prompts/wpapsktextedit.h"
#include "wlanui/prompts/wpapskvalidator.h"

#include "touch/applicationwindow.h"
#include "touch/scenewindow.h"

#include <QClipboard>
#include <QGraphicsLinearLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString MaxChar = QStringLiteral("qtn_conn_error_max_char");
const QString OnlyAscii = QStringLiteral("qtn_conn_error_only_ascii");
const QString WepLength = QStringLiteral("qtn_conn_error_invalid_wep_length");
const QString WepChars = QStringLiteral("qtn_conn_error_invalid_chars_wep");
const QString AtLeast8 = QStringLiteral("qtn_conn_error_at_least_8_chars");

Velin::KeyTextEdit* createEdit(const QString& kind)
{
    if (kind == QLatin1String("wep"))
        return new Velin::WepKeyTextEdit;
    return new Velin::WpaPskTextEdit;
}

bool confirmKey(Velin::KeyTextEdit* edit)
{
    if (auto wep = qobject_cast<Velin::WepKeyTextEdit*>(edit))
        return wep->validateKey();
    return qobject_cast<Velin::WpaPskTextEdit*>(edit)->validateKey();
}

QString repeated(const QString& unit, int length)
{
    return unit.repeated(length / unit.length() + 1).left(length);
}

QStringList bannerList(const QString& banner)
{
    return banner.isEmpty() ? QStringList() : QStringList(banner);
}

} // namespace

class TestKeyTextEdits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void secretField_data();
    void secretField();
    void validateKey_data();
    void validateKey();
    void confirmationAlwaysShowsItsBanner_data();
    void confirmationAlwaysShowsItsBanner();
    void typing_data();
    void typing();
    void paste_data();
    void paste();
    void typingBannersWhileOneLives();
    void insertGoesThroughTheValidator_data();
    void insertGoesThroughTheValidator();
    void keyNeverLogged_data();
    void keyNeverLogged();
};

void TestKeyTextEdits::cleanup()
{
    PromptsTest::deleteBanners();
}

void TestKeyTextEdits::secretField_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("wep") << "wep";
    QTest::newRow("wpa") << "wpa";
}

void TestKeyTextEdits::secretField()
{
    QFETCH(QString, kind);

    auto parent = new Touch::Widget;
    QScopedPointer<Touch::Widget> owner(parent);
    Velin::KeyTextEdit* edit = kind == QLatin1String("wep")
        ? static_cast<Velin::KeyTextEdit*>(new Velin::WepKeyTextEdit(parent))
        : static_cast<Velin::KeyTextEdit*>(new Velin::WpaPskTextEdit(parent));
    QCOMPARE(edit->parentItem(), static_cast<QGraphicsItem*>(parent));
    QVERIFY(edit->text().isEmpty());

    QCOMPARE(int(edit->echoMode()), 2);
    QCOMPARE(edit->lineEdit()->echoMode(), QLineEdit::Password);
    QVERIFY(!edit->inputMethodPredictionEnabled());
    QVERIFY(!edit->inputMethodCorrectionEnabled());
    QVERIFY(!edit->inputMethodAutoCapitalizationEnabled());
    const Qt::InputMethodHints hints = edit->lineEdit()->inputMethodHints();
    QVERIFY(hints & Qt::ImhNoPredictiveText);
    QVERIFY(hints & Qt::ImhNoAutoUppercase);
    QVERIFY(hints & Qt::ImhSensitiveData);

    // Its own validator, owned by the edit.
    const QValidator* validator = edit->validator();
    QVERIFY(validator);
    QCOMPARE(validator->parent(), static_cast<QObject*>(edit));
    if (kind == QLatin1String("wep"))
        QVERIFY(qobject_cast<const Velin::WepKeyValidator*>(validator));
    else
        QVERIFY(qobject_cast<const Velin::WpaPskValidator*>(validator));
    QPointer<const QValidator> guard(validator);
    owner.reset();
    QVERIFY(guard.isNull());
}

void TestKeyTextEdits::validateKey_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("banner");

    QTest::newRow("wep: empty") << "wep" << "" << false << WepLength;
    QTest::newRow("wep: 4") << "wep" << "abcd" << false << WepLength;
    QTest::newRow("wep: 5 of anything") << "wep" << "!g Z~" << true << "";
    QTest::newRow("wep: 6") << "wep" << "abcdef" << false << WepLength;
    QTest::newRow("wep: 7") << "wep" << "abcdefg" << false << WepLength;
    QTest::newRow("wep: 9 hex") << "wep" << "012345678" << false << WepLength;
    QTest::newRow("wep: 10 hex") << "wep" << "0123456789" << true << "";
    QTest::newRow("wep: 10 upper-case hex") << "wep" << "ABCDEF0123" << true << "";
    QTest::newRow("wep: 10 with g") << "wep" << "012345678g" << false << WepChars;
    QTest::newRow("wep: 10 with a space") << "wep" << "01234 6789" << false << WepChars;
    QTest::newRow("wep: 11") << "wep" << "0123456789a" << false << WepLength;
    QTest::newRow("wep: 12") << "wep" << "0123456789ab" << false << WepLength;
    QTest::newRow("wep: 13 of anything") << "wep" << "my secret key" << true << "";
    QTest::newRow("wep: 14") << "wep" << "0123456789abcd" << false << WepLength;
    QTest::newRow("wep: 25") << "wep" << repeated("0123456789abcdef", 25) << false << WepLength;
    QTest::newRow("wep: 26 hex") << "wep" << repeated("0123456789abcDEF", 26) << true << "";
    QTest::newRow("wep: 26 with z") << "wep" << repeated("0123456789abcdef", 25) + "z" << false << WepChars;
    QTest::newRow("wep: 10 with a lone high surrogate") << "wep" << "012345678" + QString(QChar(0xD800)) << false << WepChars;
    QTest::newRow("wep: 26 with a lone low surrogate")
        << "wep" << QChar(0xDC00) + repeated("0123456789abcdef", 25) << false << WepChars;

    QTest::newRow("wpa: empty") << "wpa" << "" << false << AtLeast8;
    QTest::newRow("wpa: 7") << "wpa" << "passwor" << false << AtLeast8;
    QTest::newRow("wpa: 8") << "wpa" << "password" << true << "";
    QTest::newRow("wpa: 8 spaces") << "wpa" << "        " << true << "";
    QTest::newRow("wpa: 63") << "wpa" << repeated("passphrase ", 63) << true << "";
    QTest::newRow("wpa: 64 hex") << "wpa" << repeated("0123456789abcdef", 64) << true << "";
}

void TestKeyTextEdits::validateKey()
{
    QFETCH(QString, kind);
    QFETCH(QString, key);
    QFETCH(bool, valid);
    QFETCH(QString, banner);

    BannerObserver banners;
    QScopedPointer<Velin::KeyTextEdit> edit(createEdit(kind));
    edit->setText(key);
    QCOMPARE(edit->text(), key);
    // A text set from code is not refused, but the typing check may still
    // tell about it; only the confirmation's banner is judged here.
    banners.clear();
    QCOMPARE(confirmKey(edit.data()), valid);
    QCOMPARE(banners.texts(), bannerList(banner));
    // Judged only: the text is not touched.
    QCOMPARE(edit->text(), key);
}

void TestKeyTextEdits::confirmationAlwaysShowsItsBanner_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("banner");
    QTest::newRow("wep length") << "wep" << "abc" << WepLength;
    QTest::newRow("wep characters") << "wep" << "abcdefghij" << WepChars;
    QTest::newRow("wpa length") << "wpa" << "abc" << AtLeast8;
}

void TestKeyTextEdits::confirmationAlwaysShowsItsBanner()
{
    QFETCH(QString, kind);
    QFETCH(QString, key);
    QFETCH(QString, banner);

    BannerObserver banners;
    QScopedPointer<Velin::KeyTextEdit> edit(createEdit(kind));
    edit->setText(key);
    QVERIFY(!confirmKey(edit.data()));
    QVERIFY(!confirmKey(edit.data()));
    QVERIFY(!confirmKey(edit.data()));
    // Each confirmation is told, though the earlier banners still show.
    QCOMPARE(banners.texts(), QStringList() << banner << banner << banner);
    for (const QPointer<QObject>& shown : banners.banners())
        QVERIFY(shown);
}

void TestKeyTextEdits::typing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("banners");

    const QString hex26 = repeated("0123456789abcdef", 26);
    const QString hex63 = repeated("0123456789abcdef", 63);
    const QString words63 = repeated("passphrase ", 63);

    QTest::newRow("wep: 26th character taken") << "wep" << hex26.left(25) << "f" << hex26.left(25) + "f" << QStringList();
    QTest::newRow("wep: 27th character refused") << "wep" << hex26 << "a" << hex26 << QStringList(MaxChar);
    QTest::newRow("wep: only the keys past 26 refused, told once")
        << "wep" << hex26.left(24) << "abcde" << hex26.left(24) + "ab" << QStringList(MaxChar);
    QTest::newRow("wep: e acute dropped, the rest taken")
        << "wep" << "" << QString::fromUtf8("ab\xC3\xA9" "cd") << "abcd" << QStringList(OnlyAscii);
    QTest::newRow("wep: several non-ASCII keys, told once")
        << "wep" << "" << QString::fromUtf8("\xC3\xA9" "a\xC3\xA8" "b\xC3\xBC") << "ab" << QStringList(OnlyAscii);

    QTest::newRow("wpa: 64th hex digit after 63 hex taken") << "wpa" << hex63 << "A" << hex63 + "A" << QStringList();
    QTest::newRow("wpa: 64th non-hex after 63 hex refused") << "wpa" << hex63 << "g" << hex63 << QStringList(MaxChar);
    QTest::newRow("wpa: 64th after a 63 passphrase refused") << "wpa" << words63 << "a" << words63 << QStringList(MaxChar);
    QTest::newRow("wpa: 65th after 64 hex refused")
        << "wpa" << hex63 + "f" << "0" << hex63 + "f" << QStringList(MaxChar);
    QTest::newRow("wpa: passphrase with spaces and symbols")
        << "wpa" << "" << "Tr0ub4dor & 3 ~" << "Tr0ub4dor & 3 ~" << QStringList();
    QTest::newRow("wpa: o umlaut dropped")
        << "wpa" << "" << QString::fromUtf8("p\xC3\xB6ssword") << "pssword" << QStringList(OnlyAscii);
}

void TestKeyTextEdits::typing()
{
    QFETCH(QString, kind);
    QFETCH(QString, initial);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QStringList, banners);

    WindowFixture fx;
    Velin::KeyTextEdit* edit = createEdit(kind);
    fx.showOnPage({edit});
    edit->setText(initial);
    BannerObserver observer;

    // Into the field, after what it holds.
    QVERIFY(fx.typeText(edit, QString()));
    fx.keyClick(Qt::Key_End);
    QVERIFY(PromptsTest::typeKeys(fx, edit, typed));
    QCOMPARE(edit->text(), expected);
    QCOMPARE(observer.texts(), banners);
}

void TestKeyTextEdits::paste_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("banner");

    const QString hex26 = repeated("0123456789abcdef", 26);
    const QString hex64 = repeated("0123456789abcdef", 64);

    QTest::newRow("wep: fits") << "wep" << "01234" << "56789" << "0123456789" << "";
    QTest::newRow("wep: whole key") << "wep" << "" << hex26 << hex26 << "";
    QTest::newRow("wep: one too many refused as a whole") << "wep" << "0" << hex26 << "0" << MaxChar;
    QTest::newRow("wep: non-ASCII refused as a whole")
        << "wep" << "ab" << QString::fromUtf8("cd\xC3\xA9" "f") << "ab" << OnlyAscii;
    QTest::newRow("wep: line feed refused as a whole") << "wep" << "" << "abcde\n" << "" << OnlyAscii;
    QTest::newRow("wep: DEL refused as a whole") << "wep" << "" << "ab\x7F" "cd" << "" << OnlyAscii;

    QTest::newRow("wpa: passphrase") << "wpa" << "" << "correct horse battery staple" << "correct horse battery staple" << "";
    QTest::newRow("wpa: raw key") << "wpa" << "" << hex64 << hex64 << "";
    QTest::newRow("wpa: raw key after text refused") << "wpa" << "x" << hex64 << "x" << MaxChar;
    QTest::newRow("wpa: line break refused as a whole")
        << "wpa" << "pre" << "passphrase\"\nkey_mgmt=NONE" << "pre" << OnlyAscii;
    QTest::newRow("wpa: carriage return refused as a whole") << "wpa" << "" << "password\r" << "" << OnlyAscii;
    QTest::newRow("wpa: tab refused as a whole") << "wpa" << "" << "pass\tword" << "" << OnlyAscii;
    QTest::newRow("wpa: non-ASCII refused as a whole")
        << "wpa" << "" << QString::fromUtf8("na\xC3\xAFve passphrase") << "" << OnlyAscii;
}

void TestKeyTextEdits::paste()
{
    QFETCH(QString, kind);
    QFETCH(QString, initial);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    QFETCH(QString, banner);

    QScopedPointer<Velin::KeyTextEdit> edit(createEdit(kind));
    edit->setText(initial);
    edit->setCursorPosition(initial.length());
    QGuiApplication::clipboard()->setText(clipboard);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    BannerObserver banners;

    edit->paste();
    QCOMPARE(edit->text(), expected);
    QCOMPARE(banners.texts(), bannerList(banner));
}

void TestKeyTextEdits::typingBannersWhileOneLives()
{
    WindowFixture fx;
    auto edit = new Velin::WpaPskTextEdit;
    fx.showOnPage({edit});
    BannerObserver banners;
    const QString words = repeated("passphrase ", 63);

    QVERIFY(fx.typeText(edit, words + "xy"));
    QCOMPARE(edit->text(), words);
    QCOMPARE(banners.texts(), QStringList(MaxChar));

    // Room again, but a foreign character: told although the other banner is up.
    fx.keyClick(Qt::Key_Backspace);
    fx.keyClick(Qt::Key_Backspace);
    QVERIFY(PromptsTest::typeKeys(fx, edit, QString::fromUtf8("\xC3\xA9")));
    QCOMPARE(banners.texts(), QStringList() << MaxChar << OnlyAscii);
    QVERIFY(PromptsTest::typeKeys(fx, edit, QString::fromUtf8("\xC3\xA9" "ab" "\xC3\xA9")));
    QCOMPARE(edit->text(), words.left(61) + "ab");
    QCOMPARE(banners.size(), 2);

    // Both gone: the next refusals are told again.
    QVERIFY(PromptsTest::expireBanners());
    fx.keyClick(Qt::Key_Backspace);
    QVERIFY(PromptsTest::typeKeys(fx, edit, QString::fromUtf8("\xC3\xA9" "\xC3\xA9")));
    QCOMPARE(banners.texts(), QStringList() << MaxChar << OnlyAscii << OnlyAscii);
    QVERIFY(fx.typeText(edit, "zz"));
    QCOMPARE(edit->text(), words.left(61) + "az");
    QCOMPARE(banners.texts(), QStringList() << MaxChar << OnlyAscii << OnlyAscii << MaxChar);
}

void TestKeyTextEdits::insertGoesThroughTheValidator_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("banner");
    QTest::newRow("wep key") << "wep" << "a1b2c3d4e5" << "a1b2c3d4e5" << "";
    QTest::newRow("wep too long") << "wep" << repeated("a1", 27) << "" << MaxChar;
    QTest::newRow("wpa with a line feed") << "wpa" << "abc\ndefgh" << "" << OnlyAscii;
}

void TestKeyTextEdits::insertGoesThroughTheValidator()
{
    QFETCH(QString, kind);
    QFETCH(QString, inserted);
    QFETCH(QString, expected);
    QFETCH(QString, banner);

    BannerObserver banners;
    QScopedPointer<Velin::KeyTextEdit> edit(createEdit(kind));
    edit->insert(inserted);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(banners.texts(), bannerList(banner));
}

void TestKeyTextEdits::keyNeverLogged_data()
{
    secretField_data();
}

void TestKeyTextEdits::keyNeverLogged()
{
    QFETCH(QString, kind);

    WindowFixture fx;
    Velin::KeyTextEdit* edit = createEdit(kind);
    fx.showOnPage({edit});
    const QString secret = QStringLiteral("s3cr3tK");
    const QString pasted = QStringLiteral("Zq9\nxW");
    {
        PromptsTest::LogCapture log;
        QVERIFY(fx.typeText(edit, secret + QString(70, QLatin1Char('w'))));
        QGuiApplication::clipboard()->setText(pasted);
        edit->paste();
        confirmKey(edit);
        edit->clear();
        edit->insert(secret.left(5));
        confirmKey(edit);
        QVERIFY2(PromptsTest::LogCapture::mentionsNone({secret, secret.left(5), QStringLiteral("Zq9")}),
                 qPrintable(PromptsTest::LogCapture::messages().join(QLatin1Char('\n'))));
    }
    QVERIFY(edit->text().startsWith(secret.left(5)));
}

QTEST_MAIN(TestKeyTextEdits)
#include "tst_keytextedits.moc"
