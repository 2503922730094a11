#pragma once

#include <QObject>
#include <QString>

class FrameworkHost;
class ConnectionListPage;

namespace Touch {
class ApplicationWindow;
}

// The headless walk through the host: photographs the connection list, taps
// every network and fixed entry (photographing and cancelling each sheet the
// plug-in shows), opens the editor of every saved network, and writes one
// PNG per screen.
class Tour : public QObject
{
    Q_OBJECT

public:
    Tour(Touch::ApplicationWindow* window, FrameworkHost* host, ConnectionListPage* page, const QString& directory,
         QObject* parent = nullptr);

    // Runs the whole walk; returns the process exit code.
    int run();

private:
    bool shoot(const QString& name);
    void waitFor(int milliseconds);
    bool waitUntil(const std::function<bool()>& condition, int timeoutMs);
    // Photographs and cancels every sheet above the list while action runs.
    void photographSheetsDuring(const QString& name, const std::function<void()>& action);

    Touch::ApplicationWindow* m_window;
    FrameworkHost* m_host;
    ConnectionListPage* m_page;
    QString m_directory;
    int m_shots = 0;
    bool m_failed = false;
};
