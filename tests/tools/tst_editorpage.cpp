// The host's editor page around the loaded plug-in's editor, driven like a
// user through the advanced pages and Save; what reaches the settings store
// is read back from it.
#include "editorpage.h"

#include "dconffixture.h"
#include "privatebus.h"
#include "windowfixture.h"

#include "base/drilldownitem.h"
#include "base/internetaccesspointeditorinterface.h"
#include "net/internetaccesspoint.h"
#include "net/internetaccesspointtypeinterface.h"
#include "touch/applicationwindow.h"
#include "touch/button.h"
#include "touch/settingsitem.h"
#include "touch/textedit.h"

#include <QGraphicsScene>
#include <QPluginLoader>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using Velin::InternetAccessPoint;

namespace {

const QString wlanRoot = QStringLiteral("/system/ravo/connectivity/wlan");
const QByteArray ssid("Workshop");

InternetAccessPointTypeInterface* wlanType()
{
    static QPluginLoader loader(QStringLiteral(VELIN_WLANTYPE_PLUGIN));
    return qobject_cast<InternetAccessPointTypeInterface*>(loader.instance());
}

// A saved WEP network whose default key is the first of two.
void saveNetwork()
{
    InternetAccessPoint iap(
        {QString(), 0u, QString(), QStringLiteral("WLAN_INFRA"), uint(InternetAccessPoint::SecurityWep), ssid + '\0'});
    iap.setProperty("wlan_ssid", ssid);
    iap.setProperty("type", QStringLiteral("WLAN_INFRA"));
    iap.setProperty("name", QStringLiteral("Workshop"));
    iap.setProperty("wlan_security", QStringLiteral("WEP"));
    iap.setProperty("wlan_wepdefkey", 1);
    iap.setProperty("wlan_wepkey1", QStringLiteral("abcde"));
    iap.setProperty("wlan_wepkey2", QStringLiteral("fghij"));
    QVERIFY(iap.save());
}

QVariant storedProperty(const char* key)
{
    return InternetAccessPoint::loadSaved(QString::fromLatin1(ssid)).property(key);
}

template <typename T>
T* findItem(QGraphicsScene* scene)
{
    for (QGraphicsItem* item : scene->items()) {
        if (auto object = qobject_cast<T*>(item->toGraphicsObject()); object && object->isVisible())
            return object;
    }
    return nullptr;
}

} // namespace

class tst_EditorPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void advancedPages_data();
    void advancedPages();

private:
    EditorPage* openEditor();

    QScopedPointer<DconfFixture> m_dconf;
    QScopedPointer<WindowFixture> m_fixture;
    QPointer<EditorPage> m_page;
};

void tst_EditorPage::init()
{
    QVERIFY(wlanType());
    m_dconf.reset(new DconfFixture);
    m_dconf->setUserDatabaseEnabled(true);
    QVERIFY(m_dconf->load({{QStringLiteral("/system/ravo/connectivity/settings/unrelated"), QVariant(1)}}));
    saveNetwork();
    m_fixture.reset(new WindowFixture);
}

void tst_EditorPage::cleanup()
{
    delete m_page.data();
    m_fixture.reset();
    QVERIFY(Touch::SettingsItem::resetDirectory(wlanRoot));
    m_dconf.reset();
}

EditorPage* tst_EditorPage::openEditor()
{
    // As the host does it: a fresh handle on the saved record, and the editor the plug-in hands out.
    auto iap = new InternetAccessPoint(InternetAccessPoint::loadSaved(QString::fromLatin1(ssid)));
    wlanType()->initializeInternetAccessPoint(iap);
    InternetAccessPointEditorInterface* editor = wlanType()->editor(iap);
    if (!editor)
        return nullptr;
    m_page = new EditorPage(iap, editor);
    m_page->appear(m_fixture->window());
    QTest::qWait(50);
    return m_page;
}

void tst_EditorPage::advancedPages_data()
{
    QTest::addColumn<bool>("done");
    QTest::addColumn<QString>("storedKey");

    QTest::newRow("done keeps") << true << "klmno";
    QTest::newRow("back undoes") << false << "fghij";
}

void tst_EditorPage::advancedPages()
{
    QFETCH(bool, done);
    QFETCH(QString, storedKey);

    EditorPage* page = openEditor();
    QVERIFY(page);
    auto advanced = findItem<Velin::DrillDownItem>(m_fixture->scene());
    QVERIFY(advanced);
    QVERIFY(m_fixture->click(advanced));
    QTRY_VERIFY(page->advancedPage());
    QPointer<Velin::SimpleSheet> advancedPage = page->advancedPage();
    QTRY_COMPARE(advancedPage->sceneWindowState(), Touch::SceneWindow::Appeared);

    auto key2 = m_fixture->find<Touch::TextEdit>(QStringLiteral("wlan_wepkey2"), advancedPage);
    QVERIFY(key2);
    QCOMPARE(key2->text(), QStringLiteral("fghij"));
    key2->clear();
    QVERIFY(m_fixture->typeText(key2, QStringLiteral("klmno")));
    const QString button = done ? QStringLiteral("SheetAcceptButton") : QStringLiteral("SheetRejectButton");
    QVERIFY(m_fixture->click(m_fixture->find<Touch::Button>(button, advancedPage)));
    // Leaving the pages destroys them; that is when the editor restores.
    QTRY_VERIFY(!advancedPage);

    QSignalSpy saved(page, &EditorPage::saved);
    QVERIFY(m_fixture->click(m_fixture->find<Touch::Button>(QStringLiteral("SheetAcceptButton"), page)));
    QTRY_COMPARE(saved.count(), 1);
    QCOMPARE(storedProperty("wlan_wepkey2"), QVariant(storedKey));
    QCOMPARE(storedProperty("wlan_wepkey1"), QVariant(QStringLiteral("abcde")));
}

VELIN_TEST_MAIN_WITH_BUS(tst_EditorPage)
#include "tst_editorpage.moc"
