#include "touch/settingsitem.h"

#include "dconffixture.h"
#include "privatebus.h"

#include <QRegularExpression>
#include <QtTest>

#include <limits>

using Touch::SettingsItem;

class tst_SettingsItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsEveryType_data();
    void readsEveryType();
    void unsetKeyIsInvalid();
    void defaultValue();
    void invalidPaths_data();
    void invalidPaths();
    void unsupportedTypeIsInvalid();
    void listDirs_data();
    void listDirs();
    void reloadFollowsProfile();
    void writesThroughService();
    void writeToReadOnlyStoreFails();
    void listKeys_data();
    void listKeys();
    void variantListRoundTrip_data();
    void variantListRoundTrip();
    void variantListFromKeyfile();
    void variantListWithUnstorableItem();
    void resetDirectory_data();
    void resetDirectory();
    void resetDirectoryInvalidPath_data();
    void resetDirectoryInvalidPath();
};

void tst_SettingsItem::readsEveryType_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("i") << QVariant(-42) << QVariant(-42);
    QTest::newRow("i max") << QVariant(std::numeric_limits<int>::max())
                           << QVariant(std::numeric_limits<int>::max());
    QTest::newRow("u small") << QVariant(7u) << QVariant(7);
    QTest::newRow("u above int") << QVariant(4000000000u) << QVariant(qlonglong(4000000000LL));
    QTest::newRow("x small") << QVariant(qlonglong(-5)) << QVariant(-5);
    QTest::newRow("x large") << QVariant(qlonglong(1) << 40) << QVariant(qlonglong(1) << 40);
    QTest::newRow("t large") << QVariant(qulonglong(1) << 63) << QVariant(qulonglong(1) << 63);
    QTest::newRow("n") << QVariant::fromValue(short(-300)) << QVariant(-300);
    QTest::newRow("q") << QVariant::fromValue(ushort(65000)) << QVariant(65000);
    QTest::newRow("y") << QVariant::fromValue(uchar(200)) << QVariant(200);
    QTest::newRow("b true") << QVariant(true) << QVariant(true);
    QTest::newRow("b false") << QVariant(false) << QVariant(false);
    QTest::newRow("s") << QVariant(QStringLiteral("PEAP \"x\"")) << QVariant(QStringLiteral("PEAP \"x\""));
    QTest::newRow("s non-ascii") << QVariant(QString::fromUtf8("Caf\xc3\xa9 \xe6\x97\xa5"))
                                 << QVariant(QString::fromUtf8("Caf\xc3\xa9 \xe6\x97\xa5"));
    QTest::newRow("s empty") << QVariant(QString(QLatin1String(""))) << QVariant(QString(QLatin1String("")));
    QTest::newRow("as") << QVariant(QStringList{QStringLiteral("TLS"), QStringLiteral("PEAP"), QStringLiteral("TTLS")})
                        << QVariant(QStringList{QStringLiteral("TLS"), QStringLiteral("PEAP"), QStringLiteral("TTLS")});
    QTest::newRow("as empty") << QVariant(QStringList()) << QVariant(QStringList());
    QTest::newRow("ay") << QVariant(QByteArray("\x01\x00\xff" "AB", 5)) << QVariant(QByteArray("\x01\x00\xff" "AB", 5));
    QTest::newRow("ay empty") << QVariant(QByteArray()) << QVariant(QByteArray());
    QTest::newRow("d") << QVariant(2.5) << QVariant(2.5);
}

void tst_SettingsItem::readsEveryType()
{
    QFETCH(QVariant, stored);
    QFETCH(QVariant, expected);

    DconfFixture dconf;
    QVERIFY(dconf.load({{QStringLiteral("/velin/test/value"), stored},
                        {QStringLiteral("/velin/test/other"), QVariant(1)}}));

    const QVariant value = SettingsItem(QStringLiteral("/velin/test/value")).value();
    QVERIFY(value.isValid());
    QCOMPARE(value.typeName(), expected.typeName());
    QCOMPARE(value, expected);
}

void tst_SettingsItem::unsetKeyIsInvalid()
{
    DconfFixture dconf;
    QVERIFY(dconf.load({{QStringLiteral("/velin/test/present"), QVariant(1)}}));

    QVERIFY(SettingsItem(QStringLiteral("/velin/test/present")).value().isValid());
    QVERIFY(!SettingsItem(QStringLiteral("/velin/test/absent")).value().isValid());
    QVERIFY(!SettingsItem(QStringLiteral("/velin/elsewhere/present")).value().isValid());
}

void tst_SettingsItem::defaultValue()
{
    DconfFixture dconf;
    QVERIFY(dconf.load({{QStringLiteral("/velin/test/present"), QVariant(QStringLiteral("stored"))}}));

    QCOMPARE(SettingsItem(QStringLiteral("/velin/test/present")).value(QStringLiteral("fallback")),
             QVariant(QStringLiteral("stored")));
    QCOMPARE(SettingsItem(QStringLiteral("/velin/test/absent")).value(QStringLiteral("fallback")),
             QVariant(QStringLiteral("fallback")));
}

void tst_SettingsItem::invalidPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("warns");

    QTest::newRow("empty") << QString() << true;
    QTest::newRow("relative") << QStringLiteral("velin/test/value") << true;
    QTest::newRow("double slash") << QStringLiteral("/velin//value") << true;
    QTest::newRow("directory") << QStringLiteral("/velin/test/") << false;
}

void tst_SettingsItem::invalidPaths()
{
    QFETCH(QString, path);
    QFETCH(bool, warns);

    DconfFixture dconf;
    QVERIFY(dconf.load({{QStringLiteral("/velin/test/value"), QVariant(1)}}));

    if (warns)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a valid settings path")));
    SettingsItem item(path);
    QCOMPARE(item.key(), path);
    QVERIFY(!item.value().isValid());
    QCOMPARE(item.value(QVariant(9)), QVariant(9));
    QCOMPARE(item.listDirs(), QStringList());
}

void tst_SettingsItem::unsupportedTypeIsInvalid()
{
    DconfFixture dconf;
    QVERIFY(dconf.loadKeyfile(QStringLiteral("[velin/test]\npair=(1, 'two')\nnumber=3\n")));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("/velin/test/pair.*\\(is\\)")));
    QVERIFY(!SettingsItem(QStringLiteral("/velin/test/pair")).value().isValid());
    QCOMPARE(SettingsItem(QStringLiteral("/velin/test/number")).value(), QVariant(3));
}

void tst_SettingsItem::listDirs_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("expected");

    const QStringList children = {QStringLiteral("/velin/eap/PEAP"), QStringLiteral("/velin/eap/TLS"),
                                  QStringLiteral("/velin/eap/TTLS"), QStringLiteral("/velin/eap/a b")};
    QTest::newRow("dir") << QStringLiteral("/velin/eap") << children;
    QTest::newRow("dir with slash") << QStringLiteral("/velin/eap/") << children;
    QTest::newRow("nested") << QStringLiteral("/velin/eap/TTLS")
                            << QStringList{QStringLiteral("/velin/eap/TTLS/inner")};
    QTest::newRow("root") << QStringLiteral("/") << QStringList{QStringLiteral("/other"), QStringLiteral("/velin")};
    QTest::newRow("only keys") << QStringLiteral("/velin/eap/TLS") << QStringList();
    QTest::newRow("unknown") << QStringLiteral("/velin/nothing") << QStringList();
    QTest::newRow("a key") << QStringLiteral("/velin/eap/TLS/name") << QStringList();
}

void tst_SettingsItem::listDirs()
{
    QFETCH(QString, path);
    QFETCH(QStringList, expected);

    DconfFixture dconf;
    // Inserted in an order that is not the sorted one.
    QVERIFY(dconf.loadKeyfile(QStringLiteral("[velin/eap/TTLS/inner]\nk=1\n"
                                             "[velin/eap/TLS]\nname='TLS'\n"
                                             "[velin/eap/a b]\nk=1\n"
                                             "[velin/eap/PEAP]\nname='PEAP'\n"
                                             "[velin/eap]\ncount=3\n"
                                             "[other]\nk=1\n")));

    QCOMPARE(SettingsItem(path).listDirs(), expected);
}

void tst_SettingsItem::reloadFollowsProfile()
{
    const QString key = QStringLiteral("/velin/test/value");
    DconfFixture first;
    QVERIFY(first.load({{key, QVariant(1)}}));
    QCOMPARE(SettingsItem(key).value(), QVariant(1));
    {
        DconfFixture second;
        QVERIFY(second.load({{key, QVariant(2)}}));
        QCOMPARE(SettingsItem(key).value(), QVariant(2));
    }
    // The second fixture restored the first one's profile.
    QCOMPARE(SettingsItem(key).value(), QVariant(1));
}

void tst_SettingsItem::writesThroughService()
{
    DconfFixture dconf;
    dconf.setUserDatabaseEnabled(true);
    QVERIFY(dconf.load({{QStringLiteral("/velin/test/default"), QVariant(QStringLiteral("compiled"))}}));

    SettingsItem written(QStringLiteral("/velin/test/written"));
    const QStringList list = {QStringLiteral("one"), QStringLiteral("two")};
    QVERIFY(written.set(list));
    QCOMPARE(written.value(), QVariant(list));
    // Another item on the same key, after the databases were opened anew.
    SettingsItem::reload();
    QCOMPARE(SettingsItem(QStringLiteral("/velin/test/written")).value(), QVariant(list));

    // The user database shadows the compiled default until reset.
    SettingsItem shadowed(QStringLiteral("/velin/test/default"));
    QVERIFY(shadowed.set(QByteArray("\x00\x01", 2)));
    QCOMPARE(shadowed.value(), QVariant(QByteArray("\x00\x01", 2)));
    QVERIFY(shadowed.unset());
    QCOMPARE(shadowed.value(), QVariant(QStringLiteral("compiled")));

    QVERIFY(written.unset());
    QVERIFY(!written.value().isValid());
}

void tst_SettingsItem::writeToReadOnlyStoreFails()
{
    DconfFixture dconf;
    QVERIFY(dconf.load({{QStringLiteral("/velin/test/value"), QVariant(1)}}));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not write /velin/test/value")));
    QVERIFY(!SettingsItem(QStringLiteral("/velin/test/value")).set(5));
    QCOMPARE(SettingsItem(QStringLiteral("/velin/test/value")).value(), QVariant(1));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot store a value of type QPoint")));
    QVERIFY(!SettingsItem(QStringLiteral("/velin/test/value")).set(QPoint(1, 2)));
}

void tst_SettingsItem::listKeys_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("dir") << QStringLiteral("/velin/net")
                         << QStringList{QStringLiteral("/velin/net/a key"), QStringLiteral("/velin/net/count"),
                                        QStringLiteral("/velin/net/zeta")};
    QTest::newRow("dir with slash") << QStringLiteral("/velin/net/")
                                    << QStringList{QStringLiteral("/velin/net/a key"),
                                                   QStringLiteral("/velin/net/count"),
                                                   QStringLiteral("/velin/net/zeta")};
    QTest::newRow("only dirs") << QStringLiteral("/velin") << QStringList();
    QTest::newRow("nested") << QStringLiteral("/velin/net/sub") << QStringList{QStringLiteral("/velin/net/sub/k")};
    QTest::newRow("unknown") << QStringLiteral("/velin/none") << QStringList();
    QTest::newRow("a key") << QStringLiteral("/velin/net/count") << QStringList();
}

void tst_SettingsItem::listKeys()
{
    QFETCH(QString, path);
    QFETCH(QStringList, expected);

    DconfFixture dconf;
    QVERIFY(dconf.loadKeyfile(QStringLiteral("[velin/net]\nzeta=1\ncount=2\na key='x'\n"
                                             "[velin/net/sub]\nk=1\n")));
    QCOMPARE(SettingsItem(path).listKeys(), expected);
}

void tst_SettingsItem::variantListRoundTrip_data()
{
    QTest::addColumn<QVariant>("value");

    QTest::newRow("empty") << QVariant(QVariantList());
    QTest::newRow("bytes") << QVariant(QVariantList{254, 0, 55, 42, 0, 0, 0, 1});
    QTest::newRow("mixed") << QVariant(QVariantList{QStringLiteral("one"), true, QByteArray("\x00\xff", 2),
                                                    QStringList{QStringLiteral("a")}});
    QTest::newRow("nested") << QVariant(QVariantList{QVariantList{1, 2}, QStringLiteral("x")});
}

void tst_SettingsItem::variantListRoundTrip()
{
    QFETCH(QVariant, value);

    DconfFixture dconf;
    dconf.setUserDatabaseEnabled(true);
    QVERIFY(dconf.load({{QStringLiteral("/velin/test/other"), QVariant(1)}}));

    SettingsItem item(QStringLiteral("/velin/test/list"));
    QVERIFY(item.set(value));
    SettingsItem::reload();
    const QVariant read = SettingsItem(QStringLiteral("/velin/test/list")).value();
    QCOMPARE(read.userType(), int(QMetaType::QVariantList));
    QCOMPARE(read, value);
    QVERIFY(item.unset());
}

void tst_SettingsItem::variantListFromKeyfile()
{
    DconfFixture dconf;
    QVERIFY(dconf.loadKeyfile(QStringLiteral("[velin/test]\nlist=[<1>, <'two'>, <[<true>]>]\n"
                                             "broken=[<1>, <(1, 2)>]\n")));

    QCOMPARE(SettingsItem(QStringLiteral("/velin/test/list")).value(),
             QVariant(QVariantList{1, QStringLiteral("two"), QVariantList{true}}));
    // One item without counterpart: the whole list is unreadable.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("/velin/test/broken.*\\(ii\\)")));
    QVERIFY(!SettingsItem(QStringLiteral("/velin/test/broken")).value().isValid());
}

void tst_SettingsItem::variantListWithUnstorableItem()
{
    DconfFixture dconf;
    dconf.setUserDatabaseEnabled(true);
    QVERIFY(dconf.load({{QStringLiteral("/velin/test/list"), QVariant(QStringLiteral("before"))}}));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot store a value of type QPoint")));
    QVERIFY(!SettingsItem(QStringLiteral("/velin/test/list")).set(QVariantList{1, QPoint(1, 2)}));
    QCOMPARE(SettingsItem(QStringLiteral("/velin/test/list")).value(), QVariant(QStringLiteral("before")));
}

void tst_SettingsItem::resetDirectory_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("without slash") << QStringLiteral("/velin/saved/My%20Net");
    QTest::newRow("with slash") << QStringLiteral("/velin/saved/My%20Net/");
}

void tst_SettingsItem::resetDirectory()
{
    QFETCH(QString, path);

    DconfFixture dconf;
    dconf.setUserDatabaseEnabled(true);
    QVERIFY(dconf.load({{QStringLiteral("/velin/saved/My%20Net/compiled"), QVariant(7)}}));

    const QString dir = QStringLiteral("/velin/saved/My%20Net");
    QVERIFY(SettingsItem(dir + QStringLiteral("/key")).set(QStringLiteral("v")));
    QVERIFY(SettingsItem(dir + QStringLiteral("/inner/deep")).set(3));
    QVERIFY(SettingsItem(QStringLiteral("/velin/saved/My%20Net2/key")).set(1));
    QVERIFY(SettingsItem(QStringLiteral("/velin/saved/other/key")).set(2));

    QVERIFY(SettingsItem::resetDirectory(path));

    QVERIFY(!SettingsItem(dir + QStringLiteral("/key")).value().isValid());
    QVERIFY(!SettingsItem(dir + QStringLiteral("/inner/deep")).value().isValid());
    QCOMPARE(SettingsItem(dir).listDirs(), QStringList());
    // The compiled database is read-only: its key stays.
    QCOMPARE(SettingsItem(dir).listKeys(), QStringList{dir + QStringLiteral("/compiled")});
    // Siblings, including one whose name starts the same, are untouched.
    QCOMPARE(SettingsItem(QStringLiteral("/velin/saved/My%20Net2/key")).value(), QVariant(1));
    QCOMPARE(SettingsItem(QStringLiteral("/velin/saved/other/key")).value(), QVariant(2));

    QVERIFY(SettingsItem::resetDirectory(QStringLiteral("/velin/saved")));
    QCOMPARE(SettingsItem(QStringLiteral("/velin/saved")).listDirs(), QStringList{dir});
}

void tst_SettingsItem::resetDirectoryInvalidPath_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("empty") << QString();
    QTest::newRow("relative") << QStringLiteral("velin/saved");
    QTest::newRow("double slash") << QStringLiteral("/velin//saved");
}

void tst_SettingsItem::resetDirectoryInvalidPath()
{
    QFETCH(QString, path);

    DconfFixture dconf;
    dconf.setUserDatabaseEnabled(true);
    QVERIFY(dconf.load({{QStringLiteral("/velin/test/other"), QVariant(1)}}));
    QVERIFY(SettingsItem(QStringLiteral("/velin/saved/key")).set(5));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot reset .*not a directory path")));
    QVERIFY(!SettingsItem::resetDirectory(path));
    QCOMPARE(SettingsItem(QStringLiteral("/velin/saved/key")).value(), QVariant(5));
    QVERIFY(SettingsItem(QStringLiteral("/velin/saved/key")).unset());
}

VELIN_TEST_MAIN_WITH_BUS(tst_SettingsItem)

#include "tst_settingsitem.moc"
