// Every sheet of the UI library, made the way its callers make it, for the
// suites that check a rule on all of them.
#pragma once

#include "dconffixture.h"
#include "fakedbusservice.h"

#include "base/simplesheet.h"
#include "net/internetaccesspoint.h"
#include "wlanui/discovery/otherconnectionsheet.h"
#include "wlanui/discovery/wifiprotectedsetupprocess.h"
#include "wlanui/discovery/wifiprotectedsetupsheet.h"
#include "wlanui/discovery/wpsmethodselectionsheet.h"
#include "wlanui/prompts/eapgtcresponsesheet.h"
#include "wlanui/prompts/mschappasswordchangesheet.h"
#include "wlanui/prompts/wepkeysheet.h"
#include "wlanui/prompts/wpapsksheet.h"
#include "wlanui/security/wapisheet.h"
#include "wlanui/security/wpaeapsheet.h"

#include <QFile>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

namespace SheetCatalogue {

// What a sheet needs around it: the settings store's EAP catalogue, the
// connectivity daemon the WPS process talks to, the WPS process itself.
class Environment
{
public:
    // Without a daemon of its own when the simulated platform serves the
    // connectivity daemon; with a user database when networks are saved.
    bool start(bool ownDaemon = true, bool userDatabase = false)
    {
        if (ownDaemon) {
            m_daemon.reset(new FakeDBusService(FakeDBusService::SystemBus, QStringLiteral("com.qorva.nexd2")));
            if (!m_daemon->isRegistered())
                return false;
        }
        m_store.setUserDatabaseEnabled(userDatabase);
        QFile keyfile(QStringLiteral(VELIN_WLAN_KEYFILE));
        return keyfile.open(QIODevice::ReadOnly) && m_store.loadKeyfile(QString::fromUtf8(keyfile.readAll()));
    }

    Velin::InternetAccessPoint* accessPoint() { return &m_accessPoint; }
    Velin::WifiProtectedSetupProcess* newProcess()
    {
        m_process.reset(new Velin::WifiProtectedSetupProcess(m_accessPoint.id()));
        return m_process.get();
    }

private:
    DconfFixture m_store;
    std::unique_ptr<FakeDBusService> m_daemon;
    Velin::InternetAccessPoint m_accessPoint{{QString(), 0u, QString(), QStringLiteral("WLAN_INFRA"), 0x20u,
                                              QByteArray("Office\0", 7)}};
    std::unique_ptr<Velin::WifiProtectedSetupProcess> m_process;
};

using Factory = std::function<Velin::SimpleSheet*(Environment&)>;

struct Entry
{
    const char* name;
    Factory make;
};

inline QList<Entry> all()
{
    const QString ssid = QStringLiteral("Office");
    return {
        {"WEP key", [ssid](Environment&) { return new Velin::WepKeySheet(ssid); }},
        {"WPA pre-shared key", [ssid](Environment&) { return new Velin::WpaPskSheet(ssid); }},
        {"hidden network", [](Environment&) { return new Velin::OtherConnectionSheet; }},
        {"EAP-GTC response", [](Environment&) { return new Velin::EapGtcResponseSheet(QStringLiteral("Token?")); }},
        {"MSCHAPv2 password change",
         [](Environment& env) {
             auto sheet = new Velin::MschapPasswordChangeSheet(*env.accessPoint());
             sheet->setUsername(QStringLiteral("alice"));
             sheet->setPassword(QStringLiteral("old-secret"));
             return sheet;
         }},
        {"WAPI pre-shared key", [ssid](Environment&) { return new Velin::WapiSheet(ssid, Velin::WapiSheet::PreSharedKey); }},
        {"WAPI certificates", [ssid](Environment&) { return new Velin::WapiSheet(ssid, Velin::WapiSheet::Certificate); }},
        {"WPA-EAP", [ssid](Environment&) { return new Velin::WpaEapSheet(ssid); }},
        {"WPS method choice",
         [ssid](Environment& env) { return new Velin::WpsMethodSelectionSheet(env.newProcess(), env.accessPoint(), ssid); }},
        {"WPS progress",
         [ssid](Environment& env) { return new Velin::WifiProtectedSetupSheet(env.newProcess(), env.accessPoint(), ssid); }},
    };
}

inline Factory factory(const QString& name)
{
    for (const Entry& entry : all()) {
        if (name == QLatin1String(entry.name))
            return entry.make;
    }
    return Factory();
}

} // namespace SheetCatalogue
