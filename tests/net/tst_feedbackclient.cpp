#include "soundcue/feedbackclient.h"

#include "testdata.h"

#include <QRegularExpression>
#include <QtTest>

// Without a sound driver, as on a build machine; the library reads the
// driver choice when it opens its first context.
class tst_FeedbackClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unavailableSoundWarnsOnce();
    void emptyEventName_data();
    void emptyEventName();
    void machineDefaultStaysQuiet();
};

void tst_FeedbackClient::unavailableSoundWarnsOnce()
{
    qputenv("CANBERRA_DRIVER", "velin-no-such-driver");
    NetTestData::LogCapture log;
    {
        FeedbackClient first;
        FeedbackClient second;
        const QStringList events = {QStringLiteral("dialog-warning"), QStringLiteral("message-new-instant"),
                                    QStringLiteral("bell")};
        for (const QString& event : events) {
            QVERIFY(!first.playEvent(event));
            QCOMPARE(first.lastEvent(), event);
        }
        QVERIFY(!second.playEvent(QStringLiteral("complete")));
        QCOMPARE(second.lastEvent(), QStringLiteral("complete"));
        QCOMPARE(first.lastEvent(), QStringLiteral("bell"));
        QCOMPARE(first.QObject::property("lastEvent"), QVariant(QStringLiteral("bell")));
    }
    QCOMPARE(log.warnings.size(), 1);
    QVERIFY(log.warnings.first().contains(QLatin1String("feedback sounds are unavailable")));
    qunsetenv("CANBERRA_DRIVER");
}

void tst_FeedbackClient::emptyEventName_data()
{
    QTest::addColumn<QString>("event");

    QTest::newRow("null") << QString();
    QTest::newRow("empty") << QString(QLatin1String(""));
    QTest::newRow("blank") << QStringLiteral("  ");
}

void tst_FeedbackClient::emptyEventName()
{
    QFETCH(QString, event);

    FeedbackClient client;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no event name given")));
    QVERIFY(!client.playEvent(event));
    QCOMPARE(client.lastEvent(), event);
}

void tst_FeedbackClient::machineDefaultStaysQuiet()
{
    // Whatever this machine has: playing works or fails without a crash, and
    // the process has had its one warning already.
    NetTestData::LogCapture log;
    FeedbackClient client;
    for (int i = 0; i < 3; ++i)
        client.playEvent(QStringLiteral("dialog-information"));
    QCOMPARE(client.lastEvent(), QStringLiteral("dialog-information"));
    QCOMPARE(log.warnings.size(), 0);
}

QTEST_GUILESS_MAIN(tst_FeedbackClient)

#include "tst_feedbackclient.moc"
