#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/prompts/easywlansheet.h"

#include <QMap>
#include <QVariant>

namespace Velin {

class WapiSheetPrivate;

/*!
 * Asks for the credentials of a WAPI network before connecting, in one of
 * two variants:
 * - PreSharedKey: the key format (ASCII or hexadecimal) and the key.
 *   Connect is enabled while the key is not empty; switching the format
 *   clears the key.  Enter in the key field connects.
 * - Certificate: a root certificate, then a user certificate issued by it.
 *   Connect is enabled once both are chosen; choosing another root empties
 *   the user choice.
 *
 * Read properties() after acceptance: only the keys of the sheet's variant.
 */
class VELINWLANUI_EXPORT WapiSheet : public EasyWlanSheet
{
    Q_OBJECT
    Q_PROPERTY(Type sheetType READ sheetType CONSTANT)

public:
    enum Type { PreSharedKey = 0, Certificate = 1 };
    Q_ENUM(Type)

    WapiSheet(const QString& ssid, Type type);
    ~WapiSheet() override;

    //! The variant (type() is the graphics item type).
    Type sheetType() const;

    /*!
     * PreSharedKey: "wapi_key_type" (0 ASCII, 1 hexadecimal) and
     * "EAP_wpa_preshared_key" (the key's bytes).  Certificate:
     * "WAPI_EC_CS_selected_ca_subject_common_name" and
     * "WAPI_EC_CS_selected_client_subject_common_name", the identifiers
     * (QByteArray) of the chosen root and user certificates.
     */
    QMap<QString, QVariant> properties() const;

    //! Accepting with an empty key keeps the sheet open and focuses the key.
    void done(bool accepted) override;
    QList<Touch::Widget*> configurationWidgets() override;

private:
    friend class WapiSheetPrivate;
    WapiSheetPrivate* const d;
};

} // namespace Velin
