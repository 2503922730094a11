#include "wlantype/wlaninternetaccesspointtype_p.h"

#include "wlantype/wlaninternetaccesspointtype.h"

#include "wlanui/discovery/otherconnectionsheet.h"
#include "wlanui/discovery/ssidscanningprocess.h"
#include "wlanui/discovery/wifiprotectedsetupprocess.h"
#include "wlanui/discovery/wifiprotectedsetupsheet.h"
#include "wlanui/discovery/wpsmethodselectionsheet.h"
#include "wlanui/model/wlanproperties.h"
#include "wlanui/model/wlansecurity.h"
#include "wlanui/model/wlanwpaeap.h"
#include "wlanui/prompts/wepkeysheet.h"
#include "wlanui/prompts/wpapsksheet.h"
#include "wlanui/security/wapisheet.h"
#include "wlanui/security/wpaeapsheet.h"

#include "soundcue/feedbackclient.h"
#include "touch/scenewindow.h"

#include <QTimer>
#include <QtDebug>

namespace Velin {

namespace {

const int dataListSize = InternetAccessPoint::DataEntryCount;
// How long one hidden-network search may take.
const int hiddenSearchTimeout = 10000;

const char* typeNameOf(const QVariant& value)
{
    return value.typeName() ? value.typeName() : "invalid value";
}

QString textEntry(const QList<QVariant>& data, int index)
{
    const QVariant& entry = data.at(index);
    if (!entry.canConvert<QString>())
        qWarning("Velin::WLANInternetAccessPointType: entry %d of the data list holds a %s, not a string", index,
                 typeNameOf(entry));
    return entry.toString();
}

uint wordEntry(const QList<QVariant>& data, int index)
{
    const QVariant& entry = data.at(index);
    bool ok = false;
    const uint word = entry.toUInt(&ok);
    if (!ok)
        qWarning("Velin::WLANInternetAccessPointType: entry %d of the data list holds a %s, not a number", index,
                 typeNameOf(entry));
    return word;
}

QByteArray idEntry(const QList<QVariant>& data, int index)
{
    const QVariant& entry = data.at(index);
    // Scanned networks carry the SSID bytes, the fixed entries their label.
    if (entry.userType() != QMetaType::QByteArray && entry.userType() != QMetaType::QString)
        qWarning("Velin::WLANInternetAccessPointType: entry %d of the data list holds a %s, not a network id", index,
                 typeNameOf(entry));
    return entry.toByteArray();
}

} // namespace

WLANInternetAccessPointTypePrivate::WLANInternetAccessPointTypePrivate(WLANInternetAccessPointType* type)
    : QObject(type)
    , q(type)
    , ssidScanTimer(new QTimer(this))
{
    ssidScanTimer->setObjectName(QStringLiteral("SSIDSearchTimeoutTimer"));
    ssidScanTimer->setSingleShot(true);
    ssidScanTimer->setInterval(hiddenSearchTimeout);
    connect(ssidScanTimer, SIGNAL(timeout()), this, SLOT(ssidScanTimeout()));
}

WLANInternetAccessPointTypePrivate::~WLANInternetAccessPointTypePrivate()
{
    // Neither has a parent: a run still going ends with the plug-in.
    if (wpsProcess)
        QObject::disconnect(wpsProcess, nullptr, this, nullptr);
    delete wpsProcess;
    delete wpsIap;
}

bool WLANInternetAccessPointTypePrivate::dataToVariables(const QList<QVariant>& data, QString& serviceType,
                                                         uint& serviceAttributes, QString& serviceId,
                                                         QString& networkType, uint& networkAttributes,
                                                         QByteArray& networkId) const
{
    if (data.size() != dataListSize) {
        qWarning("Velin::WLANInternetAccessPointType: a data list has %d entries, not %d", data.size(),
                 dataListSize);
        return false;
    }

    serviceType = textEntry(data, InternetAccessPoint::ServiceTypeEntry);
    serviceAttributes = wordEntry(data, InternetAccessPoint::ServiceAttributesEntry);
    serviceId = textEntry(data, InternetAccessPoint::ServiceIdEntry);
    networkType = textEntry(data, InternetAccessPoint::NetworkTypeEntry);
    networkAttributes = wordEntry(data, InternetAccessPoint::NetworkAttributesEntry);
    networkId = idEntry(data, InternetAccessPoint::NetworkIdEntry);

    if (!q->types().contains(networkType)) {
        qWarning("Velin::WLANInternetAccessPointType: \"%s\" is not a WLAN network type", qPrintable(networkType));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Connection preparation

namespace {

const char networkTypeInfra[] = "WLAN_INFRA";
const char networkTypeAdhoc[] = "WLAN_ADHOC";
const char networkTypeHidden[] = "WLAN_HIDDEN";
const char networkTypeNew[] = "WLAN_NEW";

// The EAP expanded type that selects Wi-Fi Simple Configuration: type 254,
// vendor id 0x00372A, vendor type 1.
QList<QVariant> wpsEapExpandedType()
{
    return {254, 0, 55, 42, 0, 0, 0, 1};
}

// Shown with exec(): false (after disposing of it) unless it was accepted
// and still exists.
template <typename Sheet>
bool acceptedSheet(const QPointer<Sheet>& sheet, int result)
{
    if (!sheet)
        return false;
    if (!result || sheet->isRejected()) {
        WLANInternetAccessPointTypePrivate::disposeOfSheet(sheet.data());
        return false;
    }
    return true;
}

// An accepted sheet is still on its way off screen: deleted once it is off.
void disposeOfAcceptedSheet(Touch::SceneWindow* sheet)
{
    QObject::connect(sheet, &Touch::SceneWindow::disappeared, sheet, &QObject::deleteLater);
    sheet->disappear();
}

// Instances of one network share its record: what an earlier, cancelled or
// failed preparation set there must not reach this one.
InternetAccessPoint* startClean(InternetAccessPoint* iap)
{
    const QMap<QString, QVariant> left = iap->properties();
    for (auto it = left.constBegin(); it != left.constEnd(); ++it)
        iap->setProperty(it.key(), QVariant());
    return iap;
}

void uniteInto(QMap<QString, QVariant>& map, const QMap<QString, QVariant>& more)
{
    // Later values replace earlier ones: one value per key.
    for (auto it = more.constBegin(); it != more.constEnd(); ++it)
        map.insert(it.key(), it.value());
}

} // namespace

void WLANInternetAccessPointTypePrivate::disposeOfSheet(Touch::SceneWindow* sheet)
{
    if (!sheet)
        return;
    if (sheet->sceneWindowState() == Touch::SceneWindow::Disappeared) {
        sheet->deleteLater();
        return;
    }
    disposeOfAcceptedSheet(sheet);
}

InternetAccessPoint WLANInternetAccessPointTypePrivate::createInternetAccessPoint(const QList<QVariant>& data)
{
    QString serviceType, serviceId, networkType;
    uint serviceAttributes = 0, networkAttributes = 0;
    QByteArray networkId;
    if (!dataToVariables(data, serviceType, serviceAttributes, serviceId, networkType, networkAttributes,
                         networkId))
        return InternetAccessPoint();

    const int nul = networkId.indexOf('\0');
    QString displaySsid = QString::fromUtf8(nul >= 0 ? networkId.left(nul) : networkId);

    QByteArray ssid = networkId;
    if (ssid.endsWith('\0'))
        ssid.chop(1);
    QMap<QString, QVariant> map;
    map.insert(WLANProperties::Ssid, ssid);
    map.insert(WLANProperties::Hidden, false);
    map.insert(WLANProperties::Security, WLANProperties::SecurityValueNone);
    map.insert(WLANProperties::AutoConnect, false);

    QList<QVariant> list = data;

    if (networkType == QLatin1String(networkTypeHidden)) {
        const QString found = handleHiddenWlan();
        if (found.isEmpty())
            return InternetAccessPoint();
        const QByteArray foundBytes = found.toLatin1();
        networkAttributes = WlanSecurity::networkAttrsFromCapability(capabilities, networkAttributes);
        networkType = QLatin1String(networkTypeInfra);
        map.insert(WLANProperties::Hidden, true);
        map.insert(WLANProperties::Ssid, foundBytes);
        list[InternetAccessPoint::NetworkTypeEntry] = networkType;
        list[InternetAccessPoint::NetworkAttributesEntry] = networkAttributes;
        list[InternetAccessPoint::NetworkIdEntry] = QByteArray(foundBytes + '\0');
        displaySsid = found;
    } else if (networkType == QLatin1String(networkTypeNew)) {
        networkAttributes = WlanSecurity::networkAttrsFromCapability(capabilities, networkAttributes);
        list[InternetAccessPoint::NetworkTypeEntry] = QString(QLatin1String(networkTypeNew));
        list[InternetAccessPoint::NetworkAttributesEntry] = networkAttributes;
    }

    uint capabilityWord = WlanSecurity::capabilityFromNetworkAttrs(networkAttributes);

    if (capabilityWord & WlanSecurity::CapabilityWpsMask) {
        const bool started = handleWPS(list, map);
        if (!started && !skipped)
            return InternetAccessPoint();
        if (wpsIap)
            return InternetAccessPoint(*wpsIap);
        // WPS skipped (or already over): the usual prompts, as for a network
        // without WPS.
        capabilityWord &= ~uint(WlanSecurity::CapabilityWpsMask);
        networkAttributes = WlanSecurity::networkAttrsFromCapability(capabilityWord, networkAttributes);
        list[InternetAccessPoint::NetworkAttributesEntry] = networkAttributes;
    }

    const int method = WlanSecurity::securityFromNetworkCapability(capabilityWord);
    switch (method) {
    case WlanSecurity::Open:
        map.insert(WLANProperties::Security, WLANProperties::SecurityValueNone);
        break;
    case WlanSecurity::Wep: {
        map.insert(WLANProperties::Security, WLANProperties::SecurityValueWep);
        QPointer<WepKeySheet> sheet = new WepKeySheet(displaySsid);
        if (!acceptedSheet(sheet, sheet->exec()))
            return InternetAccessPoint();
        map.insert(WLANProperties::Passphrase, sheet->wepKey());
        map.insert(WLANProperties::WepDefaultKeyIndex, int(1));
        disposeOfAcceptedSheet(sheet);
        break;
    }
    case WlanSecurity::WpaPsk: {
        map.insert(WLANProperties::Security, WLANProperties::SecurityValueWpaPsk);
        QPointer<WpaPskSheet> sheet = new WpaPskSheet(displaySsid);
        if (!acceptedSheet(sheet, sheet->exec()))
            return InternetAccessPoint();
        const QString key = sheet->wpaPsk();
        if (key.size() == 64)
            map.insert(WLANProperties::EapWpaKey, QByteArray::fromHex(key.toLatin1()));
        else
            map.insert(WLANProperties::EapWpaPassphrase, key);
        disposeOfAcceptedSheet(sheet);
        break;
    }
    case WlanSecurity::WpaEap: {
        map.insert(WLANProperties::Security, WLANProperties::SecurityValueWpaEap);
        QPointer<WpaEapSheet> sheet = new WpaEapSheet(displaySsid);
        if (!acceptedSheet(sheet, sheet->exec()))
            return InternetAccessPoint();
        QMap<QString, QVariant> properties = sheet->properties();
        // Asked for at each connection: nothing typed earlier is kept.
        if (properties.value(QStringLiteral("EAP_MSCHAPV2_password_prompt")).toBool()) {
            properties.insert(QStringLiteral("EAP_MSCHAPV2_password"), QString(QLatin1String("")));
            properties.insert(QStringLiteral("EAP_GTC_passcode"), QString(QLatin1String("")));
        }
        uniteInto(map, properties);
        disposeOfAcceptedSheet(sheet);
        break;
    }
    case WlanSecurity::WapiPsk:
    case WlanSecurity::WapiCertificate: {
        const bool certificate = method == WlanSecurity::WapiCertificate;
        map.insert(WLANProperties::Security, WLANProperties::SecurityValueWapiPsk);
        if (certificate)
            map.insert(WLANProperties::Security, WLANProperties::SecurityValueWapiCert);
        QPointer<WapiSheet> sheet =
            new WapiSheet(displaySsid, certificate ? WapiSheet::Certificate : WapiSheet::PreSharedKey);
        if (!acceptedSheet(sheet, sheet->exec()))
            return InternetAccessPoint();
        uniteInto(map, sheet->properties());
        disposeOfAcceptedSheet(sheet);
        break;
    }
    default:
        qWarning("Unsupported security method: %d", method);
        return InternetAccessPoint();
    }

    if (networkType == QLatin1String(networkTypeAdhoc))
        map.insert(WLANProperties::AutoConnect, false);
    else
        map.insert(WLANProperties::AutoConnect, WlanWpaEap().isAutoConnectable(map));

    InternetAccessPoint result(list);
    startClean(&result);
    result.setProperties(map);
    return result;
}

QString WLANInternetAccessPointTypePrivate::handleHiddenWlan()
{
    QPointer<OtherConnectionSheet> sheet = new OtherConnectionSheet();
    QString ssid;
    while (ssid.isEmpty()) {
        if (!sheet)
            return QString(QLatin1String(""));
        const int result = sheet->exec();
        if (!acceptedSheet(sheet, result))
            return QString(QLatin1String(""));

        sheet->setProgressIndicatorVisible(true);
        ssid = sheet->ssid();
        auto process = new SSIDScanningProcess(this);
        connect(process, SIGNAL(found(uint)), this, SLOT(ssidFound(uint)));
        connect(process, SIGNAL(error(QString)), this, SLOT(ssidError(QString)));
        currentSearch = process;
        searchEnded = false;
        ssidScanTimer->start();
        process->start(ssid);
        // The answer may have come already (a request that cannot be sent).
        if (!searchEnded)
            eventLoop.exec();
        endSearch();
        if (sheet)
            sheet->setProgressIndicatorVisible(false);

        if (capabilities == 0) {
            qWarning("capabilities == 0, unable to handle hidden wlan");
            ssid = QString();
        }
    }
    if (sheet)
        disposeOfAcceptedSheet(sheet);
    return ssid;
}

bool WLANInternetAccessPointTypePrivate::isStaleSearchAnswer() const
{
    // Earlier searches' processes stay alive and keep answering broadcasts;
    // only the search being waited for counts. A direct call has no sender.
    const QObject* from = sender();
    return from && from != currentSearch.data();
}

void WLANInternetAccessPointTypePrivate::endSearch()
{
    ssidScanTimer->stop();
    currentSearch = nullptr;
    searchEnded = true;
}

void WLANInternetAccessPointTypePrivate::ssidFound(uint found)
{
    if (isStaleSearchAnswer())
        return;
    capabilities = found;
    endSearch();
    eventLoop.exit(0);
}

void WLANInternetAccessPointTypePrivate::ssidError(QString message)
{
    if (isStaleSearchAnswer())
        return;
    qWarning() << "SSID scan error:" << message;
    capabilities = 0;
    endSearch();
    eventLoop.exit(0);
}

void WLANInternetAccessPointTypePrivate::ssidScanTimeout()
{
    capabilities = 0;
    endSearch();
    eventLoop.exit(0);
}

bool WLANInternetAccessPointTypePrivate::handleWPS(const QList<QVariant>& data, QMap<QString, QVariant> map)
{
    if (wpsProcess) {
        wpsProcess->abort();
        QObject::disconnect(wpsProcess, nullptr, nullptr, nullptr);
        wpsProcessFinished();
    }

    wpsIap = startClean(new InternetAccessPoint(data));
    wpsProcess = new WifiProtectedSetupProcess(wpsIap->id(), nullptr);

    const QByteArray idBytes = data.value(InternetAccessPoint::NetworkIdEntry).toByteArray();
    const int nul = idBytes.indexOf('\0');
    const QString ssid = QString::fromUtf8(nul >= 0 ? idBytes.left(nul) : idBytes);

    wpsMethodSheet = new WpsMethodSelectionSheet(wpsProcess, wpsIap, ssid);
    const int chosen = wpsMethodSheet->exec();
    skipped = wpsMethodSheet && wpsMethodSheet->isSkipped();
    bool result = wpsMethodSheet && !skipped && chosen != 0;
    disposeOfSheet(wpsMethodSheet.data());

    // The run may have been ended meanwhile (a newer run, the plug-in going).
    if (!result || !wpsProcess || !wpsIap) {
        wpsProcessFinished();
        return false;
    }

    map.insert(WLANProperties::EapDefaultType, wpsEapExpandedType());
    map.insert(WLANProperties::Security, WLANProperties::SecurityValueWpaEap);

    connect(wpsProcess, &WifiProtectedSetupProcess::finished, this,
            &WLANInternetAccessPointTypePrivate::wpsProcessFinished);
    connect(wpsProcess, &WifiProtectedSetupProcess::error, this,
            &WLANInternetAccessPointTypePrivate::wpsProcessError);
    wpsSheet = new WifiProtectedSetupSheet(wpsProcess, wpsIap, ssid);
    connect(wpsSheet.data(), &SimpleSheet::rejected, this, &WLANInternetAccessPointTypePrivate::wpsProcessFinished);

    switch (wpsProcess->method()) {
    case WifiProtectedSetupProcess::PushButtonMethod:
        result = wpsSheet->exec() != 0;
        map.insert(WLANProperties::WpsMethod, WLANProperties::WpsMethodValuePushButton);
        break;
    case WifiProtectedSetupProcess::PinMethod:
        // Stays above every application while the framework connects.
        wpsSheet->appearSystemwide(Touch::SceneWindow::KeepWhenDone);
        map.insert(WLANProperties::WpsMethod, WLANProperties::WpsMethodValuePin);
        break;
    default:
        break;
    }

    if (wpsIap)
        wpsIap->setProperties(map);
    return result;
}

void WLANInternetAccessPointTypePrivate::wpsProcessFinished()
{
    if (wpsIap) {
        if (wpsSheet && !wpsSheet->isRejected()) {
            auto feedback = new FeedbackClient();
            feedback->playEvent(QStringLiteral("information_snd"));
            feedback->deleteLater();
        } else {
            // Drops the link the WPS exchange may still hold.
            wpsIap->disconnect();
        }
        wpsIap->deleteLater();
        wpsIap = nullptr;
    }
    if (wpsSheet)
        disposeOfSheet(wpsSheet.data());
    if (wpsProcess) {
        wpsProcess->deleteLater();
        wpsProcess = nullptr;
    }
}

void WLANInternetAccessPointTypePrivate::wpsProcessError(QString error)
{
    qWarning() << "Error happened during the wps process: " << error;
    wpsProcessFinished();
}

} // namespace Velin
