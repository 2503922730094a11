#include "networkcatalogue.h"

#include "simlog.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace {

const char byteValuedKey[] = "EAP_wpa_preshared_key";

class Parser
{
public:
    bool parse(const QByteArray& json, QList<Network>* networks, QString* error);

private:
    bool parseNetwork(const QJsonObject& object, int index, Network* network);
    bool parseBytes(const QJsonValue& value, const QString& what, QByteArray* bytes);
    bool parseWord(const QJsonValue& value, const QString& what, quint32* word);
    bool parseCredentials(const QJsonValue& value, Network* network);
    bool checkCredentials(const Network& network);
    bool fail(const QString& text);

    QString context;
    QString message;
};

bool Parser::fail(const QString& text)
{
    message = context.isEmpty() ? text : context + QStringLiteral(": ") + text;
    return false;
}

bool Parser::parse(const QByteArray& json, QList<Network>* networks, QString* error)
{
    QJsonParseError jsonError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &jsonError);
    bool ok = true;
    if (jsonError.error != QJsonParseError::NoError) {
        ok = fail(QStringLiteral("not valid JSON (%1 at offset %2)").arg(jsonError.errorString()).arg(jsonError.offset));
    } else if (!document.isObject() || !document.object().value(QLatin1String("networks")).isArray()) {
        ok = fail(QStringLiteral("expected an object with a \"networks\" array"));
    } else {
        const QJsonObject top = document.object();
        for (auto it = top.constBegin(); ok && it != top.constEnd(); ++it) {
            if (it.key() != QLatin1String("networks"))
                ok = fail(QStringLiteral("unknown top-level field \"%1\"").arg(it.key()));
        }
        const QJsonArray array = top.value(QLatin1String("networks")).toArray();
        QSet<QString> bssids;
        for (int i = 0; ok && i < array.size(); ++i) {
            context = QStringLiteral("network %1").arg(i);
            if (!array.at(i).isObject()) {
                ok = fail(QStringLiteral("not an object"));
                break;
            }
            Network network;
            ok = parseNetwork(array.at(i).toObject(), i, &network);
            if (ok && bssids.contains(network.bssid))
                ok = fail(QStringLiteral("bssid %1 is used twice").arg(network.bssid));
            if (ok) {
                bssids.insert(network.bssid);
                networks->append(network);
            }
        }
    }
    if (!ok && error)
        *error = message;
    return ok;
}

bool Parser::parseBytes(const QJsonValue& value, const QString& what, QByteArray* bytes)
{
    if (value.isString()) {
        *bytes = value.toString().toUtf8();
        return true;
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        const QString hex = object.value(QLatin1String("hex")).toString();
        static const QRegularExpression hexPattern(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
        if (object.size() == 1 && object.value(QLatin1String("hex")).isString() && hexPattern.match(hex).hasMatch()) {
            *bytes = QByteArray::fromHex(hex.toLatin1());
            return true;
        }
    }
    return fail(QStringLiteral("%1 must be a string or {\"hex\": \"<pairs of hex digits>\"}").arg(what));
}

bool Parser::parseWord(const QJsonValue& value, const QString& what, quint32* word)
{
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (number >= 0 && number <= 4294967295.0 && std::floor(number) == number) {
            *word = quint32(number);
            return true;
        }
    } else if (value.isString()) {
        static const QRegularExpression pattern(QStringLiteral("^0[xX][0-9A-Fa-f]{1,8}$"));
        const QString text = value.toString();
        if (pattern.match(text).hasMatch()) {
            *word = text.mid(2).toUInt(nullptr, 16);
            return true;
        }
    }
    return fail(QStringLiteral("%1 must be an integer 0..4294967295 or a \"0x...\" string of at most 8 digits").arg(what));
}

bool Parser::parseCredentials(const QJsonValue& value, Network* network)
{
    if (!value.isObject())
        return fail(QStringLiteral("credentials must be an object"));
    const QJsonObject object = value.toObject();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString key = it.key();
        const QJsonValue entry = it.value();
        static const QRegularExpression keyPattern(QStringLiteral("^[A-Za-z0-9_]+$"));
        if (!keyPattern.match(key).hasMatch())
            return fail(QStringLiteral("credential key \"%1\" is not a settings key name").arg(key));
        if (key == QLatin1String(byteValuedKey)) {
            QByteArray bytes;
            if (!parseBytes(entry, QStringLiteral("credential %1").arg(key), &bytes))
                return false;
            network->credentials.insert(key, bytes);
        } else if (entry.isString()) {
            network->credentials.insert(key, entry.toString());
        } else if (entry.isBool()) {
            network->credentials.insert(key, entry.toBool());
        } else if (entry.isDouble() && std::floor(entry.toDouble()) == entry.toDouble()
                   && std::fabs(entry.toDouble()) <= 2147483647.0) {
            network->credentials.insert(key, int(entry.toDouble()));
        } else if (entry.isObject()) {
            QByteArray bytes;
            if (!parseBytes(entry, QStringLiteral("credential %1").arg(key), &bytes))
                return false;
            network->credentials.insert(key, bytes);
        } else {
            return fail(QStringLiteral("credential %1 must be a string, an integer, a boolean or {\"hex\": ...}").arg(key));
        }
    }
    return true;
}

QByteArray credentialBytes(const Network& network, const char* key)
{
    const QVariant value = network.credentials.value(QLatin1String(key));
    if (value.userType() == QMetaType::QByteArray)
        return value.toByteArray();
    if (value.userType() == QMetaType::QString)
        return value.toString().toUtf8();
    return QByteArray();
}

bool Parser::checkCredentials(const Network& network)
{
    switch (network.security) {
    case Network::Open:
    case Network::WapiCertificate:
        return true;
    case Network::Wep: {
        bool anyKey = false;
        for (int n = 1; n <= 4; ++n)
            anyKey = anyKey || !credentialBytes(network, qPrintable(QStringLiteral("wlan_wepkey%1").arg(n))).isEmpty();
        if (!anyKey)
            return fail(QStringLiteral("a WEP network needs at least one of wlan_wepkey1..wlan_wepkey4"));
        const QVariant defaultKey = network.credentials.value(QStringLiteral("wlan_wepdefkey"));
        if (defaultKey.isValid() && (defaultKey.userType() != QMetaType::Int || defaultKey.toInt() < 1 || defaultKey.toInt() > 4))
            return fail(QStringLiteral("wlan_wepdefkey must be an integer 1..4"));
        return true;
    }
    case Network::WpaPsk: {
        const QVariant passphrase = network.credentials.value(QStringLiteral("EAP_wpa_preshared_passphrase"));
        const QByteArray key = credentialBytes(network, byteValuedKey);
        if (passphrase.isValid()) {
            const int length = passphrase.toString().toUtf8().size();
            if (passphrase.userType() != QMetaType::QString || length < 8 || length > 63)
                return fail(QStringLiteral("EAP_wpa_preshared_passphrase must be a text of 8 to 63 bytes"));
        }
        if (network.credentials.contains(QLatin1String(byteValuedKey)) && key.size() != 32)
            return fail(QStringLiteral("EAP_wpa_preshared_key of a WPA_PSK network must be 32 bytes"));
        if (!passphrase.isValid() && key.isEmpty())
            return fail(QStringLiteral("a WPA_PSK network needs EAP_wpa_preshared_passphrase or EAP_wpa_preshared_key"));
        return true;
    }
    case Network::WapiPsk:
        if (credentialBytes(network, byteValuedKey).isEmpty())
            return fail(QStringLiteral("a WAI_PSK network needs EAP_wpa_preshared_key"));
        return true;
    case Network::WpaEap: {
        const bool user = !credentialBytes(network, "EAP_GTC_identity").isEmpty()
            || !credentialBytes(network, "EAP_MSCHAPV2_username").isEmpty();
        const bool password = !credentialBytes(network, "EAP_GTC_passcode").isEmpty()
            || !credentialBytes(network, "EAP_MSCHAPV2_password").isEmpty();
        const bool tls = !credentialBytes(network, "EAP_TLS_PEAP_client_certificate_file").isEmpty();
        if (user != password)
            return fail(QStringLiteral("a WPA_EAP network needs both a user name and a password, or neither"));
        if (!user && !tls)
            return fail(QStringLiteral("a WPA_EAP network needs a user name and password "
                                       "(EAP_GTC_* or EAP_MSCHAPV2_*) or EAP_TLS_PEAP_client_certificate_file"));
        return true;
    }
    }
    return true;
}

bool Parser::parseNetwork(const QJsonObject& object, int index, Network* network)
{
    static const QStringList fields = {
        QStringLiteral("ssid"), QStringLiteral("bssid"), QStringLiteral("level"), QStringLiteral("security"),
        QStringLiteral("credentials"), QStringLiteral("wps"), QStringLiteral("adhoc"), QStringLiteral("hidden"),
        QStringLiteral("capability"), QStringLiteral("attributes")};
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (!fields.contains(it.key()))
            return fail(QStringLiteral("unknown field \"%1\"").arg(it.key()));
    }

    if (!object.contains(QLatin1String("ssid")))
        return fail(QStringLiteral("ssid is missing"));
    if (!parseBytes(object.value(QLatin1String("ssid")), QStringLiteral("ssid"), &network->ssid))
        return false;
    if (network->ssid.isEmpty() || network->ssid.size() > 32 || network->ssid.contains('\0'))
        return fail(QStringLiteral("ssid must be 1 to 32 bytes without NUL"));
    context += QStringLiteral(" (\"%1\")").arg(network->id());

    const QJsonValue bssid = object.value(QLatin1String("bssid"));
    if (bssid.isUndefined()) {
        network->bssid = QStringLiteral("02:00:00:00:%1:%2")
                             .arg((index + 1) >> 8, 2, 16, QLatin1Char('0'))
                             .arg((index + 1) & 0xff, 2, 16, QLatin1Char('0'));
    } else {
        static const QRegularExpression pattern(QStringLiteral("^[0-9A-Fa-f]{2}(:[0-9A-Fa-f]{2}){5}$"));
        if (!bssid.isString() || !pattern.match(bssid.toString()).hasMatch())
            return fail(QStringLiteral("bssid must look like \"02:00:00:00:00:01\""));
        network->bssid = bssid.toString().toLower();
    }

    const QJsonValue level = object.value(QLatin1String("level"));
    if (!level.isUndefined()) {
        const double dbm = level.toDouble(1);
        if (!level.isDouble() || std::floor(dbm) != dbm || dbm < -100 || dbm > -20)
            return fail(QStringLiteral("level must be an integer dBm from -100 to -20"));
        network->level = int(dbm);
    }

    const QJsonValue security = object.value(QLatin1String("security"));
    if (!security.isUndefined()
        && (!security.isString() || !Network::securityFromName(security.toString(), &network->security))) {
        return fail(QStringLiteral("security must be one of NONE, WEP, WPA_PSK, WPA_EAP, WAI_PSK, WAI_certificate"));
    }

    for (const char* flag : {"wps", "adhoc", "hidden"}) {
        const QJsonValue value = object.value(QLatin1String(flag));
        if (!value.isUndefined() && !value.isBool())
            return fail(QStringLiteral("%1 must be true or false").arg(QLatin1String(flag)));
    }
    network->wps = object.value(QLatin1String("wps")).toBool();
    network->adhoc = object.value(QLatin1String("adhoc")).toBool();
    network->hidden = object.value(QLatin1String("hidden")).toBool();

    const QJsonValue credentials = object.value(QLatin1String("credentials"));
    if (!credentials.isUndefined() && !parseCredentials(credentials, network))
        return false;
    if (!checkCredentials(*network))
        return false;

    network->capability = network->derivedCapability();
    const QJsonValue capability = object.value(QLatin1String("capability"));
    if (!capability.isUndefined() && !parseWord(capability, QStringLiteral("capability"), &network->capability))
        return false;
    network->attributes = Network::attributesFromCapability(network->capability);
    const QJsonValue attributes = object.value(QLatin1String("attributes"));
    if (!attributes.isUndefined() && !parseWord(attributes, QStringLiteral("attributes"), &network->attributes))
        return false;
    return true;
}

} // namespace

class NetworkCataloguePrivate
{
public:
    bool apply(const QByteArray& json, const QString& path, QString* error);

    NetworkCatalogue* q = nullptr;
    QList<Network> networks;
    QString path;
};

bool NetworkCataloguePrivate::apply(const QByteArray& json, const QString& source, QString* error)
{
    QList<Network> parsed;
    Parser parser;
    if (!parser.parse(json, &parsed, error))
        return false;
    networks = parsed;
    path = source;
    Q_EMIT q->changed();
    return true;
}

NetworkCatalogue::NetworkCatalogue(QObject* parent)
    : QObject(parent)
    , d(new NetworkCataloguePrivate)
{
    d->q = this;
}

NetworkCatalogue::~NetworkCatalogue()
{
    delete d;
}

bool NetworkCatalogue::load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QString parseError;
    if (!d->apply(file.readAll(), path, &parseError)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, parseError);
        return false;
    }
    return true;
}

bool NetworkCatalogue::loadJson(const QByteArray& json, QString* error)
{
    return d->apply(json, QString(), error);
}

int NetworkCatalogue::count() const
{
    return d->networks.size();
}

QString NetworkCatalogue::path() const
{
    return d->path;
}

QStringList NetworkCatalogue::ids() const
{
    QStringList result;
    for (const Network& network : qAsConst(d->networks))
        result.append(network.id());
    return result;
}

QList<Network> NetworkCatalogue::networks() const
{
    return d->networks;
}

bool NetworkCatalogue::find(const QString& id, Network* network) const
{
    for (const Network& candidate : qAsConst(d->networks)) {
        if (candidate.hasId(id)) {
            *network = candidate;
            return true;
        }
    }
    return false;
}

QList<Network> NetworkCatalogue::scanResults(const QByteArray& directedSsid) const
{
    QList<Network> result;
    for (const Network& network : qAsConst(d->networks)) {
        if (!network.hidden || (!directedSsid.isEmpty() && network.ssid == directedSsid))
            result.append(network);
    }
    return result;
}
