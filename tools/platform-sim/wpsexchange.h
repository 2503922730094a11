#pragma once

#include "network.h"

#include <QString>
#include <QVariantMap>

// A connect_req that asks for Wi-Fi Protected Setup: "EAP_default_type" is
// the expanded type [254, 0, 55, 42, 0, 0, 0, 1] and "wlan_wps_method" says
// "pushbutton" or "pin" (with the PIN in "EAP_SIMPLE_CONFIG_device_password").
class WpsExchange
{
public:
    enum Outcome {
        Accepted,
        WrongPin,    // the PIN is not 8 digits with a valid checksum
        Unavailable, // the network does not offer WPS
        BadRequest   // no or an unknown method
    };

    static bool isWpsRequest(const QVariantMap& presented);
    // why (for the log) never holds the PIN.
    static Outcome evaluate(const Network& network, const QVariantMap& presented, QString* why);

    // Eight digits whose last is the checksum of the first seven.
    static bool isValidPin(const QString& pin);
    static int checksum(quint32 firstSevenDigits);
};
