#pragma once

#include <QObject>
#include <QString>

class InternetAccessPointTypeInterface;
class QPluginLoader;

// Finds and loads the WLAN access-point type plug-in; the host knows it only
// through InternetAccessPointTypeInterface.
class PluginHost : public QObject
{
    Q_OBJECT

public:
    explicit PluginHost(QObject* parent = nullptr);
    ~PluginHost() override;

    // Loads an explicit path (a file or a folder) when given, else the first
    // of $VELIN_PLUGIN_PATH, the plug-in folder installed beside this program
    // and the build tree.
    bool load(const QString& explicitPath = QString());

    InternetAccessPointTypeInterface* type() const;
    QString fileName() const;
    QString errorString() const;

private:
    QPluginLoader* m_loader = nullptr;
    InternetAccessPointTypeInterface* m_type = nullptr;
    QString m_error;
};
