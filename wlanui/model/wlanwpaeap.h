#pragma once

#include "wlanui/wlanuiglobal.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace Velin {

class WlanWpaEapPrivate;

// The EAP outer types and inner methods on offer, as the settings store lists
// them under "/system/ravo/connectivity/ui/wpaeap/": their display names and
// the numbers stored in an access point's properties. The list of types is
// read once, at construction; names, values and method lists are read from
// the store on every call, so a platform update is seen without a restart.
//
// Also the two rules over a WPA-EAP property map: which credentials belong to
// the chosen type and method, and whether it connects without asking.
class VELINWLANUI_EXPORT WlanWpaEap
{
public:
    static const QString TypeTls;
    static const QString TypeTtls;
    static const QString TypePeap;
    static const QString MethodEapGtc;
    static const QString MethodEapMsChapV2;
    static const QString MethodMsChapV2;

    WlanWpaEap();
    virtual ~WlanWpaEap();

    // Type identifiers in catalogue order (ordered by their directory names).
    QStringList types() const;
    // Translated display name; empty when the store has none.
    QString typeName(const QString& type) const;
    QStringList typeNames(const QStringList& types) const;
    // The number stored in "EAP_default_type"; invalid when unset.
    QVariant typeValue(const QString& type) const;
    QList<QVariant> typeValues(const QStringList& types) const;
    // The first type, in catalogue order, with that number; empty when none.
    QString valueToType(int value) const;

    // Inner methods offered under a type, in display order.
    QStringList methods(const QString& type) const;
    QString methodName(const QString& method) const;
    QStringList methodNames(const QStringList& methods) const;
    // The number stored in "PEAP_tunneled_eap_type"; invalid when unset.
    QVariant methodValue(const QString& method) const;
    QList<QVariant> methodValues(const QStringList& methods) const;
    // The first method with that number, searching the types in catalogue
    // order and each type's methods in order; empty when none.
    QString valueToMethod(int value) const;

    // Drops the credential keys that do not belong to the chosen type and
    // method; with no known method, drops every EAP credential and both EAP
    // number keys. The client certificate always stays.
    void cleanProperties(QMap<QString, QVariant>& properties) const;
    // True when nothing has to be asked at connection time.
    bool isAutoConnectable(const QMap<QString, QVariant>& properties) const;

private:
    Q_DISABLE_COPY(WlanWpaEap)
    WlanWpaEapPrivate* const d;
};

} // namespace Velin
