// How long each credential prompt takes from construction to its first
// painted frame (key file read included).  The goal is one 60 Hz frame
// (16.7 ms).
#include "wlanui/prompts/eapgtcresponsesheet.h"
#include "wlanui/prompts/easywlandialog.h"
#include "wlanui/prompts/mschappasswordchangesheet.h"
#include "wlanui/prompts/wepkeysheet.h"
#include "wlanui/prompts/wpapsksheet.h"

#include "net/internetaccesspoint.h"
#include "touch/applicationwindow.h"
#include "touch/label.h"

#include <QtTest>

class BenchPrompts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The sample key file: the WEP and WPA-PSK sheets find their SSIDs in it.
        qputenv("VELIN_WLAN_KEY_FILE", VELIN_SAMPLE_KEY_FILE);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
    }

    void buildAndFirstPaint_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::newRow("WEP key sheet") << "wep";
        QTest::newRow("WPA-PSK sheet") << "wpa";
        QTest::newRow("MSCHAPv2 password change sheet") << "mschap";
        QTest::newRow("EAP-GTC response sheet") << "eapgtc";
        QTest::newRow("easy WLAN dialog") << "dialog";
    }

    void buildAndFirstPaint()
    {
        QFETCH(QString, prompt);
        QBENCHMARK {
            Touch::SceneWindow* shown = create(prompt);
            shown->appear(&m_window);
            const QImage frame = m_window.grabImage();
            Q_UNUSED(frame)
            delete shown;
        }
    }

private:
    Touch::SceneWindow* create(const QString& prompt)
    {
        if (prompt == QLatin1String("wep"))
            return new Velin::WepKeySheet(QStringLiteral("Library"));
        if (prompt == QLatin1String("wpa"))
            return new Velin::WpaPskSheet(QStringLiteral("Office"));
        if (prompt == QLatin1String("mschap")) {
            Velin::InternetAccessPoint iap;
            iap.setProperty("name", QStringLiteral("Campus"));
            auto sheet = new Velin::MschapPasswordChangeSheet(iap);
            sheet->setUsername(QStringLiteral("student"));
            return sheet;
        }
        if (prompt == QLatin1String("eapgtc")) {
            auto sheet = new Velin::EapGtcResponseSheet(QStringLiteral("Enter the code that your token card shows."));
            sheet->setConnectionName(QStringLiteral("Campus"));
            return sheet;
        }
        auto dialog = new Velin::EasyWlanDialog(QStringLiteral("Office"));
        dialog->addItem(new Touch::Label(QStringLiteral("One line of content")));
        return dialog;
    }

    Touch::ApplicationWindow m_window;
};

QTEST_MAIN(BenchPrompts)
#include "bench_prompts.moc"
