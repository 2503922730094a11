#include "net/inetsettingsmodel.h"

#include "dconffixture.h"

#include <QRegularExpression>
#include <QtTest>

using Velin::InetSettingsModel;

class tst_InetSettingsModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wlanTxPower_data();
    void wlanTxPower();
};

void tst_InetSettingsModel::wlanTxPower_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("warning");

    QTest::newRow("absent") << QVariant() << 0 << QString();
    QTest::newRow("0") << QVariant(0) << 0 << QString();
    QTest::newRow("1, low power") << QVariant(1) << 1 << QString();
    QTest::newRow("2") << QVariant(2) << 2 << QString();
    QTest::newRow("uint 1") << QVariant(1u) << 1 << QString();
    QTest::newRow("int64 1") << QVariant(qlonglong(1)) << 1 << QString();
    QTest::newRow("out of int range") << QVariant(qlonglong(1) << 40) << 0 << QStringLiteral("holds a qlonglong");
    QTest::newRow("string") << QVariant(QStringLiteral("1")) << 0 << QStringLiteral("holds a QString");
    QTest::newRow("bool") << QVariant(true) << 0 << QStringLiteral("holds a bool");
    QTest::newRow("double") << QVariant(1.0) << 0 << QStringLiteral("holds a double");
}

void tst_InetSettingsModel::wlanTxPower()
{
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    QFETCH(QString, warning);

    DconfFixture dconf;
    QMap<QString, QVariant> values = {{QStringLiteral("/system/ravo/connectivity/settings/other"), QVariant(7)}};
    if (stored.isValid())
        values.insert(QStringLiteral("/system/ravo/connectivity/settings/wlan_tx_power"), stored);
    QVERIFY(dconf.load(values));

    const InetSettingsModel model;
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    QCOMPARE(model.wlanTxPower(), expected);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    QCOMPARE(model.QObject::property("wlanTxPower"), QVariant(expected));
}

QTEST_GUILESS_MAIN(tst_InetSettingsModel)

#include "tst_inetsettingsmodel.moc"
