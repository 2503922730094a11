#pragma once

#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

// Records one D-Bus signal (any sender) on the test's system bus. Every
// message gets a sequence number shared by all recorders of the process,
// so tests can tell the order of different signals.
class SignalRecorderPrivate;

class SignalRecorder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY received)

public:
    struct Entry
    {
        int sequence = 0;
        QDBusMessage message;
        QList<QVariant> arguments; // plain values (Velin::DBusValues)
    };

    SignalRecorder(const QString& path, const QString& interface, const QString& name, QObject* parent = nullptr);
    ~SignalRecorder() override;

    bool isConnected() const;
    int count() const;
    QList<Entry> entries() const;
    Entry last() const;
    void clear();

    // Waits until at least count signals are recorded.
    bool waitForCount(int count, int timeoutMs = 5000);

Q_SIGNALS:
    void received();

private Q_SLOTS:
    void record(const QDBusMessage& message);

private:
    SignalRecorderPrivate* const d;
};
