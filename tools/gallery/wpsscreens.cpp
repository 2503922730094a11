// Gallery screens of Wi-Fi Protected Setup: the method choice, and the
// progress sheet for push button and for PIN part-way through the 120 s.
// The processes are never started, so no bus is needed.
#include "galleryscreen.h"

#include "wlanui/discovery/wifiprotectedsetupprocess.h"
#include "wlanui/discovery/wifiprotectedsetupsheet.h"
#include "wlanui/discovery/wpsmethodselectionsheet.h"

#include "net/internetaccesspoint.h"

namespace {

const char officeSsid[] = "Office";

// A WPA-PSK network, as the framework describes one found by a scan.
Velin::InternetAccessPoint *officeAccessPoint()
{
    const QList<QVariant> data = {QString(QLatin1String("")), 0u, QString(QLatin1String("")),
                                  QStringLiteral("WLAN_INFRA"), uint(Velin::InternetAccessPoint::SecurityWpaPsk),
                                  QByteArray(officeSsid)};
    return new Velin::InternetAccessPoint(data);
}

// The process and access point belong to the sheet, which outlives them in use.
template <typename Sheet>
Sheet *wpsSheet(Velin::WifiProtectedSetupProcess::Method method)
{
    auto iap = officeAccessPoint();
    auto process = new Velin::WifiProtectedSetupProcess(iap->id());
    if (method == Velin::WifiProtectedSetupProcess::PinMethod)
        process->setPinCode(QStringLiteral("49226874")); // the same PIN on every tour
    if (method != Velin::WifiProtectedSetupProcess::UnknownMethod)
        process->setMethod(method);
    auto sheet = new Sheet(process, iap, QLatin1String(officeSsid));
    process->setParent(sheet);
    iap->setParent(sheet);
    return sheet;
}

Touch::SceneWindow *methodSheet(Touch::ApplicationWindow *window)
{
    auto sheet = wpsSheet<Velin::WpsMethodSelectionSheet>(Velin::WifiProtectedSetupProcess::UnknownMethod);
    sheet->appear(window);
    return sheet;
}

Touch::SceneWindow *pushButtonSheet(Touch::ApplicationWindow *window)
{
    auto sheet = wpsSheet<Velin::WifiProtectedSetupSheet>(Velin::WifiProtectedSetupProcess::PushButtonMethod);
    sheet->appear(window);
    return sheet;
}

// Connect was tapped (the bar appears) and 47 of the 120 s have passed.
Touch::SceneWindow *pinSheetCounting(Touch::ApplicationWindow *window)
{
    auto sheet = wpsSheet<Velin::WifiProtectedSetupSheet>(Velin::WifiProtectedSetupProcess::PinMethod);
    sheet->appear(window);
    sheet->accept();
    if (auto process = sheet->findChild<Velin::WifiProtectedSetupProcess *>())
        Q_EMIT process->secondsRemaining(73);
    return sheet;
}

const GalleryRegistration method({160, QStringLiteral("wps-method-sheet"), QStringLiteral("WPS method sheet"),
                                  methodSheet});
const GalleryRegistration pushButton({161, QStringLiteral("wps-push-button-sheet"),
                                      QStringLiteral("WPS progress sheet, push button"), pushButtonSheet});
const GalleryRegistration pinCounting({162, QStringLiteral("wps-pin-sheet-counting"),
                                       QStringLiteral("WPS progress sheet, PIN, counting down"), pinSheetCounting});

} // namespace
