#pragma once

#include "wlanui/wlanuiglobal.h"

#include <QValidator>

namespace Velin {

class WapiPresharedKeyTextEdit;
class WapiPskValidatorPrivate;

/*!
 * Refuses keystrokes and pastes that can never give a WAPI pre-shared key
 * in the edit's current mode: more than 64 characters (UTF-16 units) in
 * either mode; in hexadecimal mode anything but 0-9, a-f, A-F (an odd number
 * of digits is fine); in ASCII mode anything outside printable ASCII
 * (U+0020..U+007E; control characters are refused too, since a line break in
 * a key can inject supplicant configuration).  Every other text, the empty
 * one included, is Acceptable.
 *
 * A too-long or non-ASCII refusal is explained with a banner, one of each
 * kind at a time; hexadecimal refusals are silent.  Never changes the text
 * or the cursor position.
 */
class VELINWLANUI_EXPORT WapiPskValidator : public QValidator
{
    Q_OBJECT

public:
    //! \a edit tells the mode; without one the ASCII rules apply.
    explicit WapiPskValidator(WapiPresharedKeyTextEdit* edit, QObject* parent = nullptr);
    ~WapiPskValidator() override;

    State validate(QString& input, int& pos) const override;

private:
    friend class WapiPskValidatorPrivate;
    WapiPskValidatorPrivate* const d;
};

} // namespace Velin
