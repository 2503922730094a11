#pragma once

#include "net/internetaccesspoint.h"

#include <QByteArray>
#include <QEventLoop>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class QTimer;

namespace Touch {
class SceneWindow;
}

namespace Velin {

class SSIDScanningProcess;
class WLANInternetAccessPointType;
class WifiProtectedSetupProcess;
class WifiProtectedSetupSheet;
class WpsMethodSelectionSheet;

// The type object's companion: unpacks the framework's data lists and
// prepares connections (hidden-network search, Wi-Fi Protected Setup, the
// credential sheets). A child of the type object.
class WLANInternetAccessPointTypePrivate : public QObject
{
    Q_OBJECT

public:
    explicit WLANInternetAccessPointTypePrivate(WLANInternetAccessPointType* type);
    ~WLANInternetAccessPointTypePrivate() override;

    // Fills the six out-parameters from a six-entry data list. False when the
    // list does not have six entries (the out-parameters are then untouched)
    // or when its network type is not one this plug-in handles (they are
    // filled all the same).
    bool dataToVariables(const QList<QVariant>& data, QString& serviceType, uint& serviceAttributes,
                         QString& serviceId, QString& networkType, uint& networkAttributes,
                         QByteArray& networkId) const;

    // The whole preparation of a tapped entry; an empty access point when
    // the user cancelled or nothing can be done.
    InternetAccessPoint createInternetAccessPoint(const QList<QVariant>& data);

    // Asks for a hidden network's SSID until a search finds it; the SSID, or
    // an empty string when the user cancelled.
    QString handleHiddenWlan();

    // The WPS method choice, and the start of WPS when one was chosen. The
    // map is the preparation's so far; it is not changed.
    bool handleWPS(const QList<QVariant>& data, QMap<QString, QVariant> map);

    // Takes a sheet off screen and deletes it once it is off.
    static void disposeOfSheet(Touch::SceneWindow* sheet);

    WLANInternetAccessPointType* const q;

    QEventLoop eventLoop;
    uint capabilities = 0;
    WifiProtectedSetupProcess* wpsProcess = nullptr;
    QPointer<WifiProtectedSetupSheet> wpsSheet;
    QPointer<WpsMethodSelectionSheet> wpsMethodSheet;
    InternetAccessPoint* wpsIap = nullptr;
    bool skipped = false;

    // The search the event loop waits for: only its process may end the
    // wait, and its timeout is stopped when it ends, so that an older
    // process or timer cannot end a later attempt.
    QPointer<SSIDScanningProcess> currentSearch;
    QTimer* const ssidScanTimer;
    bool searchEnded = false;

public Q_SLOTS:
    void ssidFound(uint capabilities);
    void ssidError(QString message);
    void ssidScanTimeout();
    void wpsProcessFinished();
    void wpsProcessError(QString error);

private:
    bool isStaleSearchAnswer() const;
    void endSearch();
};

} // namespace Velin
