#include "frameworkhost.h"

#include "net/connectionmodel.h"
#include "net/connectionprocess.h"
#include "net/connectionwatcher.h"
#include "net/internetaccesspointfactory.h"
#include "net/internetaccesspointtypeinterface.h"

#include <QTimer>

namespace {

// The run settles for 5 s and scans (at most five requests 1.5 s apart, or
// the model's 10 s time-out) before it connects: well within this.
const int wpsConnectionTimeoutMs = 30000;

} // namespace

FrameworkHost::FrameworkHost(InternetAccessPointTypeInterface* type, QObject* parent)
    : QObject(parent)
    , m_type(type)
    , m_model(new Velin::ConnectionModel(this))
    , m_wpsTimeout(new QTimer(this))
{
    qRegisterMetaType<FrameworkHost::Entry>();
    m_wpsTimeout->setObjectName(QStringLiteral("wpsConnectionTimeout"));
    m_wpsTimeout->setSingleShot(true);
    m_wpsTimeout->setInterval(wpsConnectionTimeoutMs);
    connect(m_wpsTimeout, &QTimer::timeout, this, [this] {
        if (!m_wpsWatcher)
            return;
        qWarning("Wi-Fi Protected Setup with %s ended without a connection attempt", qPrintable(m_wpsName));
        setStatus(tr("%1: not connected").arg(m_wpsName));
        endWpsFollow();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, &FrameworkHost::entriesChanged);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &FrameworkHost::entriesChanged);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &FrameworkHost::entriesChanged);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &FrameworkHost::entriesChanged);
    connect(m_model, &Velin::ConnectionModel::scanStopped, this, [this] {
        // Scans asked for by others (a WPS run) leave the status alone.
        if (m_scanning && m_connectedId.isEmpty())
            setStatus(tr("Scan done"));
        m_scanning = false;
        const bool first = !m_scanned;
        m_scanned = true;
        autoConnect();
        if (first)
            Q_EMIT firstScanDone();
    });
    connect(m_model, &Velin::ConnectionModel::scanError, this, [this] {
        if (m_scanning)
            setStatus(tr("Scan failed"));
        m_scanning = false;
        const bool first = !m_scanned;
        m_scanned = true;
        if (first)
            Q_EMIT firstScanDone();
    });
}

FrameworkHost::~FrameworkHost() = default;

InternetAccessPointTypeInterface* FrameworkHost::type() const
{
    return m_type;
}

Velin::ConnectionModel* FrameworkHost::model() const
{
    return m_model;
}

QList<FrameworkHost::Entry> FrameworkHost::entries() const
{
    QList<Entry> entries;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QList<Velin::ScanResult> results = m_model->connectionsAt(row);
        if (results.isEmpty())
            continue;
        const Velin::ScanResult shown = m_type ? m_type->filterScanResult(results.first()) : results.first();
        if (!shown.isValid())
            continue;
        Entry entry;
        entry.result = shown;
        entry.data = shown.configuration();
        entry.label = QString::fromUtf8(shown.id());
        if (m_type) {
            entry.bearerIcon = m_type->bearerImageName(entry.data, shown.isFound() ? shown.signalStrength() : -1);
            entry.securityIcon = m_type->securityImageName(entry.data);
        }
        entries << entry;
    }
    if (m_type) {
        const QList<Velin::InternetAccessPoint> fixed = m_type->defaultConnections();
        for (const Velin::InternetAccessPoint& accessPoint : fixed) {
            Entry entry;
            entry.fixed = true;
            entry.data = accessPoint.data();
            entry.label = entry.data.value(5).toString();
            entry.bearerIcon = m_type->bearerImageName(entry.data, 0);
            entries << entry;
        }
    }
    return entries;
}

QStringList FrameworkHost::savedIds() const
{
    return Velin::InternetAccessPoint::savedIds();
}

QString FrameworkHost::status() const
{
    return m_status;
}

QString FrameworkHost::connectedId() const
{
    return m_connectedId;
}

bool FrameworkHost::isBusy() const
{
    return m_process && m_process->isRunning();
}

bool FrameworkHost::isPreparing() const
{
    return m_preparing;
}

bool FrameworkHost::hasScanned() const
{
    return m_scanned;
}

void FrameworkHost::scan()
{
    setStatus(tr("Scanning…"));
    m_scanning = true;
    m_model->startScan();
}

void FrameworkHost::activate(const Entry& entry)
{
    if (!m_type) {
        setStatus(tr("No WLAN plug-in loaded"));
        return;
    }
    // The plug-in's sheets run nested event loops: a second tap must not
    // start a second preparation inside the first.
    if (m_preparing) {
        qWarning("A connection is being prepared; the tap on %s is ignored", qPrintable(entry.label));
        return;
    }
    Velin::InternetAccessPoint accessPoint;
    const bool saved = !entry.fixed && entry.result.isSaved();
    if (saved) {
        accessPoint = Velin::InternetAccessPointFactory::create(entry.result);
    } else {
        m_preparing = true;
        setStatus(tr("Preparing %1…").arg(entry.label));
        // May block in the plug-in's sheets; the event loop keeps running.
        accessPoint = m_type->createInternetAccessPoint(entry.data);
        m_preparing = false;
        if (!accessPoint.isValid()) {
            // Cancelled, or nothing the plug-in could prepare: the plug-in
            // does not say which.
            setStatus(tr("%1: not connected").arg(entry.label));
            return;
        }
    }
    m_type->initializeInternetAccessPoint(&accessPoint);
    if (!m_type->configureForConnection(&accessPoint)) {
        setStatus(tr("%1 cannot be connected").arg(accessPoint.name()));
        return;
    }
    connectAccessPoint(accessPoint, !saved);
}

void FrameworkHost::connectAccessPoint(const Velin::InternetAccessPoint& accessPoint, bool saveWhenConnected)
{
    delete m_process;
    delete m_watcher.data();
    delete m_wpsWatcher.data();
    m_wpsTimeout->stop();
    m_connectingId = accessPoint.id();
    m_process = new Velin::ConnectionProcess(this);
    m_watcher = new Velin::ConnectionWatcher(accessPoint, this);
    connect(m_watcher.data(), &Velin::ConnectionWatcher::disconnected, this,
            [this](const Velin::InternetAccessPoint& gone) {
                if (gone.id() == m_connectedId) {
                    m_connectedId.clear();
                    setStatus(tr("Disconnected from %1").arg(gone.name()));
                }
            });
    const QString name = accessPoint.name();
    // A WPS request carries the method; its attempt hands out settings
    // instead of connecting.
    const bool wps = accessPoint.property(QStringLiteral("wlan_wps_method")).isValid();
    connect(m_process, &Velin::ConnectionProcess::finished, this, [this, name, accessPoint, saveWhenConnected] {
        m_connectedId = m_connectingId;
        Velin::InternetAccessPoint connected = accessPoint;
        if (saveWhenConnected && !connected.save())
            qWarning("Could not save the access point %s", qPrintable(connected.id()));
        m_model->refresh();
        setStatus(tr("Connected to %1").arg(name));
        Q_EMIT entriesChanged();
    });
    connect(m_process, &Velin::ConnectionProcess::error, this, [this, name, accessPoint, wps](const QString& reason) {
        if (wps && reason == QLatin1String("disconnected")) {
            followWpsConnection(accessPoint);
            return;
        }
        setStatus(reason.isEmpty() ? tr("Could not connect to %1").arg(name)
                                   : tr("Could not connect to %1 (%2)").arg(name, reason));
    });
    m_process->addInternetAccessPoint(accessPoint);
    setStatus(wps ? tr("Wi-Fi Protected Setup with %1…").arg(name) : tr("Connecting to %1…").arg(name));
    m_process->start();
}

void FrameworkHost::followWpsConnection(const Velin::InternetAccessPoint& accessPoint)
{
    const QString name = accessPoint.name();
    setStatus(tr("%1 set up by Wi-Fi Protected Setup; connecting…").arg(name));
    m_model->refresh();
    delete m_wpsWatcher.data();
    m_wpsName = name;
    m_wpsWatcher = new Velin::ConnectionWatcher(accessPoint, this);
    // An attempt has started: its end comes as connected or disconnected.
    connect(m_wpsWatcher.data(), &Velin::ConnectionWatcher::connecting, m_wpsTimeout, &QTimer::stop);
    connect(m_wpsWatcher.data(), &Velin::ConnectionWatcher::connected, this,
            [this, name](const Velin::InternetAccessPoint& iap) {
                m_connectedId = iap.id();
                m_model->refresh();
                setStatus(tr("Connected to %1").arg(name));
                Q_EMIT entriesChanged();
                endWpsFollow();
            });
    // The link of the exchange is gone already: this is the WPS connection failing.
    connect(m_wpsWatcher.data(), &Velin::ConnectionWatcher::disconnected, this, [this, name] {
        setStatus(tr("Could not connect to %1").arg(name));
        endWpsFollow();
    });
    m_wpsTimeout->start();
}

void FrameworkHost::endWpsFollow()
{
    m_wpsTimeout->stop();
    // Called from the watcher's own signals: it goes once they are done, and
    // nothing it reports after the outcome counts.
    if (m_wpsWatcher) {
        m_wpsWatcher->disconnect(this);
        m_wpsWatcher->disconnect(m_wpsTimeout);
        m_wpsWatcher->deleteLater();
    }
    m_wpsWatcher.clear();
}

void FrameworkHost::setStatus(const QString& status)
{
    if (m_status == status)
        return;
    m_status = status;
    Q_EMIT statusChanged();
}

// Once per run, after the first scan: the saved network with the best
// ranking among those the plug-in lets connect without asking.
void FrameworkHost::autoConnect()
{
    if (m_autoConnectTried || !m_type || !m_connectedId.isEmpty())
        return;
    // Not over a connection on its way (a preparation, an attempt, the one a
    // WPS run makes): tried again after the next scan.
    if (m_preparing || isBusy() || m_wpsWatcher)
        return;
    m_autoConnectTried = true;
    int bestRanking = 0;
    Velin::ScanResult best;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QList<Velin::ScanResult> results = m_model->connectionsAt(row);
        if (results.isEmpty())
            continue;
        const Velin::ScanResult& result = results.first();
        const int ranking = m_model->data(m_model->index(row, Velin::ConnectionModel::RankingColumn)).toInt();
        if (result.isSaved() && result.isFound() && ranking > bestRanking && m_type->isAutoconnectable(result)) {
            bestRanking = ranking;
            best = result;
        }
    }
    if (!best.isValid())
        return;
    Velin::InternetAccessPoint accessPoint = Velin::InternetAccessPointFactory::create(best);
    m_type->initializeInternetAccessPoint(&accessPoint);
    connectAccessPoint(accessPoint);
}
