#include "wlanui/model/wlanwpaeap.h"

#include "wlanui/model/wlanproperties.h"

#include "touch/settingsitem.h"

#include <QHash>
#include <QtDebug>

#include <initializer_list>

namespace Velin {

namespace {

const char catalogueRoot[] = "/system/ravo/connectivity/ui/wpaeap/";

const char valueSuffix[] = "/value";
const char logicalNameSuffix[] = "/logical_name";
const char methodsSuffix[] = "/methods";

// Property keys of the EAP credentials.
const char defaultTypeKey[] = "EAP_default_type";
const char tunneledTypeKey[] = "PEAP_tunneled_eap_type";
const char gtcIdentityKey[] = "EAP_GTC_identity";
const char gtcPasscodeKey[] = "EAP_GTC_passcode";
const char msChapV2UsernameKey[] = "EAP_MSCHAPV2_username";
const char msChapV2PasswordKey[] = "EAP_MSCHAPV2_password";
const char passwordPromptKey[] = "EAP_MSCHAPV2_password_prompt";
const char clientCertificateKey[] = "EAP_TLS_PEAP_client_certificate_file";

// One item per read, discarded at once: the store may change between reads.
QVariant readKey(const QString& key)
{
    return Touch::SettingsItem(key).value();
}

QString translatedName(const QVariant& logicalName, const QString& key)
{
    if (!logicalName.isValid())
        return QString();
    if (!logicalName.canConvert<QString>()) {
        qWarning("Velin::WlanWpaEap: %s holds a %s, not a text id", qPrintable(key), logicalName.typeName());
        return QString();
    }
    return qtTrId(logicalName.toString().toLatin1().constData());
}

void removeKeys(QMap<QString, QVariant>& properties, std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
        properties.remove(QLatin1String(key));
}

} // namespace

const QString WlanWpaEap::TypeTls = QStringLiteral("TLS");
const QString WlanWpaEap::TypeTtls = QStringLiteral("TTLS");
const QString WlanWpaEap::TypePeap = QStringLiteral("PEAP");
const QString WlanWpaEap::MethodEapGtc = QStringLiteral("EAP_GTC");
const QString WlanWpaEap::MethodEapMsChapV2 = QStringLiteral("EAP_MSCHAPV2");
const QString WlanWpaEap::MethodMsChapV2 = QStringLiteral("MSCHAPV2");

class WlanWpaEapPrivate
{
public:
    explicit WlanWpaEapPrivate(WlanWpaEap* catalogue)
        : q(catalogue)
    {
    }

    void readTypes();

    // Empty when the type has no directory: its keys then read as unset.
    QString typeKey(const QString& type, const char* suffix) const;
    // Empty for an identifier that cannot name a directory.
    QString methodKey(const QString& method, const char* suffix) const;

    WlanWpaEap* const q;
    QHash<QString, QString> typeDirectories; // identifier -> full path
    QStringList typeList;                    // catalogue order
};

void WlanWpaEapPrivate::readTypes()
{
    QStringList directories = Touch::SettingsItem(QLatin1String(catalogueRoot) + QLatin1String("type")).listDirs();
    // The ordering prefix of a directory's name ("1_TLS") sets where its type
    // is offered.
    directories.sort(Qt::CaseSensitive);
    for (const QString& path : qAsConst(directories)) {
        QString identifier = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        const int underscore = identifier.lastIndexOf(QLatin1Char('_'));
        if (underscore >= 0)
            identifier = identifier.mid(underscore + 1);
        if (identifier.isEmpty())
            qWarning("Velin::WlanWpaEap: type directory %s ends in \"_\" and names no type", qPrintable(path));
        typeDirectories.insert(identifier, path);
        typeList.append(identifier);
    }
}

QString WlanWpaEapPrivate::typeKey(const QString& type, const char* suffix) const
{
    const QString directory = typeDirectories.value(type);
    if (directory.isEmpty())
        return QString();
    return QStringLiteral("%1%2").arg(directory, QLatin1String(suffix));
}

QString WlanWpaEapPrivate::methodKey(const QString& method, const char* suffix) const
{
    if (method.isEmpty())
        return QString();
    if (method.contains(QLatin1Char('/'))) {
        qWarning("Velin::WlanWpaEap: \"%s\" is not a method identifier", qPrintable(method));
        return QString();
    }
    return QStringLiteral("%1%2%3%4")
        .arg(QLatin1String(catalogueRoot), QLatin1String("method/"), method, QLatin1String(suffix));
}

WlanWpaEap::WlanWpaEap()
    : d(new WlanWpaEapPrivate(this))
{
    d->readTypes();
}

WlanWpaEap::~WlanWpaEap()
{
    delete d;
}

QStringList WlanWpaEap::types() const
{
    return d->typeList;
}

QString WlanWpaEap::typeName(const QString& type) const
{
    const QString key = d->typeKey(type, logicalNameSuffix);
    return key.isEmpty() ? QString() : translatedName(readKey(key), key);
}

QStringList WlanWpaEap::typeNames(const QStringList& types) const
{
    QStringList names;
    names.reserve(types.size());
    for (const QString& type : types)
        names.append(typeName(type));
    return names;
}

QVariant WlanWpaEap::typeValue(const QString& type) const
{
    const QString key = d->typeKey(type, valueSuffix);
    return key.isEmpty() ? QVariant() : readKey(key);
}

QList<QVariant> WlanWpaEap::typeValues(const QStringList& types) const
{
    QList<QVariant> values;
    values.reserve(types.size());
    for (const QString& type : types)
        values.append(typeValue(type));
    return values;
}

QString WlanWpaEap::valueToType(int value) const
{
    for (const QString& type : qAsConst(d->typeList)) {
        if (typeValue(type).toInt() == value)
            return type;
    }
    return QString();
}

QStringList WlanWpaEap::methods(const QString& type) const
{
    const QString key = d->typeKey(type, methodsSuffix);
    if (key.isEmpty())
        return QStringList();
    const QVariant list = readKey(key);
    if (list.isValid() && list.userType() != QMetaType::QStringList) {
        qWarning("Velin::WlanWpaEap: %s holds a %s, not a list of method identifiers", qPrintable(key),
                 list.typeName());
        return QStringList();
    }
    return list.toStringList();
}

QString WlanWpaEap::methodName(const QString& method) const
{
    const QString key = d->methodKey(method, logicalNameSuffix);
    return key.isEmpty() ? QString() : translatedName(readKey(key), key);
}

QStringList WlanWpaEap::methodNames(const QStringList& methods) const
{
    QStringList names;
    names.reserve(methods.size());
    for (const QString& method : methods)
        names.append(methodName(method));
    return names;
}

QVariant WlanWpaEap::methodValue(const QString& method) const
{
    const QString key = d->methodKey(method, valueSuffix);
    return key.isEmpty() ? QVariant() : readKey(key);
}

QList<QVariant> WlanWpaEap::methodValues(const QStringList& methods) const
{
    QList<QVariant> values;
    values.reserve(methods.size());
    for (const QString& method : methods)
        values.append(methodValue(method));
    return values;
}

QString WlanWpaEap::valueToMethod(int value) const
{
    for (const QString& type : qAsConst(d->typeList)) {
        const QStringList offered = methods(type);
        for (const QString& method : offered) {
            if (methodValue(method).toInt() == value)
                return method;
        }
    }
    return QString();
}

void WlanWpaEap::cleanProperties(QMap<QString, QVariant>& properties) const
{
    const QString type = valueToType(properties.value(QLatin1String(defaultTypeKey)).toInt());
    if (type == TypeTls) {
        // TLS authenticates with the client certificate alone.
        removeKeys(properties, {tunneledTypeKey, gtcIdentityKey, gtcPasscodeKey, msChapV2UsernameKey,
                                msChapV2PasswordKey, passwordPromptKey});
        return;
    }

    const QString method = valueToMethod(properties.value(QLatin1String(tunneledTypeKey)).toInt());
    if (method == MethodEapGtc) {
        // The prompt switch also asks for the GTC passcode: it stays.
        removeKeys(properties, {msChapV2UsernameKey, msChapV2PasswordKey});
    } else if (!method.isEmpty()) {
        removeKeys(properties, {gtcIdentityKey, gtcPasscodeKey});
    } else {
        // The stored numbers name nothing on offer: nothing of them is kept.
        removeKeys(properties, {gtcIdentityKey, gtcPasscodeKey, msChapV2UsernameKey, msChapV2PasswordKey,
                                passwordPromptKey, defaultTypeKey, tunneledTypeKey});
    }
}

bool WlanWpaEap::isAutoConnectable(const QMap<QString, QVariant>& properties) const
{
    const QString security = properties.value(WLANProperties::Security).toString();
    if (security == WLANProperties::SecurityValueNone || security == WLANProperties::SecurityValueWep
        || security == WLANProperties::SecurityValueWpaPsk || security == WLANProperties::SecurityValueWapiPsk)
        return true;
    if (security.isEmpty())
        return true;
    if (security != WLANProperties::SecurityValueWpaEap)
        return false;

    const int tunneled = properties.value(QLatin1String(tunneledTypeKey)).toInt();
    const bool prompt = tunneled == 0 || properties.value(QLatin1String(passwordPromptKey)).toBool();
    const QVariant certificate = properties.value(QLatin1String(clientCertificateKey));
    const bool hasCertificate = certificate.isValid() && !certificate.toString().isEmpty();

    // TLS (no inner method) needs the certificate's key unlocked; a prompt
    // needs the user.
    if (tunneled == 0 || prompt || hasCertificate)
        return false;
    return true;
}

} // namespace Velin
