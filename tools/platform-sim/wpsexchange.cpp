#include "wpsexchange.h"

#include "plainvalues.h"

namespace {

const QList<qlonglong> wpsExpandedType = {254, 0, 55, 42, 0, 0, 0, 1};

} // namespace

bool WpsExchange::isWpsRequest(const QVariantMap& presented)
{
    QList<qlonglong> type;
    return PlainValues::integerList(presented.value(QStringLiteral("EAP_default_type")), &type)
        && type == wpsExpandedType;
}

WpsExchange::Outcome WpsExchange::evaluate(const Network& network, const QVariantMap& presented, QString* why)
{
    const QString method = QString::fromUtf8(PlainValues::bytes(presented.value(QStringLiteral("wlan_wps_method"))));
    if (method != QLatin1String("pushbutton") && method != QLatin1String("pin")) {
        *why = QStringLiteral("wlan_wps_method must be \"pushbutton\" or \"pin\"");
        return BadRequest;
    }
    if (!network.wps) {
        *why = QStringLiteral("the network does not offer WPS");
        return Unavailable;
    }
    if (method == QLatin1String("pin")) {
        const QString pin = QString::fromUtf8(
            PlainValues::bytes(presented.value(QStringLiteral("EAP_SIMPLE_CONFIG_device_password"))));
        if (!isValidPin(pin)) {
            *why = QStringLiteral("the PIN is not 8 digits with a valid checksum");
            return WrongPin;
        }
    }
    return Accepted;
}

bool WpsExchange::isValidPin(const QString& pin)
{
    if (pin.size() != 8)
        return false;
    for (const QChar c : pin) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    const quint32 number = pin.toUInt();
    return checksum(number / 10) == int(number % 10);
}

int WpsExchange::checksum(quint32 digits)
{
    // Digits from the right weigh 3, 1, 3, 1, ...
    quint32 sum = 0;
    while (digits) {
        sum += 3 * (digits % 10);
        digits /= 10;
        sum += digits % 10;
        digits /= 10;
    }
    return int((10 - sum % 10) % 10);
}
