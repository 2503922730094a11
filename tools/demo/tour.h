#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class FrameworkHost;
class ConnectionListPage;
class PlatformEnvironment;

namespace Touch {
class ApplicationWindow;
class SceneWindow;
}

// The headless walk through the host: photographs the connection list and
// the editors of the saved networks, then taps network after network and
// plays the user on every sheet the plug-in shows (open, WEP with the key
// file, WPA-EAP, WAPI with a key and with certificates, a hidden network
// cancelled, not found and found, WPS with push button, PIN and skipped),
// writing each screen as it appears.
class Tour : public QObject
{
    Q_OBJECT

public:
    Tour(Touch::ApplicationWindow* window, FrameworkHost* host, ConnectionListPage* page, const QString& directory,
         QObject* parent = nullptr);

    // Runs the whole walk; returns the process exit code.
    int run();

private:
    // One tap and what the user does on each sheet that follows, in order:
    // "action; action; ..." per sheet (see play()).
    struct Flow
    {
        QString name;
        QString entry;       // the label of the network or fixed entry to tap
        QStringList sheets;  // one entry per sheet expected
        QString outcome;     // the status to wait for afterwards
    };

    bool shoot(const QString& name);
    void waitFor(int milliseconds);
    bool waitUntil(const std::function<bool()>& condition, int timeoutMs);
    void runFlow(const Flow& flow);
    // Does what a user does on a sheet: fills it in, photographs it, then
    // the last action (accept, cancel, a choice) sends it away.
    bool play(Touch::SceneWindow* sheet, const QString& actions);
    bool act(Touch::SceneWindow* sheet, const QString& action);
    void forgetSavedNetworks();

    Touch::ApplicationWindow* m_window;
    FrameworkHost* m_host;
    ConnectionListPage* m_page;
    QString m_directory;
    int m_shots = 0;
    bool m_failed = false;
    QString m_flowName;
};
