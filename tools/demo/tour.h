#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class FrameworkHost;
class ConnectionListPage;
class EditorPage;
class QGraphicsItem;
class PlatformEnvironment;

namespace Touch {
class ApplicationWindow;
class SceneWindow;
}

namespace Velin {
class SimpleSheet;
}

// The headless walk through the host: photographs the connection list, then
// taps network after network and plays the user on every sheet the plug-in
// shows (open, ad hoc, WEP with the key file, WPA-EAP, WAPI with a key and
// with certificates, a hidden network cancelled, not found and found, WPS
// with push button, PIN and skipped), writing each screen as it appears.
// Then it opens the editor of every network those flows saved: the main
// page with its security section in sight, the advanced pages reached
// through their entry and left with Back, and one Save refused.
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
    // Every saved network, or only the one given.
    void forgetSavedNetworks(const QString& only = QString());

    // The editor of a saved network as a tap on it opens it; null if none came.
    EditorPage* openEditor(const QString& id);
    void tourEditor(const QString& id);
    // A WPA-PSK network's passphrase made too short, and Save: the editor's banner.
    void tourRefusedSave(const QString& id);
    // Sends the sheet away and waits until it has gone.
    bool leave(Velin::SimpleSheet* sheet, bool accept);
    // Pans the sheet as a finger would until the item is wholly in sight;
    // false when it already was.
    bool panTo(Velin::SimpleSheet* sheet, QGraphicsItem* item);

    Touch::ApplicationWindow* m_window;
    FrameworkHost* m_host;
    ConnectionListPage* m_page;
    QString m_directory;
    int m_shots = 0;
    bool m_failed = false;
    QString m_flowName;
};
