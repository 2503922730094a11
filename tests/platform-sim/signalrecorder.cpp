#include "signalrecorder.h"

#include "base/dbusvalues.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QSignalSpy>

namespace {

int sequenceCounter = 0;

} // namespace

class SignalRecorderPrivate
{
public:
    SignalRecorder* q = nullptr;
    QString path;
    QString interface;
    QString name;
    bool connected = false;
    QList<SignalRecorder::Entry> recorded;
};

SignalRecorder::SignalRecorder(const QString& signalPath, const QString& signalInterface, const QString& signalName,
                               QObject* parent)
    : QObject(parent)
    , d(new SignalRecorderPrivate{nullptr, signalPath, signalInterface, signalName, false, {}})
{
    d->q = this;
    // The string form is the only one QtDBus offers for bus signals.
    d->connected = QDBusConnection::systemBus().connect(QString(), d->path, d->interface, d->name, this,
                                                        SLOT(record(QDBusMessage)));
    if (!d->connected)
        qWarning("SignalRecorder: cannot listen to %s.%s", qPrintable(d->interface), qPrintable(d->name));
}

SignalRecorder::~SignalRecorder()
{
    if (d->connected)
        QDBusConnection::systemBus().disconnect(QString(), d->path, d->interface, d->name, this,
                                                SLOT(record(QDBusMessage)));
    delete d;
}

bool SignalRecorder::isConnected() const
{
    return d->connected;
}

int SignalRecorder::count() const
{
    return d->recorded.size();
}

QList<SignalRecorder::Entry> SignalRecorder::entries() const
{
    return d->recorded;
}

SignalRecorder::Entry SignalRecorder::last() const
{
    return d->recorded.isEmpty() ? Entry() : d->recorded.constLast();
}

void SignalRecorder::clear()
{
    d->recorded.clear();
}

bool SignalRecorder::waitForCount(int wanted, int timeoutMs)
{
    QSignalSpy spy(this, &SignalRecorder::received);
    QElapsedTimer timer;
    timer.start();
    while (d->recorded.size() < wanted) {
        const int left = timeoutMs - int(timer.elapsed());
        if (left <= 0 || !spy.wait(left))
            return d->recorded.size() >= wanted;
    }
    return true;
}

void SignalRecorder::record(const QDBusMessage& message)
{
    Entry entry;
    entry.sequence = ++sequenceCounter;
    entry.message = message;
    entry.arguments = Velin::DBusValues::plain(message.arguments());
    d->recorded.append(entry);
    Q_EMIT received();
}
