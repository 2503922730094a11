// 1,000 connection preparations in a row through the loaded plug-in, the
// way the framework asks for them, each with its sheets shown and answered:
// how long one takes, and that no QObject outlives its preparation (sheets,
// their companions, WPS processes, access points). The hidden-network search
// is left out on purpose: each search keeps its scanning process for the
// plug-in's lifetime.
#include "../wlantype/liveobjects.h"

#include "privatebus.h"
#include "windowfixture.h"

#include "net/internetaccesspoint.h"
#include "net/internetaccesspointtypeinterface.h"
#include "touch/applicationwindow.h"
#include "touch/scenewindow.h"
#include "touch/textedit.h"

#include <QPluginLoader>
#include <QTimer>
#include <QtTest>

namespace {

const int preparations = 1000;

QVariantList wlanData(uint attributes, const QByteArray& id)
{
    return {QStringLiteral("WLAN"), 0u, QStringLiteral("wlan0"), QStringLiteral("WLAN_INFRA"), attributes, id};
}

template <typename T>
T* findItem(QGraphicsItem* root, const QString& name = QString())
{
    for (QGraphicsItem* child : root->childItems()) {
        if (T* item = qobject_cast<T*>(child->toGraphicsObject())) {
            if (name.isEmpty() || item->objectName() == name)
                return item;
        }
        if (T* inner = findItem<T>(child, name))
            return inner;
    }
    return nullptr;
}

} // namespace

class BenchConnectionPreparation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void soak_data();
    void soak();

private:
    // Answers each sheet as soon as it is on screen: the next of answers,
    // round and round ("key TEXT", "skip", "cancel").
    void answer();
    void settle();

    QPluginLoader m_loader{QStringLiteral(VELIN_WLANTYPE_PLUGIN)};
    InternetAccessPointTypeInterface* m_type = nullptr;
    WindowFixture m_fx;
    QStringList m_answers;
    int m_next = 0;
    QSet<Touch::SceneWindow*> m_answered;
};

void BenchConnectionPreparation::initTestCase()
{
    qputenv("VELIN_WLAN_KEY_FILE", "/nonexistent/velin-bench-keys");
    m_type = qobject_cast<InternetAccessPointTypeInterface*>(m_loader.instance());
    QVERIFY2(m_type, qPrintable(m_loader.errorString()));
    auto timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &BenchConnectionPreparation::answer);
    timer->start(0);
}

void BenchConnectionPreparation::answer()
{
    Touch::SceneWindow* top = m_fx.window()->currentSceneWindow();
    if (!top || top->sceneWindowState() != Touch::SceneWindow::Appeared || m_answered.contains(top)
        || m_answers.isEmpty())
        return;
    m_answered.insert(top);
    connect(top, &QObject::destroyed, this, [this, top] { m_answered.remove(top); });
    const QString answer = m_answers.at(m_next++ % m_answers.size());
    if (answer == QLatin1String("cancel")) {
        QMetaObject::invokeMethod(top, "reject");
    } else if (answer == QLatin1String("skip")) {
        QMetaObject::invokeMethod(findItem<QGraphicsObject>(top, QStringLiteral("SkipButton")), "click");
    } else if (auto edit = findItem<Touch::TextEdit>(top)) {
        edit->setText(answer.section(QLatin1Char(' '), 1));
        QMetaObject::invokeMethod(top, "accept");
    }
}

void BenchConnectionPreparation::settle()
{
    for (int i = 0; i < 5; ++i) {
        QTest::qWait(20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void BenchConnectionPreparation::soak_data()
{
    QTest::addColumn<QVariantList>("data");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("prepared");

    QTest::newRow("open") << wlanData(0x1, "Cafe") << QStringList() << true;
    QTest::newRow("WPA-PSK accepted") << wlanData(0x21, "Home") << QStringList{"key home-passphrase"} << true;
    QTest::newRow("WPA-PSK cancelled") << wlanData(0x21, "Home") << QStringList{"cancel"} << false;
    QTest::newRow("WPS skipped, then the key") << wlanData(0xF021, "Office")
                                               << QStringList{"skip", "key office-passphrase"} << true;
}

void BenchConnectionPreparation::soak()
{
    QFETCH(QVariantList, data);
    QFETCH(QStringList, answers);
    QFETCH(bool, prepared);

    m_answers = answers;
    m_next = 0;
    // What the first preparations make once (caches, bus connections) stays.
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m_type->createInternetAccessPoint(data).isValid(), prepared);
    settle();

    LiveObjects live;
    int failures = 0;
    QBENCHMARK_ONCE {
        for (int i = 0; i < preparations; ++i)
            failures += m_type->createInternetAccessPoint(data).isValid() == prepared ? 0 : 1;
    }
    settle();
    QCOMPARE(failures, 0);
    QCOMPARE(live.count(), 0);
    m_answers.clear();
}

VELIN_TEST_MAIN_WITH_BUS(BenchConnectionPreparation)

#include "bench_connectionpreparation.moc"
