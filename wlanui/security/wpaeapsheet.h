#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/prompts/easywlansheet.h"

#include <QMap>
#include <QString>
#include <QVariant>

namespace Velin {

class WpaEapSheetPrivate;

/*!
 * Asks what an enterprise (WPA-EAP) network needs before the first
 * connection: the EAP type, a client certificate and, for the tunnelled
 * types, the inner method with a user name and a password (or the choice to
 * be asked for the password at each connection).
 *
 * The types and methods on offer come from the EAP catalogue (WlanWpaEap).
 * Every sheet starts with TLS chosen, no certificate and empty credentials;
 * read properties() after acceptance.
 */
class VELINWLANUI_EXPORT WpaEapSheet : public EasyWlanSheet
{
    Q_OBJECT

public:
    explicit WpaEapSheet(const QString& ssid);
    ~WpaEapSheet() override;

    //! The network row, the type combo box and the certificate combo box.
    QList<Touch::Widget*> configurationWidgets() override;

    //! The chosen settings, holding only the keys of the chosen type and method.
    QMap<QString, QVariant> properties() const;

private:
    friend class WpaEapSheetPrivate;
    WpaEapSheetPrivate* const d;
};

} // namespace Velin
