#include "pluginhost.h"

#include "net/internetaccesspointtypeinterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace {

const char* const PluginFile = "libvelinwlantype.so";

QStringList candidates(const QString& explicitPath)
{
    QStringList paths;
    auto add = [&paths](const QString& path) {
        if (path.isEmpty())
            return;
        const QFileInfo info(path);
        paths << (info.isDir() ? QDir(path).filePath(QLatin1String(PluginFile)) : path);
    };
    add(explicitPath);
    if (!explicitPath.isEmpty())
        return paths;
    add(qEnvironmentVariable("VELIN_PLUGIN_PATH"));
    // An installed host takes the plug-in installed beside it, wherever the
    // package was installed or moved to; only a host that runs from the
    // build tree takes the one built with it.
    const QString installed =
        QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(VELIN_PLUGIN_DIR_FROM_BIN)));
    if (QFileInfo::exists(QDir(installed).filePath(QLatin1String(PluginFile))))
        add(installed);
#ifdef VELIN_BUILD_PLUGIN
    else
        add(QStringLiteral(VELIN_BUILD_PLUGIN));
#endif
    return paths;
}

} // namespace

PluginHost::PluginHost(QObject* parent)
    : QObject(parent)
{
}

PluginHost::~PluginHost()
{
    // The framework unloads plug-ins only at exit; the instance stays valid
    // until then, so nothing is unloaded here.
}

bool PluginHost::load(const QString& explicitPath)
{
    const QStringList paths = candidates(explicitPath);
    for (const QString& path : paths) {
        if (!QFileInfo::exists(path))
            continue;
        auto loader = new QPluginLoader(path, this);
        QObject* instance = loader->instance();
        auto type = qobject_cast<InternetAccessPointTypeInterface*>(instance);
        if (type) {
            m_loader = loader;
            m_type = type;
            return true;
        }
        m_error = instance ? QStringLiteral("%1 is not an access-point type plug-in").arg(path) : loader->errorString();
        delete loader;
    }
    if (m_error.isEmpty())
        m_error = QStringLiteral("No plug-in found; looked at: %1").arg(paths.join(QStringLiteral(", ")));
    return false;
}

InternetAccessPointTypeInterface* PluginHost::type() const
{
    return m_type;
}

QString PluginHost::fileName() const
{
    return m_loader ? m_loader->fileName() : QString();
}

QString PluginHost::errorString() const
{
    return m_error;
}
