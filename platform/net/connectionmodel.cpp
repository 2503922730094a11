#include "net/connectionmodel.h"

#include "net/accesspointrecord_p.h"
#include "net/inetsettingsmodel.h"
#include "net/platformdbus_p.h"
#include "net/savedaccesspoints_p.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QTextCodec>
#include <QTimer>
#include <QtDebug>

#include <algorithm>

namespace Velin {

namespace {

const int scanTimeoutMs = 10000;
const int entryArguments = 5;
const int maximumSsidLength = 32;
// Capability bit of an independent (ad hoc) network.
const uint ibssCapability = 0x2;
// Transmit power of a probe: the low-power setting, or the usual one.
const int lowScanPower = 4;
const int defaultScanPower = 8;

struct FoundEntry
{
    ScanResult result;
    int level = 0;
};

struct Row
{
    QByteArray ssid;
    QString text;
    QList<ScanResult> results; // strongest first
};

// SSIDs are bytes; most are UTF-8 text, the rest are shown byte by byte.
QString ssidText(const QByteArray& ssid)
{
    QTextCodec::ConverterState state(QTextCodec::ConvertInvalidToNull);
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(ssid.constData(), ssid.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;
    return QString::fromLatin1(ssid);
}

QString typeNames(const QList<QVariant>& arguments, int from, int count)
{
    QStringList names;
    for (int i = from; i < from + count && i < arguments.size(); ++i)
        names.append(QString::fromLatin1(arguments.at(i).typeName() ? arguments.at(i).typeName() : "?"));
    return names.join(QLatin1String(", "));
}

} // namespace

class ConnectionModelPrivate : public QObject
{
    Q_OBJECT

public:
    explicit ConnectionModelPrivate(ConnectionModel* model);
    ~ConnectionModelPrivate() override;

    void rebuild();
    void setScanning(bool scanning);
    void failScan();
    bool parseScanResults(const QList<QVariant>& arguments, QList<FoundEntry>* entries) const;

    ConnectionModel* const q;
    QTimer* const timeout;
    QList<FoundEntry> found;
    QList<Row> rows;
    bool foundMode = false;
    bool scanning = false;
    bool subscribed = false;
    quint64 scanSerial = 0;

public Q_SLOTS:
    // Name-based: QDBusConnection::connect takes SLOT() signatures only.
    void onScanResults(const QDBusMessage& message);
};

ConnectionModelPrivate::ConnectionModelPrivate(ConnectionModel* model)
    : QObject(model)
    , q(model)
    , timeout(new QTimer(this))
{
    timeout->setObjectName(QStringLiteral("scanTimeout"));
    timeout->setSingleShot(true);
    timeout->setInterval(scanTimeoutMs);
    connect(timeout, &QTimer::timeout, this, [this]() {
        if (!scanning)
            return;
        qWarning("Velin::ConnectionModel: no scan results within %d ms", timeout->interval());
        failScan();
    });
    subscribed = PlatformDBus::connectSignal(PlatformDBus::wlanService, PlatformDBus::wlanSignalPath,
                                             PlatformDBus::wlanSignalInterface, "scan_results", this,
                                             SLOT(onScanResults(QDBusMessage)));
}

ConnectionModelPrivate::~ConnectionModelPrivate()
{
    if (subscribed)
        PlatformDBus::disconnectSignal(PlatformDBus::wlanService, PlatformDBus::wlanSignalPath,
                                       PlatformDBus::wlanSignalInterface, "scan_results", this,
                                       SLOT(onScanResults(QDBusMessage)));
}

void ConnectionModelPrivate::setScanning(bool value)
{
    if (scanning == value)
        return;
    scanning = value;
    if (!scanning)
        timeout->stop();
    Q_EMIT q->scanningChanged(scanning);
}

void ConnectionModelPrivate::failScan()
{
    setScanning(false);
    Q_EMIT q->scanError();
}

bool ConnectionModelPrivate::parseScanResults(const QList<QVariant>& arguments, QList<FoundEntry>* entries) const
{
    if (arguments.isEmpty() || !PlatformDBus::isIntegral(arguments.first())) {
        qWarning("Velin::ConnectionModel: ignoring scan_results without an entry count (arguments: %s)",
                 qPrintable(typeNames(arguments, 0, arguments.size())));
        return false;
    }
    const qlonglong announced = arguments.first().toLongLong();
    if (announced < 0) {
        qWarning("Velin::ConnectionModel: ignoring scan_results with a negative entry count %lld", announced);
        return false;
    }
    const int carried = (arguments.size() - 1) / entryArguments;
    if ((arguments.size() - 1) % entryArguments != 0)
        qWarning("Velin::ConnectionModel: scan_results ends with an incomplete entry; it is ignored");
    int count = carried;
    if (announced > carried) {
        qWarning("Velin::ConnectionModel: scan_results announces %lld entries but carries %d", announced, carried);
    } else if (announced < carried) {
        qWarning("Velin::ConnectionModel: scan_results carries %d entries but announces %lld; the rest is ignored",
                 carried, announced);
        count = int(announced);
    }

    for (int i = 0; i < count; ++i) {
        const int base = 1 + i * entryArguments;
        const QVariant ssid = arguments.at(base);
        const QVariant level = arguments.at(base + 2);
        const QVariant attributes = arguments.at(base + 3);
        const QVariant capability = arguments.at(base + 4);
        if (ssid.userType() != QMetaType::QByteArray || !PlatformDBus::isIntegral(level)
            || !PlatformDBus::isIntegral(attributes) || !PlatformDBus::isIntegral(capability)) {
            qWarning("Velin::ConnectionModel: ignoring scan_results entry %d with arguments (%s)", i,
                     qPrintable(typeNames(arguments, base, entryArguments)));
            continue;
        }
        QByteArray bytes = ssid.toByteArray();
        // Some drivers pad with NUL; the SSID ends there.
        const int nul = bytes.indexOf('\0');
        if (nul >= 0)
            bytes.truncate(nul);
        if (bytes.isEmpty())
            continue; // a hidden network: nothing to show by name
        if (bytes.size() > maximumSsidLength) {
            qWarning("Velin::ConnectionModel: ignoring scan_results entry %d with a %d-byte SSID", i,
                     bytes.size());
            continue;
        }

        const bool adhoc = capability.toUInt() & ibssCapability;
        const QString networkType = adhoc ? QStringLiteral("WLAN_ADHOC") : QStringLiteral("WLAN_INFRA");
        FoundEntry entry;
        entry.level = int(qBound<qlonglong>(-1000, level.toLongLong(), 1000));
        entry.result.setId(bytes);
        entry.result.setFound(true);
        entry.result.setNetworkType(networkType);
        entry.result.setSignalStrength(ConnectionModel::signalStrengthFromLevel(entry.level));
        entry.result.setConfiguration(wlanDataList(bytes, networkType, attributes.toUInt()));
        entries->append(entry);
    }
    return true;
}

void ConnectionModelPrivate::onScanResults(const QDBusMessage& message)
{
    QList<FoundEntry> entries;
    if (!parseScanResults(message.arguments(), &entries))
        return;
    // Strongest BSS first; equal levels keep the daemon's order.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const FoundEntry& a, const FoundEntry& b) { return a.level > b.level; });
    found = entries;
    q->beginResetModel();
    rebuild();
    q->endResetModel();
    setScanning(false);
    Q_EMIT q->scanStopped();
}

void ConnectionModelPrivate::rebuild()
{
    const QStringList savedList = SavedAccessPoints::ids();
    const QSet<QString> saved(savedList.begin(), savedList.end());

    QList<QByteArray> order;
    QHash<QByteArray, QList<ScanResult>> groups;
    for (const FoundEntry& entry : qAsConst(found)) {
        ScanResult result = entry.result;
        result.setSaved(saved.contains(QString::fromLatin1(result.id())));
        if (!groups.contains(result.id()))
            order.append(result.id());
        groups[result.id()].append(result);
    }

    if (!foundMode) {
        for (const QString& id : savedList) {
            const QByteArray ssid = id.toLatin1();
            if (groups.contains(ssid))
                continue;
            QList<QVariant> data;
            if (!SavedAccessPoints::read(id, &data, nullptr))
                continue;
            ScanResult result;
            result.setId(ssid);
            result.setSaved(true);
            result.setFound(false);
            result.setNetworkType(parseAccessPointData(data).networkType);
            result.setConfiguration(data);
            order.append(ssid);
            groups.insert(ssid, {result});
        }
    }

    rows.clear();
    rows.reserve(order.size());
    for (const QByteArray& ssid : qAsConst(order)) {
        Row row;
        row.ssid = ssid;
        row.text = ssidText(ssid);
        row.results = groups.value(ssid);
        rows.append(row);
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        const int strengthA = a.results.first().signalStrength();
        const int strengthB = b.results.first().signalStrength();
        if (strengthA != strengthB)
            return strengthA > strengthB;
        const int byText = QString::compare(a.text, b.text, Qt::CaseInsensitive);
        if (byText != 0)
            return byText < 0;
        return a.ssid < b.ssid;
    });
}

ConnectionModel::ConnectionModel(QObject* parent)
    : QAbstractTableModel(parent)
    , d(new ConnectionModelPrivate(this))
{
    registerNetMetaTypes();
    d->rebuild();
}

ConnectionModel::~ConnectionModel() = default;

void ConnectionModel::setFoundConnectionsMode()
{
    if (d->foundMode)
        return;
    beginResetModel();
    d->foundMode = true;
    d->rebuild();
    endResetModel();
}

bool ConnectionModel::isFoundConnectionsMode() const
{
    return d->foundMode;
}

bool ConnectionModel::isScanning() const
{
    return d->scanning;
}

void ConnectionModel::startScan()
{
    const quint64 serial = ++d->scanSerial;
    d->setScanning(true);
    d->timeout->start();

    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qWarning("Velin::ConnectionModel: the system bus is not connected; cannot scan");
        // Callers connect to scanError() after startScan() returns, too.
        QMetaObject::invokeMethod(
            d,
            [this, serial]() {
                if (serial == d->scanSerial && d->scanning)
                    d->failScan();
            },
            Qt::QueuedConnection);
        return;
    }
    if (!d->subscribed)
        d->subscribed = PlatformDBus::connectSignal(PlatformDBus::wlanService, PlatformDBus::wlanSignalPath,
                                                    PlatformDBus::wlanSignalInterface, "scan_results", d,
                                                    SLOT(onScanResults(QDBusMessage)));

    const int power = InetSettingsModel().wlanTxPower() == InetSettingsModel::LowTxPower ? lowScanPower
                                                                                          : defaultScanPower;
    QDBusMessage message = QDBusMessage::createMethodCall(
        QLatin1String(PlatformDBus::wlanService), QLatin1String(PlatformDBus::wlanRequestPath),
        QLatin1String(PlatformDBus::wlanRequestInterface), QStringLiteral("scan"));
    // An empty SSID asks for a broad scan.
    message << power << QByteArray();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), d);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, d, [this, serial](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusMessage reply = call->reply();
        if (reply.type() != QDBusMessage::ErrorMessage)
            return;
        // Only the answer to the latest request counts, and only while waiting for it.
        if (serial != d->scanSerial || !d->scanning)
            return;
        qWarning("Velin::ConnectionModel: the scan request failed: %s", qPrintable(reply.errorName()));
        d->failScan();
    });
}

void ConnectionModel::refresh()
{
    beginResetModel();
    d->rebuild();
    endResetModel();
}

QList<ScanResult> ConnectionModel::connectionsAt(int row) const
{
    if (row < 0 || row >= d->rows.size())
        return QList<ScanResult>();
    return d->rows.at(row).results;
}

int ConnectionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : d->rows.size();
}

int ConnectionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

QVariant ConnectionModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.model() != this || index.parent().isValid() || index.row() >= d->rows.size()
        || index.column() >= ColumnCount)
        return QVariant();
    const Row& row = d->rows.at(index.row());
    const ScanResult& best = row.results.first();
    if (role == ScanResultRole)
        return QVariant::fromValue(best);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case NameColumn:
        return row.text;
    case SignalStrengthColumn:
        return best.signalStrength();
    case RankingColumn:
        return best.signalStrength() + 1;
    default:
        return QVariant();
    }
}

int ConnectionModel::signalStrengthFromLevel(int dBm)
{
    return qBound(0, qRound((dBm + 100) / 6.0), 10);
}

} // namespace Velin

#include "connectionmodel.moc"
