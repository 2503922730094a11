#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/valuekeymapperif.h"

namespace Velin {

class WapiPresharedKeyTextEdit;
class WapiPskPropertyMapperPrivate;

/*!
 * Turns the WAPI pre-shared key field into the stored property
 * "EAP_wpa_preshared_key", always as bytes: in ASCII mode the text's bytes,
 * in hexadecimal mode the bytes that the digits encode, paired from the right
 * (an odd count gives a leading byte of one digit: "abc" is 0x0a 0xbc).
 * Drops no other key.
 */
class VELINWLANUI_EXPORT WapiPskPropertyMapper : public ValueKeyMapperIf
{
public:
    //! \a edit is read on every call and not owned.
    explicit WapiPskPropertyMapper(WapiPresharedKeyTextEdit* edit);
    ~WapiPskPropertyMapper() override;

    QString key() const override;
    QVariant value() const override;
    QStringList invalidKeys() const override;

private:
    Q_DISABLE_COPY(WapiPskPropertyMapper)
    WapiPskPropertyMapperPrivate* const d;
};

} // namespace Velin
