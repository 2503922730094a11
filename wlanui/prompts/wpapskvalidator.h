#pragma once

#include "wlanui/wlanuiglobal.h"

#include <QValidator>

namespace Velin {

class WpaPskValidatorPrivate;

/*!
 * Refuses keystrokes and pastes that can never give a WPA pre-shared key: a
 * passphrase has at most 63 characters (UTF-16 units); exactly 64 are allowed
 * only when all are hexadecimal digits (a raw 256-bit key); 65 or more never.
 * Characters outside printable ASCII are refused too.  Every other text is
 * Acceptable; the minimum length is checked on confirmation by
 * WpaPskTextEdit::validateKey().  A refusal is explained with a banner, one of
 * each kind at a time.  Never changes the text or the cursor position.
 */
class VELINWLANUI_EXPORT WpaPskValidator : public QValidator
{
    Q_OBJECT

public:
    explicit WpaPskValidator(QObject* parent = nullptr);
    ~WpaPskValidator() override;

    State validate(QString& input, int& pos) const override;

private:
    friend class WpaPskValidatorPrivate;
    WpaPskValidatorPrivate* const d;
};

} // namespace Velin
