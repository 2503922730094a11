// The WEP key sheet and the WPA-PSK sheet: their content, accept following
// the field, acceptance refused for an incomplete key, real typing through
// exec(), and the key file that pre-fills the field.
#include "bannerobserver.h"
#include "promptstesthelpers.h"
#include "windowfixture.h"

#include "wlanui/prompts/wepkeysheet.h"
#include "wlanui/prompts/wepkeytextedit.h"
#include "wlanui/prompts/wpapsksheet.h"
#include "wlanui/prompts/wpapsktextedit.h"

#include "base/connectionlistitem.h"
#include "base/simpleframe.h"
#include "touch/applicationwindow.h"

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString WepLength = QStringLiteral("qtn_conn_error_invalid_wep_length");
const QString WepChars = QStringLiteral("qtn_conn_error_invalid_chars_wep");
const QString AtLeast8 = QStringLiteral("qtn_conn_error_at_least_8_chars");

Velin::EasyWlanSheet* createSheet(const QString& kind, const QString& ssid)
{
    if (kind == QLatin1String("wep"))
        return new Velin::WepKeySheet(ssid);
    return new Velin::WpaPskSheet(ssid);
}

QString keyOf(Velin::EasyWlanSheet* sheet)
{
    if (auto wep = qobject_cast<Velin::WepKeySheet*>(sheet))
        return wep->wepKey();
    return qobject_cast<Velin::WpaPskSheet*>(sheet)->wpaPsk();
}

Velin::KeyTextEdit* keyEdit(Velin::EasyWlanSheet* sheet)
{
    return PromptsTest::itemOfType<Velin::KeyTextEdit>(sheet);
}

// Points the key file at a file of the test while alive.
class KeyFile
{
public:
    KeyFile()
    {
        m_previous = qgetenv("VELIN_WLAN_KEY_FILE");
        m_hadPrevious = qEnvironmentVariableIsSet("VELIN_WLAN_KEY_FILE");
        m_path = m_dir.filePath(QStringLiteral("wlankeys.txt"));
        use(m_path);
    }
    ~KeyFile()
    {
        if (m_hadPrevious)
            qputenv("VELIN_WLAN_KEY_FILE", m_previous);
        else
            qunsetenv("VELIN_WLAN_KEY_FILE");
    }

    bool write(const QByteArray& content)
    {
        QFile file(m_path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
    }
    void use(const QString& path) { qputenv("VELIN_WLAN_KEY_FILE", QFile::encodeName(path)); }
    QString dir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};

} // namespace

class TestKeySheets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void kind_data();
    void content_data() { kind_data(); }
    void content();
    void acceptFollowsTheField_data() { kind_data(); }
    void acceptFollowsTheField();
    void refusedAcceptanceGivesFocusBack_data();
    void refusedAcceptanceGivesFocusBack();
    void cancelAlwaysCloses_data() { kind_data(); }
    void cancelAlwaysCloses();
    void typedThroughExec_data();
    void typedThroughExec();
    void wepCorrectedAfterRefusal();
    void wpaCorrectedAfterRefusal();
    void wpaLoneSurrogateRefused_data();
    void wpaLoneSurrogateRefused();
    void keyFile_data();
    void keyFile();
    void keyFileLeavesAcceptDisabled_data() { kind_data(); }
    void keyFileLeavesAcceptDisabled();
    void keyFileReadForEverySheet();
    void keyFileMissingOrUnreadable_data();
    void keyFileMissingOrUnreadable();
    void shippedSampleKeyFile();

private:
    QScopedPointer<KeyFile> m_noKeys;
};

void TestKeySheets::initTestCase()
{
    // No key file unless a test writes one: a developer's machine may have
    // the real one.
    m_noKeys.reset(new KeyFile);
}

void TestKeySheets::cleanup()
{
    PromptsTest::deleteBanners();
}

void TestKeySheets::kind_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("wep") << "wep";
    QTest::newRow("wpa") << "wpa";
}

void TestKeySheets::content()
{
    QFETCH(QString, kind);

    QScopedPointer<Velin::EasyWlanSheet> sheet(createSheet(kind, QStringLiteral("Office")));
    const bool wep = kind == QLatin1String("wep");
    QCOMPARE(sheet->styleName(), QStringLiteral("Inverted"));
    QCOMPARE(sheet->title(), QStringLiteral("qtn_conn_sic_title"));
    QCOMPARE(sheet->acceptLabel(), QStringLiteral("qtn_conn_connect"));
    QCOMPARE(sheet->rejectLabel(), QStringLiteral("qtn_comm_cancel"));
    QCOMPARE(sheet->ssid(), QStringLiteral("Office"));
    QVERIFY(!sheet->isAcceptEnabled());

    const QList<QGraphicsWidget*> widgets = PromptsTest::contentWidgets(sheet->content());
    QCOMPARE(widgets.size(), 2);

    auto item = qobject_cast<Velin::ConnectionListItem*>(widgets.at(0));
    QVERIFY(item);
    QCOMPARE(item->styleName(), QStringLiteral("ImageCellSecurity"));
    QCOMPARE(item->label(), QStringLiteral("Office"));
    QCOMPARE(item->typeImageName(), QStringLiteral("icon-m-common-wlan"));
    QCOMPARE(item->securityImageName(), wep ? QStringLiteral("icon-s-wlan-wep") : QStringLiteral("icon-s-wlan-wpa"));
    QCOMPARE(item->acceptedMouseButtons(), Qt::NoButton);

    auto frame = qobject_cast<Velin::SimpleFrame*>(widgets.at(1));
    QVERIFY(frame);
    QCOMPARE(frame->title(), wep ? QStringLiteral("qtn_conn_wep_key") : QStringLiteral("qtn_conn_wpapsk"));
    QGraphicsWidget* field = frame->content();
    if (wep)
        QVERIFY(qobject_cast<Velin::WepKeyTextEdit*>(field));
    else
        QVERIFY(qobject_cast<Velin::WpaPskTextEdit*>(field));
    auto edit = qobject_cast<Velin::KeyTextEdit*>(field);
    QCOMPARE(edit->styleName(), QStringLiteral("CommonSingleInputFieldLabeled"));
    QCOMPARE(int(edit->echoMode()), 2);
    QVERIFY(edit->text().isEmpty());
    QVERIFY(keyOf(sheet.data()).isEmpty());
}

void TestKeySheets::acceptFollowsTheField()
{
    QFETCH(QString, kind);

    QScopedPointer<Velin::EasyWlanSheet> sheet(createSheet(kind, QStringLiteral("Office")));
    Velin::KeyTextEdit* edit = keyEdit(sheet.data());
    QVERIFY(edit);
    QSignalSpy changes(sheet.data(), &Velin::SimpleSheet::acceptEnabledChanged);

    edit->insert(QStringLiteral("a"));
    QVERIFY(sheet->isAcceptEnabled());
    edit->insert(QStringLiteral("bc"));
    QVERIFY(sheet->isAcceptEnabled());
    edit->lineEdit()->backspace();
    edit->lineEdit()->backspace();
    QVERIFY(sheet->isAcceptEnabled());
    edit->lineEdit()->backspace();
    QVERIFY(!sheet->isAcceptEnabled());
    edit->setText(QStringLiteral("12345"));
    QVERIFY(sheet->isAcceptEnabled());
    edit->clear();
    QVERIFY(!sheet->isAcceptEnabled());
    QCOMPARE(changes.count(), 4);
}

void TestKeySheets::refusedAcceptanceGivesFocusBack_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("banner");
    QTest::newRow("wep 7 characters") << "wep" << "abcdefg" << WepLength;
    QTest::newRow("wep 10 with a non-hex digit") << "wep" << "abcdefghij" << WepChars;
    QTest::newRow("wep empty") << "wep" << "" << WepLength;
    QTest::newRow("wpa 7 characters") << "wpa" << "passwor" << AtLeast8;
    QTest::newRow("wpa empty") << "wpa" << "" << AtLeast8;
}

void TestKeySheets::refusedAcceptanceGivesFocusBack()
{
    QFETCH(QString, kind);
    QFETCH(QString, key);
    QFETCH(QString, banner);

    WindowFixture fx;
    QScopedPointer<Velin::EasyWlanSheet> sheet(createSheet(kind, QStringLiteral("Office")));
    Velin::KeyTextEdit* edit = keyEdit(sheet.data());
    edit->setText(key);
    sheet->appear(fx.window());
    QTRY_COMPARE(sheet->sceneWindowState(), Touch::SceneWindow::Appeared);
    edit->clearFocus();
    QVERIFY(!edit->hasFocus());
    BannerObserver banners;
    QSignalSpy finished(sheet.data(), &Velin::SimpleSheet::finished);

    sheet->done(true);

    QCOMPARE(banners.texts(), QStringList(banner));
    QCOMPARE(finished.count(), 0);
    QCOMPARE(sheet->sceneWindowState(), Touch::SceneWindow::Appeared);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->text(), key);
    QCOMPARE(keyOf(sheet.data()), key);
    QTest::qWait(50);
    QCOMPARE(sheet->sceneWindowState(), Touch::SceneWindow::Appeared);
}

void TestKeySheets::cancelAlwaysCloses()
{
    QFETCH(QString, kind);

    WindowFixture fx;
    QScopedPointer<Velin::EasyWlanSheet> sheet(createSheet(kind, QStringLiteral("Office")));
    keyEdit(sheet.data())->setText(QStringLiteral("abc"));
    BannerObserver banners;
    bool clicked = false;
    connect(sheet.data(), &Velin::SimpleSheet::appeared, this, [&] {
        clicked = fx.click(fx.findWidget(QStringLiteral("SheetRejectButton"), sheet.data()));
    });
    QTimer::singleShot(10000, sheet.data(), [&] { sheet->done(false); });
    QCOMPARE(sheet->exec(fx.window()), 0);
    QVERIFY(clicked);
    QVERIFY(sheet->isRejected());
    QVERIFY(banners.texts().isEmpty());
}

void TestKeySheets::typedThroughExec_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("key");      // what the field holds
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("banner");   // shown on Enter; empty: none

    QTest::newRow("wep 5 characters") << "wep" << "Ab1 !" << "Ab1 !" << 1 << "";
    QTest::newRow("wep 13 characters") << "wep" << "Thirteen char" << "Thirteen char" << 1 << "";
    QTest::newRow("wep 10 hex digits") << "wep" << "a1b2c3d4e5" << "a1b2c3d4e5" << 1 << "";
    QTest::newRow("wep 26 hex digits") << "wep" << "0123456789ABCDEF0123456789" << "0123456789ABCDEF0123456789" << 1 << "";
    QTest::newRow("wep 26 typed of 28") << "wep" << "0123456789abcdef0123456789ff" << "0123456789abcdef0123456789" << 1 << "";
    QTest::newRow("wep 10 with g") << "wep" << "a1b2c3d4eg" << "a1b2c3d4eg" << 0 << WepChars;
    QTest::newRow("wep 11") << "wep" << "a1b2c3d4e5f" << "a1b2c3d4e5f" << 0 << WepLength;
    QTest::newRow("wpa 8") << "wpa" << "password" << "password" << 1 << "";
    QTest::newRow("wpa with spaces") << "wpa" << "correct horse battery" << "correct horse battery" << 1 << "";
    QTest::newRow("wpa spaces around kept") << "wpa" << "  padded key " << "  padded key " << 1 << "";
    QTest::newRow("wpa 7") << "wpa" << "passwor" << "passwor" << 0 << AtLeast8;
    QTest::newRow("wpa 64 hex") << "wpa" << QString(64, QLatin1Char('e')) << QString(64, QLatin1Char('e')) << 1 << "";
    QTest::newRow("wpa non-ASCII dropped")
        << "wpa" << QString::fromUtf8("s\xC3\xBC\xC3\x9F passphrase") << "s passphrase" << 1 << "";
}

void TestKeySheets::typedThroughExec()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(QString, key);
    QFETCH(int, result);
    QFETCH(QString, banner);

    WindowFixture fx;
    QScopedPointer<Velin::EasyWlanSheet> sheet(createSheet(kind, QStringLiteral("Office")));
    Velin::KeyTextEdit* edit = keyEdit(sheet.data());
    BannerObserver banners;
    QStringList bannersOnEnter;
    bool typedIn = false;
    bool openAfterEnter = false;
    bool acceptEnabled = false;

    connect(sheet.data(), &Velin::SimpleSheet::appeared, this, [&] {
        typedIn = PromptsTest::typeKeys(fx, edit, typed);
        acceptEnabled = sheet->isAcceptEnabled();
        banners.clear();
        fx.keyClick(Qt::Key_Return);
        bannersOnEnter = banners.texts();
        openAfterEnter = sheet->sceneWindowState() == Touch::SceneWindow::Appeared;
        if (openAfterEnter)
            fx.click(fx.findWidget(QStringLiteral("SheetRejectButton"), sheet.data()));
    });
    QTimer::singleShot(10000, sheet.data(), [&] { sheet->done(false); });

    QCOMPARE(sheet->exec(fx.window()), result);
    QVERIFY(typedIn);
    QVERIFY(acceptEnabled);
    QCOMPARE(keyOf(sheet.data()), key);
    QCOMPARE(bannersOnEnter, banner.isEmpty() ? QStringList() : QStringList(banner));
    QCOMPARE(openAfterEnter, result == 0);
}

void TestKeySheets::wepCorrectedAfterRefusal()
{
    WindowFixture fx;
    Velin::WepKeySheet sheet(QStringLiteral("Library"));
    auto edit = PromptsTest::itemOfType<Velin::WepKeyTextEdit>(&sheet);
    BannerObserver banners;
    QList<bool> acceptEnabled;
    bool focusBack = false;
    bool stayedOpen = false;

    connect(&sheet, &Velin::SimpleSheet::appeared, this, [&] {
        acceptEnabled << sheet.isAcceptEnabled();
        fx.typeText(edit, QStringLiteral("abcdefg"));
        acceptEnabled << sheet.isAcceptEnabled();
        // The user taps Connect: refused, the banner says why, the field
        // has the focus again.
        edit->clearFocus();
        fx.click(fx.findWidget(QStringLiteral("SheetAcceptButton"), &sheet));
        stayedOpen = sheet.sceneWindowState() == Touch::SceneWindow::Appeared;
        focusBack = edit->hasFocus();
        // Typing goes on where it left off.
        fx.typeText(edit, QStringLiteral("hijklm"));
        fx.click(fx.findWidget(QStringLiteral("SheetAcceptButton"), &sheet));
    });
    QTimer::singleShot(10000, &sheet, [&] { sheet.done(false); });

    QCOMPARE(sheet.exec(fx.window()), 1);
    QCOMPARE(acceptEnabled, QList<bool>() << false << true);
    QVERIFY(stayedOpen);
    QVERIFY(focusBack);
    QCOMPARE(banners.texts(), QStringList(WepLength));
    QCOMPARE(sheet.wepKey(), QStringLiteral("abcdefghijklm"));
    QVERIFY(!sheet.isRejected());
}

void TestKeySheets::wpaCorrectedAfterRefusal()
{
    WindowFixture fx;
    Velin::WpaPskSheet sheet(QStringLiteral("Office"));
    auto edit = PromptsTest::itemOfType<Velin::WpaPskTextEdit>(&sheet);
    BannerObserver banners;
    bool focusBack = false;
    bool stayedOpen = false;

    connect(&sheet, &Velin::SimpleSheet::appeared, this, [&] {
        fx.typeText(edit, QStringLiteral("Se7en!!"));
        edit->clearFocus();
        fx.click(fx.findWidget(QStringLiteral("SheetAcceptButton"), &sheet));
        stayedOpen = sheet.sceneWindowState() == Touch::SceneWindow::Appeared;
        focusBack = edit->hasFocus();
        fx.typeText(edit, QStringLiteral("?"));
        fx.keyClick(Qt::Key_Enter);
    });
    QTimer::singleShot(10000, &sheet, [&] { sheet.done(false); });

    QCOMPARE(sheet.exec(fx.window()), 1);
    QVERIFY(stayedOpen);
    QVERIFY(focusBack);
    QCOMPARE(banners.texts(), QStringList(AtLeast8));
    QCOMPARE(sheet.wpaPsk(), QStringLiteral("Se7en!!?"));
}

void TestKeySheets::wpaLoneSurrogateRefused_data()
{
    QTest::addColumn<bool>("inputMethod");
    QTest::addColumn<QStringList>("banners");
    // The line edit drops a key event that carries half a surrogate pair by
    // itself; an input method's commit string reaches the validator.
    QTest::newRow("key events") << false << QStringList();
    QTest::newRow("input method commit") << true << QStringList(QStringLiteral("qtn_conn_error_only_ascii"));
}

void TestKeySheets::wpaLoneSurrogateRefused()
{
    QFETCH(bool, inputMethod);
    QFETCH(QStringList, banners);

    WindowFixture fx;
    Velin::WpaPskSheet sheet(QStringLiteral("Office"));
    auto edit = PromptsTest::itemOfType<Velin::WpaPskTextEdit>(&sheet);
    BannerObserver observer;
    const QString surrogate(QChar(0xD800));

    connect(&sheet, &Velin::SimpleSheet::appeared, this, [&] {
        fx.typeText(edit, QStringLiteral("passwordx"));
        if (inputMethod) {
            QInputMethodEvent commit;
            commit.setCommitString(surrogate);
            QCoreApplication::sendEvent(fx.window(), &commit);
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, surrogate);
            QCoreApplication::sendEvent(fx.window(), &press);
        }
        // Typing goes on being judged after the refused character.
        fx.typeText(edit, QStringLiteral("y"));
        fx.keyClick(Qt::Key_Enter);
    });
    QTimer::singleShot(10000, &sheet, [&] { sheet.done(false); });

    QCOMPARE(sheet.exec(fx.window()), 1);
    QCOMPARE(sheet.wpaPsk(), QStringLiteral("passwordxy"));
    QCOMPARE(observer.texts(), banners);
}

void TestKeySheets::keyFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("ssid");
    QTest::addColumn<QString>("key");

    struct Row
    {
        const char* name;
        QByteArray file;
        const char* ssid;
        const char* key;
    };
    const QList<Row> rows = {
        {"tab, after another SSID", "Home\thomekey1\nOffice\tofficekey\n", "Office", "officekey"},
        {"spaces, after another SSID", "Home   homekey1\nOffice    officekey\n", "Office", "officekey"},
        {"mixed white space", "Office \t \tofficekey\n", "Office", "officekey"},
        {"first match wins", "Office firstkey1\nOffice secondkey\n", "Office", "firstkey1"},
        {"SSID case must match", "office lowercase\nOFFICE uppercase\n", "Office", ""},
        {"only the case-exact line", "office lowercase\nOffice exactcase\n", "Office", "exactcase"},
        {"one-field line skipped", "Office\nOffice afterwards\n", "Office", "afterwards"},
        {"empty lines skipped", "\n\n\nOffice afterblank\n", "Office", "afterblank"},
        {"leading white space: an empty SSID field", "  Office shifted\nOffice unshifted\n", "Office", "unshifted"},
        {"fields after the key ignored", "Office correct horse battery\n", "Office", "correct"},
        {"SSID with white space never matches", "City Library books\n", "City Library", ""},
        {"no line for the SSID", "Home homekey1\nLab labkey12\n", "Office", ""},
        {"no line break at the end", "Home homekey1\nOffice lastline1", "Office", "lastline1"},
        {"SSID is not a prefix match", "OfficeX prefixed\nOffic shorter\n", "Office", ""},
        {"empty file", "", "Office", ""},
    };
    for (const char* kind : {"wep", "wpa"}) {
        for (const Row& row : rows)
            QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(kind), QLatin1String(row.name))))
                << QString::fromLatin1(kind) << row.file << QString::fromUtf8(row.ssid) << QString::fromUtf8(row.key);
    }
}

void TestKeySheets::keyFile()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, file);
    QFETCH(QString, ssid);
    QFETCH(QString, key);

    KeyFile keys;
    QVERIFY(keys.write(file));
    QScopedPointer<Velin::EasyWlanSheet> sheet(createSheet(kind, ssid));
    QCOMPARE(keyOf(sheet.data()), key);
}

void TestKeySheets::keyFileLeavesAcceptDisabled()
{
    QFETCH(QString, kind);

    KeyFile keys;
    QVERIFY(keys.write("Library a1b2c3d4e5\n"));
    QScopedPointer<Velin::EasyWlanSheet> sheet(createSheet(kind, QStringLiteral("Library")));
    QCOMPARE(keyOf(sheet.data()), QStringLiteral("a1b2c3d4e5"));
    QVERIFY(!sheet->isAcceptEnabled());
    // The first change of the text decides again.
    keyEdit(sheet.data())->insert(QStringLiteral("f"));
    QVERIFY(sheet->isAcceptEnabled());
}

void TestKeySheets::keyFileReadForEverySheet()
{
    KeyFile keys;
    QVERIFY(keys.write("Office firstkey1\n"));
    Velin::WpaPskSheet first(QStringLiteral("Office"));
    QVERIFY(keys.write("Office secondkey\n"));
    Velin::WpaPskSheet second(QStringLiteral("Office"));
    Velin::WepKeySheet third(QStringLiteral("Office"));
    QCOMPARE(first.wpaPsk(), QStringLiteral("firstkey1"));
    QCOMPARE(second.wpaPsk(), QStringLiteral("secondkey"));
    QCOMPARE(third.wepKey(), QStringLiteral("secondkey"));
}

void TestKeySheets::keyFileMissingOrUnreadable_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("what");
    for (const char* kind : {"wep", "wpa"}) {
        for (const char* what : {"missing", "directory"})
            QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(kind), QLatin1String(what))))
                << QString::fromLatin1(kind) << QString::fromLatin1(what);
    }
}

void TestKeySheets::keyFileMissingOrUnreadable()
{
    QFETCH(QString, kind);
    QFETCH(QString, what);

    KeyFile keys;
    const QString path = QDir(keys.dir()).filePath(QStringLiteral("keys"));
    if (what == QLatin1String("directory"))
        QVERIFY(QDir().mkpath(path));
    keys.use(path);

    QScopedPointer<Velin::EasyWlanSheet> sheet;
    {
        PromptsTest::LogCapture log;
        sheet.reset(createSheet(kind, QStringLiteral("Office")));
        // Not an error, not reported.
        QVERIFY2(PromptsTest::LogCapture::messages().isEmpty(),
                 qPrintable(PromptsTest::LogCapture::messages().join(QLatin1Char('\n'))));
    }
    QVERIFY(keyOf(sheet.data()).isEmpty());
    QVERIFY(!sheet->isAcceptEnabled());
    QCOMPARE(PromptsTest::contentWidgets(sheet->content()).size(), 2);
}

void TestKeySheets::shippedSampleKeyFile()
{
    // The sample in data/ pre-fills keys that pass their sheet's own check.
    KeyFile keys;
    keys.use(QStringLiteral(VELIN_SOURCE_DIR "/data/wlankeys.txt"));
    Velin::WepKeySheet library(QStringLiteral("Library"));
    QCOMPARE(library.wepKey(), QStringLiteral("a1b2c3d4e5"));
    QVERIFY(PromptsTest::itemOfType<Velin::WepKeyTextEdit>(&library)->validateKey());
    Velin::WpaPskSheet office(QStringLiteral("Office"));
    QVERIFY(!office.wpaPsk().isEmpty());
    QVERIFY(PromptsTest::itemOfType<Velin::WpaPskTextEdit>(&office)->validateKey());
}

QTEST_MAIN(TestKeySheets)
#include "tst_keysheets.moc"
