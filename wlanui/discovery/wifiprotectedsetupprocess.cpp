#include "wlanui/discovery/wifiprotectedsetupprocess.h"
#include "wlanui/discovery/wifiprotectedsetupprocess_p.h"

#include "base/simplenotification.h"
#include "net/connectionmodel.h"
#include "net/connectionprocess.h"
#include "net/connectionwatcher.h"
#include "net/internetaccesspoint.h"
#include "net/internetaccesspointfactory.h"
#include "net/scanresult.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QFinalState>
#include <QSet>
#include <QState>
#include <QStateMachine>
#include <QTimer>
#include <QtDebug>

namespace Velin {

namespace {

const char eapSignalPath[] = "/com/qorva/eap/signal";
const char eapSignalInterface[] = "com.qorva.eap.signal";
const char wpsSuccessMember[] = "wps_success";
const char connectivityService[] = "com.qorva.nexd2";
const char connectivityPath[] = "/com/qorva/nexd2";
const char connectivityInterface[] = "com.qorva.nexd2";
const uint dropWlanLinkFlag = 0x8000;
const int pinLength = 8;

QTimer* makeTimer(QObject* parent, const char* name, int interval, bool singleShot)
{
    auto timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    timer->setSingleShot(singleShot);
    return timer;
}

} // namespace

WifiProtectedSetupProcessPrivate::WifiProtectedSetupProcessPrivate(const QString& iapId,
                                                                   WifiProtectedSetupProcess* q)
    : QObject(q)
    , iapId(iapId)
    , q(q)
    , model(new ConnectionModel(this))
    , connectionProcess(new ConnectionProcess(this))
    , watcher(new ConnectionWatcher(InternetAccessPointFactory::create(iapId), this))
    , wpsTimer(makeTimer(this, "wpsTimeoutTimer", WpsTimeoutMs, true))
    , countdownTimer(makeTimer(this, "wpsCountdownTimer", CountdownMs, false))
    , settleTimer(makeTimer(this, "wpsSettleTimer", SettleMs, true))
    , machine(new QStateMachine(this))
{
    model->setFoundConnectionsMode();
    // Before the state machine subscribes to the same timeout: the reason
    // and the notification come first, also when the machine then leaves
    // the configured state on it.
    connect(wpsTimer, &QTimer::timeout, this, &WifiProtectedSetupProcessPrivate::wpsTimeout);
    connect(countdownTimer, &QTimer::timeout, this, &WifiProtectedSetupProcessPrivate::updateSeconds);
    buildStateMachine();
}

WifiProtectedSetupProcessPrivate::~WifiProtectedSetupProcessPrivate() = default;

void WifiProtectedSetupProcessPrivate::buildStateMachine()
{
    machine->setObjectName(QStringLiteral("wpsStateMachine"));
    initialState = new QState(machine);
    waitingState = new QState(machine);
    configuredState = new QState(machine);
    settlingState = new QState(machine);
    scanningState = new QState(machine);
    selectingState = new QState(machine);
    connectingState = new QState(machine);
    successState = new QFinalState(machine);
    failureState = new QFinalState(machine);
    initialState->setObjectName(QStringLiteral("initial"));
    waitingState->setObjectName(QStringLiteral("waiting"));
    configuredState->setObjectName(QStringLiteral("configured"));
    settlingState->setObjectName(QStringLiteral("settling"));
    scanningState->setObjectName(QStringLiteral("scanning"));
    selectingState->setObjectName(QStringLiteral("selecting"));
    connectingState->setObjectName(QStringLiteral("connecting"));
    successState->setObjectName(QStringLiteral("success"));
    failureState->setObjectName(QStringLiteral("failure"));
    machine->setInitialState(initialState);

    waitingState->assignProperty(q, "state", int(WifiProtectedSetupProcess::WaitingSignal));
    configuredState->assignProperty(q, "state", int(WifiProtectedSetupProcess::Configured));
    scanningState->assignProperty(q, "state", int(WifiProtectedSetupProcess::Scanning));
    connectingState->assignProperty(q, "state", int(WifiProtectedSetupProcess::Connecting));

    connect(waitingState, &QState::entered, this, [this]() {
        // A run that starts again gets the whole window again.
        secondsRemaining = SecondsAllowed;
        start();
        wpsTimer->start();
        countdownTimer->start();
    });
    connect(configuredState, &QState::exited, wpsTimer, &QTimer::stop);
    connect(settlingState, &QState::entered, settleTimer, static_cast<void (QTimer::*)()>(&QTimer::start));
    connect(scanningState, &QState::entered, model, &ConnectionModel::startScan);
    connect(selectingState, &QState::entered, this, &WifiProtectedSetupProcessPrivate::scanCompleted);
    connect(connectingState, &QState::entered, connectionProcess, &ConnectionProcess::start);
    connect(successState, &QState::entered, this, &WifiProtectedSetupProcessPrivate::connectionFinished);
    connect(failureState, &QState::entered, this, &WifiProtectedSetupProcessPrivate::errorHappened);

    initialState->addTransition(waitingState);
    waitingState->addTransition(this, &WifiProtectedSetupProcessPrivate::configured, configuredState);
    waitingState->addTransition(this, &WifiProtectedSetupProcessPrivate::wpsTimeoutSignal, failureState);
    waitingState->addTransition(this, &WifiProtectedSetupProcessPrivate::error, failureState);
    waitingState->addTransition(watcher, &ConnectionWatcher::disconnected, failureState);
    configuredState->addTransition(watcher, &ConnectionWatcher::disconnected, settlingState);
    configuredState->addTransition(wpsTimer, &QTimer::timeout, failureState);
    settlingState->addTransition(settleTimer, &QTimer::timeout, scanningState);
    scanningState->addTransition(model, &ConnectionModel::scanStopped, selectingState);
    scanningState->addTransition(model, &ConnectionModel::scanError, failureState);
    selectingState->addTransition(this, &WifiProtectedSetupProcessPrivate::error, failureState);
    selectingState->addTransition(this, &WifiProtectedSetupProcessPrivate::connectionSelected, connectingState);
    connectingState->addTransition(connectionProcess, &ConnectionProcess::finished, successState);
    connectingState->addTransition(connectionProcess, &ConnectionProcess::error, failureState);

    auto settled = [this]() { machineStarting = false; };
    connect(machine, &QStateMachine::started, this, settled);
    connect(machine, &QStateMachine::stopped, this, settled);
    connect(machine, &QStateMachine::finished, this, settled);
}

void WifiProtectedSetupProcessPrivate::start()
{
    if (method == WifiProtectedSetupProcess::PinMethod) {
        // Every instance of the access point shares the record, so the
        // attempt that the framework runs passes the PIN on.
        InternetAccessPoint iap = InternetAccessPointFactory::create(iapId);
        iap.setProperty("EAP_SIMPLE_CONFIG_device_password", pinCode);
    } else if (method != WifiProtectedSetupProcess::PushButtonMethod) {
        errorText = QStringLiteral("Unknown WPS method");
        Q_EMIT error();
        return;
    }

    // Qt takes a subscription on a bus that is gone, but nothing would come.
    QDBusConnection bus = QDBusConnection::systemBus();
    subscribed = bus.isConnected()
                 && bus.connect(QString(), QLatin1String(eapSignalPath), QLatin1String(eapSignalInterface),
                                QLatin1String(wpsSuccessMember), QStringLiteral("as"), this,
                                SLOT(eapSuccess(QStringList)));
    if (!subscribed) {
        qWarning("Unable to connect EAP signal handler!");
        errorText = QStringLiteral("Signal handler connection failed");
        Q_EMIT error();
    }
}

void WifiProtectedSetupProcessPrivate::eapSuccess(const QStringList& ids)
{
    // Only the first announcement counts.
    if (!iapIds.isEmpty())
        return;
    iapIds = ids;
    Q_EMIT configured();
}

int WifiProtectedSetupProcessPrivate::chooseCandidate(const ConnectionModel* model, const QStringList& ids)
{
    int best = 0;
    int chosen = -1;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QList<ScanResult> results = model->connectionsAt(row);
        if (results.isEmpty())
            continue;
        const ScanResult& result = results.first();
        const int ranking = model->data(model->index(row, ConnectionModel::RankingColumn), Qt::DisplayRole).toInt();
        // Strictly better only: the lower row keeps a tie.
        if (result.isSaved() && best < ranking && ids.contains(QString::fromLatin1(result.id()))) {
            best = ranking;
            chosen = row;
        }
    }
    return chosen;
}

void WifiProtectedSetupProcessPrivate::scanCompleted()
{
    const int row = chooseCandidate(model, iapIds);
    InternetAccessPoint chosen;
    if (row >= 0)
        chosen = InternetAccessPointFactory::create(model->connectionsAt(row).first());
    if (chosen.isValid()) {
        connectionProcess->addInternetAccessPoint(chosen);
        Q_EMIT connectionSelected();
    } else {
        Q_EMIT error();
    }
}

void WifiProtectedSetupProcessPrivate::connectionFinished()
{
    q->setState(WifiProtectedSetupProcess::Finished);
    Q_EMIT q->finished();
    cleanup();
}

void WifiProtectedSetupProcessPrivate::errorHappened()
{
    q->setState(WifiProtectedSetupProcess::ErrorOccurred);
    Q_EMIT q->error(errorText);
    cleanup();
}

void WifiProtectedSetupProcessPrivate::sendDisconnectRequest()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qWarning("Velin::WifiProtectedSetupProcess: the system bus is not connected; cannot ask to drop the link");
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(
        QLatin1String(connectivityService), QLatin1String(connectivityPath), QLatin1String(connectivityInterface),
        QStringLiteral("disconnect_req"));
    message << dropWlanLinkFlag;
    // No reply wanted: the process is over either way.
    bus.call(message, QDBus::NoBlock);
}

void WifiProtectedSetupProcessPrivate::cleanup()
{
    if (state != WifiProtectedSetupProcess::Finished)
        sendDisconnectRequest();
    if (subscribed) {
        QDBusConnection::systemBus().disconnect(QString(), QLatin1String(eapSignalPath),
                                                QLatin1String(eapSignalInterface), QLatin1String(wpsSuccessMember),
                                                QStringLiteral("as"), this, SLOT(eapSuccess(QStringList)));
        subscribed = false;
    }
    iapIds.clear();
    errorText.clear();
    wpsTimer->stop();
    countdownTimer->stop();
    settleTimer->stop();
}

void WifiProtectedSetupProcessPrivate::updateSeconds()
{
    --secondsRemaining;
    Q_EMIT q->secondsRemaining(secondsRemaining);
}

bool WifiProtectedSetupProcessPrivate::isAwaitingConfiguration() const
{
    if (!machine->isRunning())
        return false;
    const QSet<QAbstractState*> current = machine->configuration();
    return current.contains(waitingState) || current.contains(configuredState);
}

void WifiProtectedSetupProcessPrivate::wpsTimeout()
{
    // resetTimer() may restart the timer after WPS has done its part, or
    // after the process has ended; such a timeout is no failure.
    if (!isAwaitingConfiguration())
        return;
    errorText = QStringLiteral("WPS timeout");
    SimpleNotification::show(QStringLiteral("x-qorva.internet"), QString(), qtTrId("qtn_conn_error_ic_failed_network"),
                             QString());
    Q_EMIT wpsTimeoutSignal();
}

int WifiProtectedSetupProcessPrivate::wpsChecksum(quint32 sevenDigits)
{
    int accum = 0;
    // From the least significant digit (digit 7) upwards: weights 3, 1, 3, ...
    for (int position = 0; position < 7; ++position) {
        const int digit = int(sevenDigits % 10);
        sevenDigits /= 10;
        accum += (position % 2 == 0) ? 3 * digit : digit;
    }
    return (10 - accum % 10) % 10;
}

QString WifiProtectedSetupProcessPrivate::generatePinCode() const
{
    QByteArray digits(pinLength, '0');
    QFile source(randomSource);
    if (source.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = source.read(pinLength);
        if (bytes.size() < pinLength)
            qWarning("Velin::WifiProtectedSetupProcess: only %d of %d bytes from the random source %s; the PIN is "
                     "partly not random",
                     int(qMax(0, bytes.size())), pinLength, qPrintable(randomSource));
        for (int i = 0; i < bytes.size() && i < pinLength; ++i)
            digits[i] = char('0' + uchar(bytes.at(i)) % 10);
        source.close();
    } else {
        qWarning("Velin::WifiProtectedSetupProcess: cannot open the random source %s (%s); the PIN is not random",
                 qPrintable(randomSource), qPrintable(source.errorString()));
    }
    const quint32 number = digits.left(pinLength - 1).toUInt();
    digits[pinLength - 1] = char('0' + wpsChecksum(number));
    return QString::fromLatin1(digits);
}

WifiProtectedSetupProcess::WifiProtectedSetupProcess(const QString& iapId, QObject* parent)
    : QObject(parent)
    , d(new WifiProtectedSetupProcessPrivate(iapId, this))
{
    qRegisterMetaType<WifiProtectedSetupProcess::State>();
    qRegisterMetaType<WifiProtectedSetupProcess::Method>();
}

WifiProtectedSetupProcess::~WifiProtectedSetupProcess() = default;

QString WifiProtectedSetupProcess::pinCode() const
{
    return d->pinCode;
}

void WifiProtectedSetupProcess::setPinCode(const QString& pinCode)
{
    d->pinCode = pinCode;
}

WifiProtectedSetupProcess::Method WifiProtectedSetupProcess::method() const
{
    return d->method;
}

void WifiProtectedSetupProcess::setMethod(Method method)
{
    d->method = method;
    if (method == PinMethod && d->pinCode.isEmpty())
        d->pinCode = d->generatePinCode();
}

WifiProtectedSetupProcess::State WifiProtectedSetupProcess::state() const
{
    return d->state;
}

void WifiProtectedSetupProcess::setState(State state)
{
    d->state = state;
    Q_EMIT stateChanged(state);
}

void WifiProtectedSetupProcess::resetTimer()
{
    d->secondsRemaining = WifiProtectedSetupProcessPrivate::SecondsAllowed;
    d->wpsTimer->start(WifiProtectedSetupProcessPrivate::WpsTimeoutMs);
}

void WifiProtectedSetupProcess::start()
{
    if (d->machine->isRunning() || d->machineStarting)
        return;
    d->machineStarting = true;
    d->machine->start();
}

void WifiProtectedSetupProcess::abort()
{
    d->machine->stop();
    d->cleanup();
}

} // namespace Velin
