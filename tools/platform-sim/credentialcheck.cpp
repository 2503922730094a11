#include "credentialcheck.h"

#include "plainvalues.h"

#include <openssl/evp.h>

#include <QRegularExpression>

namespace {

bool isHex(const QByteArray& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9A-Fa-f]*$"));
    return pattern.match(QString::fromLatin1(text)).hasMatch();
}

QByteArray value(const QVariantMap& map, const char* key)
{
    return PlainValues::bytes(map.value(QLatin1String(key)));
}

// The 32-byte key a WPA-PSK side uses: a raw key (32 bytes, or 64 hex
// digits), or the one its passphrase derives.
QByteArray pskOf(const QByteArray& passphrase, const QByteArray& key, const QByteArray& ssid)
{
    if (!passphrase.isEmpty()) {
        if (passphrase.size() == 64 && isHex(passphrase))
            return QByteArray::fromHex(passphrase);
        if (passphrase.size() < 8 || passphrase.size() > 63)
            return QByteArray();
        return CredentialCheck::wpaPsk(passphrase, ssid);
    }
    if (key.size() == 32)
        return key;
    if (key.size() == 64 && isHex(key))
        return QByteArray::fromHex(key);
    return QByteArray();
}

bool checkWep(const Network& network, const QVariantMap& presented, QString* why)
{
    qlonglong index = 1;
    const QVariant defaultKey = presented.value(QStringLiteral("wlan_wepdefkey"));
    if (defaultKey.isValid() && !PlainValues::integer(defaultKey, &index)) {
        const QByteArray text = PlainValues::bytes(defaultKey);
        bool ok = false;
        index = text.toInt(&ok);
        if (!ok)
            index = 0;
    }
    if (index < 1 || index > 4) {
        *why = QStringLiteral("wlan_wepdefkey is not 1..4");
        return false;
    }
    const QByteArray keyName = "wlan_wepkey" + QByteArray::number(index);
    const QByteArray expected = value(network.credentials, keyName.constData());
    const QByteArray typed = value(presented, keyName.constData());
    if (expected.isEmpty()) {
        *why = QStringLiteral("the network has no WEP key %1").arg(index);
        return false;
    }
    if (typed.isEmpty()) {
        *why = QStringLiteral("%1 is missing").arg(QLatin1String(keyName));
        return false;
    }
    if (CredentialCheck::wepKeyBytes(typed) != CredentialCheck::wepKeyBytes(expected)) {
        *why = QStringLiteral("%1 does not match").arg(QLatin1String(keyName));
        return false;
    }
    return true;
}

bool checkWpaPsk(const Network& network, const QVariantMap& presented, QString* why)
{
    const QByteArray expected = pskOf(value(network.credentials, "EAP_wpa_preshared_passphrase"),
                                      value(network.credentials, "EAP_wpa_preshared_key"), network.ssid);
    const QByteArray passphrase = value(presented, "EAP_wpa_preshared_passphrase");
    const QByteArray key = value(presented, "EAP_wpa_preshared_key");
    if (passphrase.isEmpty() && key.isEmpty()) {
        *why = QStringLiteral("neither EAP_wpa_preshared_passphrase nor EAP_wpa_preshared_key given");
        return false;
    }
    const QByteArray offered = pskOf(passphrase, key, network.ssid);
    if (offered.isEmpty()) {
        *why = passphrase.isEmpty() ? QStringLiteral("EAP_wpa_preshared_key is not 32 bytes")
                                    : QStringLiteral("EAP_wpa_preshared_passphrase is not 8 to 63 bytes");
        return false;
    }
    if (offered != expected) {
        *why = passphrase.isEmpty() ? QStringLiteral("EAP_wpa_preshared_key does not match")
                                    : QStringLiteral("EAP_wpa_preshared_passphrase does not match");
        return false;
    }
    return true;
}

bool checkWapiPsk(const Network& network, const QVariantMap& presented, QString* why)
{
    const QByteArray key = value(presented, "EAP_wpa_preshared_key");
    if (key.isEmpty()) {
        *why = QStringLiteral("EAP_wpa_preshared_key is missing");
        return false;
    }
    if (key != value(network.credentials, "EAP_wpa_preshared_key")) {
        *why = QStringLiteral("EAP_wpa_preshared_key does not match");
        return false;
    }
    return true;
}

// User name and password under either family of keys.
struct Login
{
    QByteArray user;
    QByteArray password;
};

Login loginOf(const QVariantMap& map)
{
    Login login;
    login.user = value(map, "EAP_GTC_identity");
    if (login.user.isEmpty())
        login.user = value(map, "EAP_MSCHAPV2_username");
    login.password = value(map, "EAP_GTC_passcode");
    if (login.password.isEmpty())
        login.password = value(map, "EAP_MSCHAPV2_password");
    return login;
}

bool checkWpaEap(const Network& network, const QVariantMap& presented, QString* why)
{
    const Login expected = loginOf(network.credentials);
    const Login offered = loginOf(presented);
    // The user would be asked for the password at this point; the simulator
    // takes the answer as right.
    const bool prompted = presented.value(QStringLiteral("EAP_MSCHAPV2_password_prompt")).toBool();
    const QByteArray certificateKey = "EAP_TLS_PEAP_client_certificate_file";
    const bool networkTakesTls = !value(network.credentials, certificateKey.constData()).isEmpty();
    const bool offersCertificate = !value(presented, certificateKey.constData()).isEmpty();

    if (!expected.user.isEmpty() && !offered.user.isEmpty()) {
        if (offered.user != expected.user) {
            *why = QStringLiteral("the user name does not match");
            return false;
        }
        if (prompted)
            return true;
        if (offered.password.isEmpty()) {
            *why = QStringLiteral("no password given");
            return false;
        }
        if (offered.password != expected.password) {
            *why = QStringLiteral("the password does not match");
            return false;
        }
        return true;
    }
    if (networkTakesTls && offersCertificate)
        return true;
    if (networkTakesTls)
        *why = QStringLiteral("no client certificate (EAP_TLS_PEAP_client_certificate_file) given");
    else
        *why = QStringLiteral("no user name given (EAP_GTC_identity or EAP_MSCHAPV2_username)");
    return false;
}

bool checkWapiCertificate(const Network& network, const QVariantMap& presented, QString* why)
{
    for (const char* key : {"WAPI_EC_CS_selected_ca_subject_common_name",
                            "WAPI_EC_CS_selected_client_subject_common_name"}) {
        const QByteArray offered = value(presented, key);
        if (offered.isEmpty()) {
            *why = QStringLiteral("%1 is missing").arg(QLatin1String(key));
            return false;
        }
        const QByteArray expected = value(network.credentials, key);
        if (!expected.isEmpty() && offered != expected) {
            *why = QStringLiteral("%1 does not match").arg(QLatin1String(key));
            return false;
        }
    }
    return true;
}

} // namespace

bool CredentialCheck::accepts(const Network& network, const QVariantMap& presented, QString* why)
{
    QString reason;
    bool accepted = false;
    switch (network.security) {
    case Network::Open:
        accepted = true;
        break;
    case Network::Wep:
        accepted = checkWep(network, presented, &reason);
        break;
    case Network::WpaPsk:
        accepted = checkWpaPsk(network, presented, &reason);
        break;
    case Network::WpaEap:
        accepted = checkWpaEap(network, presented, &reason);
        break;
    case Network::WapiPsk:
        accepted = checkWapiPsk(network, presented, &reason);
        break;
    case Network::WapiCertificate:
        accepted = checkWapiCertificate(network, presented, &reason);
        break;
    }
    if (why)
        *why = reason;
    return accepted;
}

QByteArray CredentialCheck::wpaPsk(const QByteArray& passphrase, const QByteArray& ssid)
{
    QByteArray key(32, '\0');
    if (PKCS5_PBKDF2_HMAC_SHA1(passphrase.constData(), passphrase.size(),
                               reinterpret_cast<const unsigned char*>(ssid.constData()), ssid.size(), 4096,
                               key.size(), reinterpret_cast<unsigned char*>(key.data()))
        != 1) {
        return QByteArray();
    }
    return key;
}

QByteArray CredentialCheck::wepKeyBytes(const QByteArray& typed)
{
    switch (typed.size()) {
    case 10:
    case 26:
    case 32:
    case 58:
        if (isHex(typed))
            return QByteArray::fromHex(typed);
        break;
    default:
        break;
    }
    return typed;
}
