#include "platformenvironment.h"

#include "devbus/privatebus.h"
#include "devcerts/certificatefactory.h"
#include "touch/settingsitem.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

namespace {

const char* const ControlService = "com.qorva.platformsim";
const char* const ControlPath = "/com/qorva/platformsim";
const char* const ControlInterface = "com.qorva.platformsim.Control";

bool waitForService(const QString& service, int timeoutMs)
{
    QDBusConnectionInterface* bus = QDBusConnection::systemBus().interface();
    if (!bus)
        return false;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (bus->isServiceRegistered(service))
            return true;
        QThread::msleep(20);
    }
    return false;
}

CertificateSubject wapiSubject(const QString& commonName)
{
    CertificateSubject subject;
    subject.commonName = commonName;
    subject.organization = QStringLiteral("Example Corp");
    subject.organizationalUnit = QStringLiteral("WAPI");
    subject.country = QStringLiteral("CN");
    return subject;
}

// A WAPI root certificate and a user certificate it issued, so that the
// certificate sheet has something to offer; the developer's own directory
// ($VELIN_WAPI_CERTIFICATE_DIR) wins.
void provideWapiCertificates(const QString& home)
{
    if (qEnvironmentVariableIsSet("VELIN_WAPI_CERTIFICATE_DIR"))
        return;
    const QDir dir(QDir(home).filePath(QStringLiteral("wapi")));
    const TestCertificate root = CertificateFactory::createRoot(wapiSubject(QStringLiteral("Tower WAPI CA")), 1);
    const TestCertificate user =
        CertificateFactory::createIssued(wapiSubject(QStringLiteral("handset-0042")), root, 42);
    if (!QDir().mkpath(dir.path())
        || !CertificateFactory::writePem(dir.filePath(QStringLiteral("tower-ca.pem")), root)
        || !CertificateFactory::writePem(dir.filePath(QStringLiteral("handset.pem")), user)) {
        qWarning("Cannot write the sample WAPI certificates into %s", qPrintable(dir.path()));
        return;
    }
    qputenv("VELIN_WAPI_CERTIFICATE_DIR", QFile::encodeName(dir.path()));
}

} // namespace

class PlatformEnvironmentPrivate
{
public:
    PrivateBus bus;
    QProcess simulator;
};

PlatformEnvironment::PlatformEnvironment(QObject* parent)
    : QObject(parent)
    , d(new PlatformEnvironmentPrivate)
{
}

PlatformEnvironment::~PlatformEnvironment()
{
    stop();
    delete d;
}

bool PlatformEnvironment::start(const Options& options)
{
    if (!d->bus.start()) {
        qWarning("Cannot start private D-Bus daemons (is the package dbus installed?)");
        return false;
    }

    // Defaults from the compiled catalogue, saved access points in a private
    // user database that the dconf service writes.
    const QString profile = QDir(d->bus.homePath()).filePath(QStringLiteral("dconf-profile"));
    QFile profileFile(profile);
    if (!profileFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qWarning("Cannot write the dconf profile %s", qPrintable(profile));
        return false;
    }
    profileFile.write("user-db:user\n");
    if (!options.settingsDatabase.isEmpty() && QFileInfo::exists(options.settingsDatabase))
        profileFile.write("file-db:" + QFile::encodeName(options.settingsDatabase) + '\n');
    else
        qWarning("No default settings database: the EAP catalogue will be empty");
    profileFile.close();
    qputenv("DCONF_PROFILE", QFile::encodeName(profile));
    Touch::SettingsItem::reload();

    if (!options.keyFile.isEmpty())
        qputenv("VELIN_WLAN_KEY_FILE", QFile::encodeName(options.keyFile));
    provideWapiCertificates(d->bus.homePath());

    if (options.simulatorPath.isEmpty() || !QFileInfo(options.simulatorPath).isExecutable()) {
        qWarning("The platform simulator was not found: no networks will be listed");
        return true;
    }
    QStringList arguments = {QStringLiteral("--save-settings"), QStringLiteral("--exit-with-parent"),
                             QStringLiteral("--quiet")};
    if (!options.networksFile.isEmpty())
        arguments << QStringLiteral("--networks") << options.networksFile;
    d->simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    d->simulator.start(options.simulatorPath, arguments);
    if (!d->simulator.waitForStarted(5000)
        || !waitForService(QStringLiteral("com.qorva.platformsim"), 10000)) {
        qWarning("The platform simulator did not come up");
        return false;
    }
    return true;
}

void PlatformEnvironment::stop()
{
    if (d->simulator.state() != QProcess::NotRunning) {
        d->simulator.terminate();
        if (!d->simulator.waitForFinished(3000))
            d->simulator.kill();
    }
}

bool PlatformEnvironment::control(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(ControlService), QLatin1String(ControlPath),
                                                       QLatin1String(ControlInterface), method);
    call.setArguments(arguments);
    const QDBusMessage reply = QDBusConnection::systemBus().call(call, QDBus::Block, 5000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        qWarning("Simulator control %s failed: %s", qPrintable(method), qPrintable(reply.errorMessage()));
        return false;
    }
    return true;
}
