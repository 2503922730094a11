#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/discovery/wifiprotectedsetupprocess.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QFinalState;
class QState;
class QStateMachine;
class QTimer;

namespace Velin {

class ConnectionModel;
class ConnectionProcess;
class ConnectionWatcher;

class VELINWLANUI_EXPORT WifiProtectedSetupProcessPrivate : public QObject
{
    Q_OBJECT

public:
    WifiProtectedSetupProcessPrivate(const QString& iapId, WifiProtectedSetupProcess* q);
    ~WifiProtectedSetupProcessPrivate() override;

    static const int SecondsAllowed = 120;
    static const int WpsTimeoutMs = SecondsAllowed * 1000;
    static const int CountdownMs = 1000;
    static const int SettleMs = 5000;

    // Eight digits from the random source, the last one the WPS checksum of
    // the first seven.
    QString generatePinCode() const;
    // The WPS checksum digit of a seven-digit number.
    static int wpsChecksum(quint32 sevenDigits);
    // The model row of the best saved network whose id is in ids: the
    // highest ranking above 0, the lower row on a tie; -1 for none.
    static int chooseCandidate(const ConnectionModel* model, const QStringList& ids);

    void sendDisconnectRequest();
    bool isAwaitingConfiguration() const;

    const QString iapId;
    WifiProtectedSetupProcess* const q;
    WifiProtectedSetupProcess::Method method = WifiProtectedSetupProcess::UnknownMethod;
    QString pinCode;
    QString errorText;
    QStringList iapIds;
    ConnectionModel* const model;
    ConnectionProcess* const connectionProcess;
    ConnectionWatcher* const watcher;
    QTimer* const wpsTimer;
    QTimer* const countdownTimer;
    QTimer* const settleTimer;
    int secondsRemaining = SecondsAllowed;
    QStateMachine* const machine;
    QState* initialState = nullptr;
    QState* waitingState = nullptr;
    QState* configuredState = nullptr;
    QState* settlingState = nullptr;
    QState* scanningState = nullptr;
    QState* selectingState = nullptr;
    QState* connectingState = nullptr;
    QFinalState* successState = nullptr;
    QFinalState* failureState = nullptr;
    WifiProtectedSetupProcess::State state = WifiProtectedSetupProcess::NotStarted;

    // Where PINs come from; tests point it elsewhere.
    QString randomSource = QStringLiteral("/dev/urandom");
    bool subscribed = false;
    // QStateMachine::isRunning() is false until the machine has entered its
    // initial state, which happens from the event loop.
    bool machineStarting = false;

Q_SIGNALS:
    void configured();
    void error();
    void connectionSelected();
    void wpsTimeoutSignal();

public Q_SLOTS:
    void start();
    // Name-based: QDBusConnection::connect takes SLOT() signatures only.
    void eapSuccess(const QStringList& iapIds);
    void scanCompleted();
    void connectionFinished();
    void errorHappened();
    void cleanup();
    void updateSeconds();
    void wpsTimeout();

private:
    void buildStateMachine();
};

} // namespace Velin
