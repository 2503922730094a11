#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/valuekeymapperif.h"

namespace Touch {
class TextEdit;
}

namespace Velin {

class PskPropertyMapperPrivate;

/*!
 * Tells the property editor where the WPA pre-shared key field goes: 64
 * characters are a raw 256-bit key, stored as the bytes the hexadecimal
 * digits give under "EAP_wpa_preshared_key"; any other length is a
 * passphrase, stored as text under "EAP_wpa_preshared_passphrase".  The
 * other key is dropped, so exactly one of the two is ever stored.  The length
 * alone decides: the field's validator has already checked the characters.
 */
class VELINWLANUI_EXPORT PskPropertyMapper : public ValueKeyMapperIf
{
public:
    //! \a edit is read on every call and not owned; it must outlive the mapper's use.
    explicit PskPropertyMapper(Touch::TextEdit* edit);
    ~PskPropertyMapper() override;

    QString key() const override;
    QVariant value() const override;
    QStringList invalidKeys() const override;

private:
    Q_DISABLE_COPY(PskPropertyMapper)
    PskPropertyMapperPrivate* const d;
};

} // namespace Velin
