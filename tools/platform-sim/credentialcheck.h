#pragma once

#include "network.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>

// Checks the credentials a connection presents (plain property values)
// against what the network wants, the way the access point would: WEP keys
// by their key bytes, WPA-PSK by the pre-shared key the passphrase derives,
// EAP by user name and password or a client certificate.
class CredentialCheck
{
public:
    // why (for the log) names what failed, never a value.
    static bool accepts(const Network& network, const QVariantMap& presented, QString* why);

    // PBKDF2-HMAC-SHA1(passphrase, ssid, 4096 rounds, 32 bytes).
    static QByteArray wpaPsk(const QByteArray& passphrase, const QByteArray& ssid);
    // The bytes of a WEP key as typed: 5/13/16/29 characters are the key
    // itself, 10/26/32/58 hex digits encode it; anything else stays as typed.
    static QByteArray wepKeyBytes(const QByteArray& typed);
};
