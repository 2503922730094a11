#pragma once

#include <QObject>

class TerminationWatcherPrivate;

// Turns SIGTERM and SIGINT into a Qt signal, so that the simulator leaves
// through its event loop and releases its bus names on the way out.
class TerminationWatcher : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int lastSignal READ lastSignal)

public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

    bool isWatching() const;
    int lastSignal() const;

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    TerminationWatcherPrivate* const d;
};
