#include "gallerysampledata.h"

#include "base/certificatemodel.h"
#include "touch/settingsitem.h"

#include "devcerts/certificatefactory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

// The compiled catalogue installed beside the program, else the build
// tree's, else the one of the configured prefix; VELIN_DATA_DIR names
// another data directory to prefer.
QString catalogueDatabase()
{
    const QString besideUs = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(VELIN_DATA_DIR_FROM_BIN));
    const QStringList dirs = {qEnvironmentVariable("VELIN_DATA_DIR"), besideUs, QStringLiteral(VELIN_BUILD_DATA_DIR),
                              QStringLiteral(VELIN_INSTALLED_DATA_DIR)};
    for (const QString& dir : dirs) {
        const QString path = QDir(dir).filePath(QStringLiteral("dconf/velin-wlan"));
        if (!dir.isEmpty() && QFileInfo::exists(path))
            return path;
    }
    return QString();
}

// The device settings that the platform would install: WAPI offered in the
// editor's list of security methods.  Compiled next to the profile; empty
// when dconf cannot compile it (the editor then offers no WAPI methods).
QString deviceSettingsDatabase(const QDir& directory)
{
    const QString sourceDir = directory.filePath(QStringLiteral("device.d"));
    const QString database = directory.filePath(QStringLiteral("device"));
    QFile keyfile(QDir(sourceDir).filePath(QStringLiteral("00-wapi")));
    if (!QDir().mkpath(sourceDir) || !keyfile.open(QIODevice::WriteOnly)) {
        qWarning("Gallery: cannot write the device settings; WAPI stays off");
        return QString();
    }
    keyfile.write("[system/ravo/connectivity/network_type/WLAN_INFRA]\nwapi_enabled=true\n");
    keyfile.close();
    QProcess dconf;
    dconf.setProcessChannelMode(QProcess::MergedChannels);
    dconf.start(QStringLiteral("dconf"), {QStringLiteral("compile"), database, sourceDir});
    if (!dconf.waitForFinished(30000) || dconf.exitStatus() != QProcess::NormalExit || dconf.exitCode() != 0) {
        qWarning("Gallery: dconf compile failed (%s); WAPI stays off", qPrintable(dconf.errorString()));
        return QString();
    }
    return database;
}

} // namespace

GallerySampleData::GallerySampleData()
    : m_directory(QDir::tempPath() + QStringLiteral("/velin-gallery-XXXXXX"))
{
    if (!m_directory.isValid()) {
        qWarning("Gallery: no temporary directory; the EAP catalogue will be empty");
        return;
    }

    // Read only: no user database, so nothing of the developer's own
    // settings shows up and no settings service is needed.
    const QString database = catalogueDatabase();
    const QString profile = m_directory.filePath(QStringLiteral("dconf-profile"));
    QFile profileFile(profile);
    if (database.isEmpty()) {
        qWarning("Gallery: the compiled EAP catalogue was not found; build velin_wlan_dconf");
    } else if (profileFile.open(QIODevice::WriteOnly)) {
        profileFile.write("file-db:" + QFile::encodeName(database) + '\n');
        const QString device = deviceSettingsDatabase(QDir(m_directory.path()));
        if (!device.isEmpty())
            profileFile.write("file-db:" + QFile::encodeName(device) + '\n');
        profileFile.close();
        qputenv("DCONF_PROFILE", QFile::encodeName(profile));
        Touch::SettingsItem::reload();
    } else {
        qWarning("Gallery: cannot write %s", qPrintable(profile));
    }

    if (qEnvironmentVariableIsSet("VELIN_CERTIFICATE_DIR"))
        return;
    const QString certificates = m_directory.filePath(QStringLiteral("certificates"));
    CertificateSubject subject;
    subject.commonName = QStringLiteral("Office client");
    subject.organization = QStringLiteral("Example Corp");
    if (QDir().mkpath(certificates)
        && CertificateFactory::writePem(QDir(certificates).filePath(QStringLiteral("office-client.pem")),
                                        CertificateFactory::createRoot(subject)))
        Velin::CertificateModel::setDefaultDirectory(certificates);
    else
        qWarning("Gallery: cannot write the sample client certificate");
}
