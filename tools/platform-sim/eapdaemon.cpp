#include "eapdaemon.h"

#include "simlog.h"

#include <QDBusMessage>

const QString EapDaemon::serviceName = QStringLiteral("com.qorva.eap");
const QString EapDaemon::signalPath = QStringLiteral("/com/qorva/eap/signal");
const QString EapDaemon::signalInterface = QStringLiteral("com.qorva.eap.signal");

class EapDaemonPrivate
{
public:
    EapDaemon* q = nullptr;
    QDBusConnection connection{QString()};
    int announcements = 0;
    QStringList lastIds;
};

EapDaemon::EapDaemon(const QDBusConnection& connection, QObject* parent)
    : QObject(parent)
    , d(new EapDaemonPrivate)
{
    d->q = this;
    d->connection = connection;
}

EapDaemon::~EapDaemon()
{
    delete d;
}

bool EapDaemon::announceWpsSuccess(const QStringList& ids)
{
    QDBusMessage signal = QDBusMessage::createSignal(signalPath, signalInterface, QStringLiteral("wps_success"));
    signal.setArguments({ids});
    if (!d->connection.send(signal)) {
        qCWarning(lcSim) << "wps_success: cannot send:" << d->connection.lastError().message();
        return false;
    }
    qCInfo(lcSim) << "wps_success:" << ids;
    ++d->announcements;
    d->lastIds = ids;
    Q_EMIT wpsSuccessAnnounced(ids);
    return true;
}

int EapDaemon::announcements() const
{
    return d->announcements;
}

QStringList EapDaemon::lastIds() const
{
    return d->lastIds;
}
