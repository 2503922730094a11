// The hidden-network sheet: its one field, what the SSID validator refuses
// and how it says so, pasting, and how the sheet closes.
#include "bannerobserver.h"
#include "lonesurrogates.h"
#include "windowfixture.h"
#include "../prompts/promptstesthelpers.h"

#include "wlanui/discovery/otherconnectionsheet.h"
#include "wlanui/discovery/ssidtextedit.h"
#include "wlanui/discovery/ssidvalidator.h"

#include "base/simpleframe.h"
#include "touch/applicationwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString MaxChar = QStringLiteral("qtn_conn_error_max_char");
const QString OnlyAscii = QStringLiteral("qtn_conn_error_only_ascii");
const QString EnterSsid = QStringLiteral("qtn_conn_error_enter_ssid");
const QString Ssid32 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ-01234");
const QString EAcute = QString(QChar(0xE9));

QStringList bannerList(const QString& banner)
{
    return banner.isEmpty() ? QStringList() : QStringList(banner);
}

Velin::SSIDTextEdit* ssidEdit(Velin::OtherConnectionSheet* sheet)
{
    return PromptsTest::itemOfType<Velin::SSIDTextEdit>(sheet);
}

} // namespace

Q_DECLARE_METATYPE(QValidator::State)

class TestOtherConnectionSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void content();
    void validate_data();
    void validate();
    void oneBannerOfAKindWhileShown_data();
    void oneBannerOfAKindWhileShown();
    void pasteJudgedWhole_data();
    void pasteJudgedWhole();
    void acceptFollowsTheField();
    void closing_data();
    void closing();
};

void TestOtherConnectionSheet::cleanup()
{
    PromptsTest::deleteBanners();
}

void TestOtherConnectionSheet::content()
{
    Velin::OtherConnectionSheet sheet;
    QCOMPARE(sheet.title(), QStringLiteral("qtn_conn_sic_other_title"));
    QCOMPARE(sheet.styleName(), QStringLiteral("Inverted"));
    QCOMPARE(sheet.acceptLabel(), QStringLiteral("qtn_conn_connect"));
    QVERIFY(!sheet.isAcceptEnabled());
    QVERIFY(sheet.ssid().isEmpty());

    const QList<QGraphicsWidget*> widgets = PromptsTest::contentWidgets(sheet.content());
    QCOMPARE(widgets.size(), 1);
    auto frame = qobject_cast<Velin::SimpleFrame*>(widgets.constFirst());
    QVERIFY(frame);
    QCOMPARE(frame->title(), QStringLiteral("qtn_conn_ssid"));
    auto edit = qobject_cast<Velin::SSIDTextEdit*>(frame->content());
    QVERIFY(edit);
    QCOMPARE(edit->styleName(), QStringLiteral("CommonSingleInputFieldLabeled"));
    // An SSID is no secret: shown as typed.
    QCOMPARE(edit->echoMode(), Touch::TextEdit::Normal);
    QVERIFY(!edit->inputMethodPredictionEnabled());
    QVERIFY(!edit->inputMethodCorrectionEnabled());
    QVERIFY(!edit->inputMethodAutoCapitalizationEnabled());
    auto validator = qobject_cast<const Velin::SSIDValidator*>(edit->validator());
    QVERIFY(validator);
    QCOMPARE(validator->parent(), static_cast<QObject*>(edit));

    edit->insert(QStringLiteral("Lab"));
    QCOMPARE(sheet.ssid(), QStringLiteral("Lab"));
    QCOMPARE(sheet.property("ssid").toString(), QStringLiteral("Lab"));
}

void TestOtherConnectionSheet::validate_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QValidator::State>("state");
    QTest::addColumn<QString>("banner");

    const QValidator::State ok = QValidator::Acceptable;
    const QValidator::State refused = QValidator::Invalid;
    QTest::newRow("empty") << "" << ok << "";
    QTest::newRow("one character") << "L" << ok << "";
    QTest::newRow("spaces and punctuation") << " Lab #2 (guest)~ " << ok << "";
    QTest::newRow("32 characters") << Ssid32 << ok << "";
    QTest::newRow("33 characters") << Ssid32 + "x" << refused << MaxChar;
    QTest::newRow("e acute") << QString("Caf" + EAcute) << refused << OnlyAscii;
    QTest::newRow("U+0080") << QString(QChar(0x80)) << refused << OnlyAscii;
    QTest::newRow("emoji") << QString::fromUtf8("Lab \xF0\x9F\x94\x91") << refused << OnlyAscii;
    QTest::newRow("33 with e acute: the character is told") << QString(Ssid32 + EAcute) << refused << OnlyAscii;
    QTest::newRow("NUL") << QString::fromLatin1("Lab\0x", 5) << refused << OnlyAscii;
    QTest::newRow("tab") << "Lab\tx" << refused << OnlyAscii;
    QTest::newRow("line feed") << "Lab\npsk=x" << refused << OnlyAscii;
    QTest::newRow("U+001F") << QString(QChar(0x1F)) << refused << OnlyAscii;
    QTest::newRow("DEL") << QString(QChar(0x7F)) << refused << OnlyAscii;
    // Text that is not valid UTF-16 is still judged character by character.
    for (const auto& row : LoneSurrogates::texts())
        QTest::newRow(qPrintable(row.first)) << row.second << refused << OnlyAscii;
}

void TestOtherConnectionSheet::validate()
{
    QFETCH(QString, input);
    QFETCH(QValidator::State, state);
    QFETCH(QString, banner);

    Velin::SSIDValidator validator;
    BannerObserver banners;
    QString text = input;
    int position = 2;
    QCOMPARE(validator.validate(text, position), state);
    QCOMPARE(text, input);
    QCOMPARE(position, 2);
    QCOMPARE(banners.texts(), bannerList(banner));
}

void TestOtherConnectionSheet::oneBannerOfAKindWhileShown_data()
{
    QTest::addColumn<QString>("start");      // typed first, accepted
    QTest::addColumn<QString>("refused");    // each character refused
    QTest::addColumn<QString>("banner");
    QTest::addColumn<QString>("other");      // a refusal of the other kind: told at once
    QTest::addColumn<QString>("otherBanner");

    QTest::newRow("too long") << Ssid32 << "xyz" << MaxChar << QString(EAcute) << OnlyAscii;
    QTest::newRow("non-ASCII") << "Lab" << QString(EAcute + QChar(0xFC) + EAcute) << OnlyAscii
                               << Ssid32.mid(3) + "x" << MaxChar;
}

void TestOtherConnectionSheet::oneBannerOfAKindWhileShown()
{
    QFETCH(QString, start);
    QFETCH(QString, refused);
    QFETCH(QString, banner);
    QFETCH(QString, other);
    QFETCH(QString, otherBanner);

    WindowFixture fx;
    auto sheet = new Velin::OtherConnectionSheet;
    sheet->appear(fx.window(), Touch::SceneWindow::DestroyWhenDone);
    QTRY_COMPARE(sheet->sceneWindowState(), Touch::SceneWindow::Appeared);
    Velin::SSIDTextEdit* edit = ssidEdit(sheet);
    BannerObserver banners;

    QVERIFY(PromptsTest::typeKeys(fx, edit, start));
    QCOMPARE(edit->text(), start);
    QVERIFY(banners.texts().isEmpty());

    QVERIFY(PromptsTest::typeKeys(fx, edit, refused));
    QCOMPARE(edit->text(), start);
    QCOMPARE(banners.texts(), QStringList(banner));

    // The other kind has a banner of its own.
    QVERIFY(PromptsTest::typeKeys(fx, edit, other));
    QCOMPARE(banners.texts(), QStringList() << banner << otherBanner);

    // Gone: the next refusal is told again.
    QVERIFY(PromptsTest::expireBanners());
    QVERIFY(PromptsTest::typeKeys(fx, edit, refused));
    QCOMPARE(banners.texts(), QStringList() << banner << otherBanner << banner);
    QVERIFY(edit->text().startsWith(start));
    QVERIFY(edit->text().length() <= 32);
    sheet->reject();
}

void TestOtherConnectionSheet::pasteJudgedWhole_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("banner");

    QTest::newRow("plain SSID") << "" << "Office 2" << "Office 2" << "";
    QTest::newRow("filling to 32") << "ABCDEFGHIJ" << Ssid32.mid(10) << Ssid32 << "";
    QTest::newRow("accented letter") << "Caf" << QString(EAcute + " Aurora") << "Caf" << OnlyAscii;
    QTest::newRow("line break") << "Lab" << "\nkey_mgmt=NONE" << "Lab" << OnlyAscii;
    QTest::newRow("NUL") << "Lab" << QString::fromLatin1("\0Lab", 4) << "Lab" << OnlyAscii;
    QTest::newRow("past 32") << "ABCDEFGHIJ" << Ssid32 << "ABCDEFGHIJ" << MaxChar;
}

void TestOtherConnectionSheet::pasteJudgedWhole()
{
    QFETCH(QString, initial);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    QFETCH(QString, banner);

    Velin::OtherConnectionSheet sheet;
    Velin::SSIDTextEdit* edit = ssidEdit(&sheet);
    edit->insert(initial);
    QGuiApplication::clipboard()->setText(clipboard);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    BannerObserver banners;

    edit->paste();
    QCOMPARE(sheet.ssid(), expected);
    QCOMPARE(banners.texts(), bannerList(banner));
}

void TestOtherConnectionSheet::acceptFollowsTheField()
{
    Velin::OtherConnectionSheet sheet;
    Velin::SSIDTextEdit* edit = ssidEdit(&sheet);
    QSignalSpy changes(&sheet, &Velin::SimpleSheet::acceptEnabledChanged);

    edit->insert(QStringLiteral("L"));
    QVERIFY(sheet.isAcceptEnabled());
    edit->insert(QStringLiteral("ab"));
    edit->lineEdit()->backspace();
    QVERIFY(sheet.isAcceptEnabled());
    edit->clear();
    QVERIFY(!sheet.isAcceptEnabled());
    QCOMPARE(changes.count(), 2);
}

void TestOtherConnectionSheet::closing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("action");      // "return", "accept" (the button), "reject" (the button)
    QTest::addColumn<int>("result");          // -1: still open
    QTest::addColumn<QString>("banner");

    QTest::newRow("return with an SSID") << "Lab" << "return" << 1 << "";
    QTest::newRow("accept button with an SSID") << "Lab" << "accept" << 1 << "";
    QTest::newRow("return in an empty field") << "" << "return" << -1 << EnterSsid;
    QTest::newRow("reject with an empty field") << "" << "reject" << 0 << "";
    QTest::newRow("reject with an SSID") << "Lab" << "reject" << 0 << "";
}

void TestOtherConnectionSheet::closing()
{
    QFETCH(QString, typed);
    QFETCH(QString, action);
    QFETCH(int, result);
    QFETCH(QString, banner);

    WindowFixture fx;
    Velin::OtherConnectionSheet sheet;
    Velin::SSIDTextEdit* edit = ssidEdit(&sheet);
    BannerObserver banners;
    bool stayedOpen = false;
    bool focused = false;
    QStringList shown;

    connect(&sheet, &Velin::SimpleSheet::appeared, this, [&] {
        PromptsTest::typeKeys(fx, edit, typed);
        edit->clearFocus();
        if (action == QLatin1String("return")) {
            edit->setFocus(Qt::OtherFocusReason);
            fx.keyClick(Qt::Key_Return);
            edit->clearFocus();
            // Confirmation refused: the field gets the focus again.
            sheet.done(true);
        } else {
            const QString button = action == QLatin1String("accept") ? QStringLiteral("SheetAcceptButton")
                                                                      : QStringLiteral("SheetRejectButton");
            fx.click(fx.findWidget(button, &sheet));
        }
        shown = banners.texts();
        stayedOpen = sheet.sceneWindowState() == Touch::SceneWindow::Appeared;
        focused = edit->hasFocus();
        if (stayedOpen)
            sheet.reject();
    });
    QTimer::singleShot(10000, &sheet, [&] { sheet.done(false); });

    const int code = sheet.exec(fx.window());
    QCOMPARE(stayedOpen, result < 0);
    QCOMPARE(code, result < 0 ? 0 : result);
    QCOMPARE(sheet.isRejected(), result <= 0);
    QCOMPARE(sheet.ssid(), typed);
    if (result < 0) {
        // Once for Enter, once for the confirmation tried afterwards.
        QCOMPARE(shown, QStringList() << banner << banner);
        QVERIFY(focused);
    } else {
        QCOMPARE(shown, bannerList(banner));
    }
}

QTEST_MAIN(TestOtherConnectionSheet)

#include "tst_otherconnectionsheet.moc"
