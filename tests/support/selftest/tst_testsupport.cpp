// Checks the fixtures themselves, so that a suite failing on them points at
// the code under test and not at its tools.
#include "certificatefactory.h"
#include "dconffixture.h"
#include "fakedbusservice.h"
#include "notificationobserver.h"
#include "privatebus.h"

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Read back with OpenSSL directly, not through the factory's accessors.
QByteArray serialOfPem(const QByteArray& pem)
{
    BIO* bio = BIO_new_mem_buf(pem.constData(), pem.size());
    X509* certificate = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr);
    BIO_free(bio);
    if (!certificate)
        return QByteArray();
    BIGNUM* number = ASN1_INTEGER_to_BN(X509_get0_serialNumber(certificate), nullptr);
    char* hex = BN_bn2hex(number);
    const QByteArray result(hex);
    OPENSSL_free(hex);
    BN_free(number);
    X509_free(certificate);
    return result;
}

CertificateSubject fullSubject(const QString& commonName)
{
    CertificateSubject subject;
    subject.commonName = commonName;
    subject.organization = QStringLiteral("Velin Org");
    subject.organizationalUnit = QStringLiteral("QA");
    subject.locality = QString::fromUtf8("Espoo \xe2\x80\x94 Tapiola");
    subject.state = QStringLiteral("Uusimaa");
    subject.country = QStringLiteral("FI");
    return subject;
}

QString busId(const QDBusConnection& connection)
{
    const QDBusMessage reply = connection.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
    return reply.arguments().value(0).toString();
}

} // namespace

class ClosedListener : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void closed(uint id, uint reason) { Q_EMIT received(id, reason); }

Q_SIGNALS:
    void received(uint id, uint reason);
};

class tst_TestSupport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void privateEnvironment();
    void privateBuses();
    void sessionServiceDirectory();
    void certificateSubject();
    void certificateSerial_data();
    void certificateSerial();
    void certificateChain();
    void certificateValidity();
    void pemFileWithSeveral();
    void fakeServiceReplies();
    void fakeServiceIntrospection();
    void fakeServiceReleasesName();
    void notificationServer();
    void dconfFixtureRestoresProfile();
};

void tst_TestSupport::privateEnvironment()
{
    QVERIFY(PrivateBus::instance());
    const QString home = QString::fromLocal8Bit(qgetenv("HOME"));
    QCOMPARE(home, PrivateBus::instance()->homePath());
    QVERIFY(home.startsWith(QDir::tempPath()));
    for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        const QString path = QString::fromLocal8Bit(qgetenv(name));
        QVERIFY2(path.startsWith(QFileInfo(home).path()), name);
        QVERIFY2(QFileInfo(path).isDir() || qstrcmp(name, "XDG_DATA_HOME") == 0, name);
    }
    const QFile::Permissions runtime = QFileInfo(QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"))).permissions();
    QCOMPARE(runtime & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
             QFile::Permissions());
}

void tst_TestSupport::privateBuses()
{
    PrivateBus* bus = PrivateBus::instance();
    QCOMPARE(QString::fromLocal8Bit(qgetenv("DBUS_SESSION_BUS_ADDRESS")), bus->address(PrivateBus::SessionBus));
    QCOMPARE(QString::fromLocal8Bit(qgetenv("DBUS_SYSTEM_BUS_ADDRESS")), bus->address(PrivateBus::SystemBus));
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    QVERIFY(QDBusConnection::systemBus().isConnected());
    const QString sessionId = busId(QDBusConnection::sessionBus());
    const QString systemId = busId(QDBusConnection::systemBus());
    QVERIFY(!sessionId.isEmpty());
    QVERIFY(!systemId.isEmpty());
    QVERIFY(sessionId != systemId);
    // The standard session services are there to be started.
    const QStringList activatable =
        QDBusConnection::sessionBus().interface()->activatableServiceNames().value();
    QVERIFY(activatable.contains(QStringLiteral("ca.desrt.dconf")));
}

void tst_TestSupport::sessionServiceDirectory()
{
    // A service file dropped there becomes activatable (the bus notices new files).
    const QString directory = PrivateBus::instance()->sessionServiceDirectory();
    QFile file(directory + QStringLiteral("/com.velin.test.Activatable.service"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[D-BUS Service]\nName=com.velin.test.Activatable\nExec=/bin/true\n");
    file.close();
    QDBusConnection bus = QDBusConnection::sessionBus();
    QTRY_VERIFY(bus.interface()->activatableServiceNames().value().contains(
        QStringLiteral("com.velin.test.Activatable")));
    QVERIFY(file.remove());
}

void tst_TestSupport::certificateSubject()
{
    const TestCertificate root = CertificateFactory::createRoot(fullSubject(QStringLiteral("Velin Root")));
    QVERIFY(!root.isNull());
    const QSslCertificate parsed = root.toQSslCertificate();
    QVERIFY(!parsed.isNull());
    QCOMPARE(parsed.subjectInfo(QSslCertificate::CommonName), QStringList{QStringLiteral("Velin Root")});
    QCOMPARE(parsed.subjectInfo(QSslCertificate::Organization), QStringList{QStringLiteral("Velin Org")});
    QCOMPARE(parsed.subjectInfo(QSslCertificate::OrganizationalUnitName), QStringList{QStringLiteral("QA")});
    QCOMPARE(parsed.subjectInfo(QSslCertificate::LocalityName),
             QStringList{QString::fromUtf8("Espoo \xe2\x80\x94 Tapiola")});
    QCOMPARE(parsed.subjectInfo(QSslCertificate::StateOrProvinceName), QStringList{QStringLiteral("Uusimaa")});
    QCOMPARE(parsed.subjectInfo(QSslCertificate::CountryName), QStringList{QStringLiteral("FI")});
    QCOMPARE(parsed.issuerInfo(QSslCertificate::CommonName), QStringList{QStringLiteral("Velin Root")});
    QVERIFY(parsed.isSelfSigned());

    CertificateSubject partial;
    partial.commonName = QStringLiteral("Only CN");
    const QSslCertificate onlyName = CertificateFactory::createRoot(partial).toQSslCertificate();
    QVERIFY(onlyName.subjectInfo(QSslCertificate::Organization).isEmpty());
    QVERIFY(onlyName.subjectInfo(QSslCertificate::CountryName).isEmpty());
}

void tst_TestSupport::certificateSerial_data()
{
    QTest::addColumn<quint64>("serial");
    QTest::addColumn<QByteArray>("serialHex");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("zero") << quint64(0) << QByteArray() << QByteArray("0");
    QTest::newRow("one") << quint64(1) << QByteArray() << QByteArray("01");
    QTest::newRow("2^31 + 1") << quint64(2147483649ULL) << QByteArray() << QByteArray("80000001");
    QTest::newRow("2^32") << quint64(4294967296ULL) << QByteArray() << QByteArray("0100000000");
    QTest::newRow("2^63 + 1") << quint64(9223372036854775809ULL) << QByteArray() << QByteArray("8000000000000001");
    QTest::newRow("beyond 64 bits") << quint64(0) << QByteArray("1234567890ABCDEF12") << QByteArray("1234567890ABCDEF12");
}

void tst_TestSupport::certificateSerial()
{
    QFETCH(quint64, serial);
    QFETCH(QByteArray, serialHex);
    QFETCH(QByteArray, expected);

    const TestCertificate root = CertificateFactory::createRoot(fullSubject(QStringLiteral("Root")));
    CertificateFactory::Options options;
    options.subject = fullSubject(QStringLiteral("Issued"));
    options.serial = serial;
    options.serialHex = serialHex;
    const TestCertificate issued = CertificateFactory::create(options, root);
    QVERIFY(!issued.isNull());
    QCOMPARE(serialOfPem(issued.pem()), expected);
}

void tst_TestSupport::certificateChain()
{
    const TestCertificate root = CertificateFactory::createRoot(fullSubject(QStringLiteral("Root")));
    const TestCertificate other = CertificateFactory::createRoot(fullSubject(QStringLiteral("Other Root")));
    const TestCertificate issued = CertificateFactory::createIssued(fullSubject(QStringLiteral("Leaf")), root, 77);
    QVERIFY(!issued.isNull());

    QCOMPARE(X509_verify(issued.x509(), root.key()), 1);
    QVERIFY(X509_verify(issued.x509(), other.key()) != 1);
    QCOMPARE(X509_check_issued(root.x509(), issued.x509()), int(X509_V_OK));
    QVERIFY(X509_check_issued(other.x509(), issued.x509()) != X509_V_OK);
    QCOMPARE(X509_verify(root.x509(), root.key()), 1);

    const QSslCertificate parsed = issued.toQSslCertificate();
    QCOMPARE(parsed.issuerInfo(QSslCertificate::CommonName), QStringList{QStringLiteral("Root")});
    QVERIFY(!parsed.isSelfSigned());
}

void tst_TestSupport::certificateValidity()
{
    CertificateFactory::Options options;
    options.subject = fullSubject(QStringLiteral("Expired"));
    options.notBefore = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    options.notAfter = QDateTime(QDate(2002, 3, 4), QTime(5, 6, 7), Qt::UTC);
    const QSslCertificate parsed = CertificateFactory::create(options).toQSslCertificate();
    QCOMPARE(parsed.effectiveDate(), options.notBefore);
    QCOMPARE(parsed.expiryDate(), options.notAfter);

    const QSslCertificate current =
        CertificateFactory::createRoot(fullSubject(QStringLiteral("Current"))).toQSslCertificate();
    QVERIFY(current.effectiveDate() < QDateTime::currentDateTimeUtc());
    QVERIFY(current.expiryDate() > QDateTime::currentDateTimeUtc());
}

void tst_TestSupport::pemFileWithSeveral()
{
    QTemporaryDir dir;
    const TestCertificate root = CertificateFactory::createRoot(fullSubject(QStringLiteral("Root")));
    const TestCertificate leaf = CertificateFactory::createIssued(fullSubject(QStringLiteral("Leaf")), root, 2);
    const QString path = dir.filePath(QStringLiteral("chain.pem"));
    QVERIFY(CertificateFactory::writePem(path, {leaf, root}));

    const QList<QSslCertificate> read = QSslCertificate::fromPath(path, QSsl::Pem);
    QCOMPARE(read.size(), 2);
    QCOMPARE(read.at(0).subjectInfo(QSslCertificate::CommonName), QStringList{QStringLiteral("Leaf")});
    QCOMPARE(read.at(1).subjectInfo(QSslCertificate::CommonName), QStringList{QStringLiteral("Root")});

    const QString der = dir.filePath(QStringLiteral("leaf.der"));
    QVERIFY(CertificateFactory::writeDer(der, leaf));
    QCOMPARE(QSslCertificate::fromPath(der, QSsl::Der).value(0), read.at(0));
}

void tst_TestSupport::fakeServiceReplies()
{
    FakeDBusService service(FakeDBusService::SessionBus, QStringLiteral("com.velin.test.fake"));
    QVERIFY(service.isRegistered());
    service.setReply(QStringLiteral("Get"), {QStringLiteral("answer"), QVariant(42u)});
    service.setError(QStringLiteral("Fail"), QStringLiteral("com.velin.Error.Nope"), QStringLiteral("no way"));
    QSignalSpy received(&service, &FakeDBusService::callReceived);

    // A blocking call from this thread: the service answers from its own.
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("com.velin.test.fake"), QStringLiteral("/any/path"),
                                                       QStringLiteral("com.velin.Test"), QStringLiteral("Get"));
    call << QStringLiteral("key") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QCOMPARE(reply.arguments(), (QList<QVariant>{QStringLiteral("answer"), QVariant(42u)}));

    const FakeDBusService::Call recorded = service.lastCall();
    QCOMPARE(recorded.path, QStringLiteral("/any/path"));
    QCOMPARE(recorded.interface, QStringLiteral("com.velin.Test"));
    QCOMPARE(recorded.member, QStringLiteral("Get"));
    QCOMPARE(recorded.signature, QStringLiteral("sas"));
    QCOMPARE(recorded.arguments,
             (QList<QVariant>{QStringLiteral("key"), QStringList{QStringLiteral("a"), QStringLiteral("b")}}));
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("Get"));

    QDBusMessage failing = QDBusMessage::createMethodCall(QStringLiteral("com.velin.test.fake"), QStringLiteral("/"),
                                                          QStringLiteral("com.velin.Test"), QStringLiteral("Fail"));
    const QDBusMessage error = QDBusConnection::sessionBus().call(failing);
    QCOMPARE(error.type(), QDBusMessage::ErrorMessage);
    QCOMPARE(error.errorName(), QStringLiteral("com.velin.Error.Nope"));
    QCOMPARE(error.errorMessage(), QStringLiteral("no way"));
    QCOMPARE(service.callCount(), 2);
    QCOMPARE(service.callCount(QStringLiteral("Fail")), 1);
}

void tst_TestSupport::fakeServiceIntrospection()
{
    FakeDBusService service(FakeDBusService::SystemBus, QStringLiteral("com.velin.test.introspected"));
    QVERIFY(service.isRegistered());
    service.setIntrospection(QStringLiteral("/obj"),
                             QStringLiteral("<interface name=\"com.velin.Iface\"><signal name=\"s\"/></interface>"));
    const QDBusMessage reply = QDBusConnection::systemBus().call(QDBusMessage::createMethodCall(
        QStringLiteral("com.velin.test.introspected"), QStringLiteral("/obj"),
        QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect")));
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QVERIFY(reply.arguments().value(0).toString().contains(QStringLiteral("com.velin.Iface")));
    // Introspection is not a call of the daemon's own.
    QCOMPARE(service.callCount(), 0);
}

void tst_TestSupport::fakeServiceReleasesName()
{
    QDBusConnectionInterface* bus = QDBusConnection::systemBus().interface();
    {
        FakeDBusService service(FakeDBusService::SystemBus, QStringLiteral("com.velin.test.shortlived"));
        QVERIFY(service.isRegistered());
        QVERIFY(bus->isServiceRegistered(QStringLiteral("com.velin.test.shortlived")));
        QCOMPARE(bus->serviceOwner(QStringLiteral("com.velin.test.shortlived")).value(), service.uniqueName());

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot own com.velin.test.shortlived")));
        FakeDBusService second(FakeDBusService::SystemBus, QStringLiteral("com.velin.test.shortlived"));
        QVERIFY(!second.isRegistered());
    }
    QVERIFY(!bus->isServiceRegistered(QStringLiteral("com.velin.test.shortlived")));
}

void tst_TestSupport::notificationServer()
{
    NotificationObserver observer;
    QVERIFY(observer.isRegistered());
    QDBusConnection bus = QDBusConnection::sessionBus();
    auto call = [&bus](const QString& member) {
        return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                              QStringLiteral("/org/freedesktop/Notifications"),
                                              QStringLiteral("org.freedesktop.Notifications"), member);
    };

    const QDBusMessage info = bus.call(call(QStringLiteral("GetServerInformation")));
    QCOMPARE(info.signature(), QStringLiteral("ssss"));
    const QDBusMessage capabilities = bus.call(call(QStringLiteral("GetCapabilities")));
    QCOMPARE(capabilities.signature(), QStringLiteral("as"));

    QDBusMessage badNotify = call(QStringLiteral("Notify"));
    badNotify << QStringLiteral("app");
    QCOMPARE(bus.call(badNotify).errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    QCOMPARE(observer.count(), 0);

    QVariantMap hints;
    hints.insert(QStringLiteral("category"), QStringLiteral("network"));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2)));
    for (int i = 0; i < 2; ++i) {
        QDBusMessage notify = call(QStringLiteral("Notify"));
        notify << QStringLiteral("app") << 0u << QStringLiteral("icon") << QStringLiteral("summary")
               << QStringLiteral("body") << QStringList{QStringLiteral("default"), QStringLiteral("Open")} << hints
               << 5000;
        const QDBusMessage reply = bus.call(notify);
        QCOMPARE(reply.arguments().value(0).toUInt(), uint(i + 1));
    }
    QCOMPARE(observer.count(), 2);
    const NotificationObserver::Notification last = observer.last();
    QCOMPARE(last.category(), QStringLiteral("network"));
    QCOMPARE(last.hints.value(QStringLiteral("urgency")).toInt(), 2);
    QCOMPARE(last.actions, (QStringList{QStringLiteral("default"), QStringLiteral("Open")}));
    QCOMPARE(last.expireTimeout, 5000);

    ClosedListener listener;
    QVERIFY(bus.connect(QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
                        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("NotificationClosed"),
                        &listener, SLOT(closed(uint,uint))));
    QSignalSpy closedSignals(&listener, &ClosedListener::received);
    QDBusMessage close = call(QStringLiteral("CloseNotification"));
    close << 2u;
    QCOMPARE(bus.call(close).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(observer.closedIds(), QList<uint>{2u});
    QVERIFY(closedSignals.wait());
    QCOMPARE(closedSignals.at(0).at(0).toUInt(), 2u);
    QCOMPARE(closedSignals.at(0).at(1).toUInt(), 3u); // closed by CloseNotification
}

void tst_TestSupport::dconfFixtureRestoresProfile()
{
    qputenv("DCONF_PROFILE", "/nonexistent/profile");
    {
        DconfFixture dconf;
        QVERIFY(dconf.load({{QStringLiteral("/a/b"), QVariant(1)}}));
        QCOMPARE(QString::fromLocal8Bit(qgetenv("DCONF_PROFILE")), dconf.profilePath());
        QVERIFY(QFileInfo::exists(dconf.databasePath()));
    }
    QCOMPARE(qgetenv("DCONF_PROFILE"), QByteArray("/nonexistent/profile"));
    qunsetenv("DCONF_PROFILE");
}

VELIN_TEST_MAIN_WITH_BUS(tst_TestSupport)

#include "tst_testsupport.moc"
