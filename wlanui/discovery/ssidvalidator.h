#pragma once

#include "wlanui/wlanuiglobal.h"

#include <QValidator>

namespace Velin {

class SSIDValidatorPrivate;

/*!
 * Refuses keystrokes and pastes that can never give an SSID: more than 32
 * characters, or any character outside printable ASCII (control characters
 * included: a NUL would cut the SSID short on its way to the daemon, a line
 * break could inject configuration).  Every other text is Acceptable; an
 * empty SSID is caught on confirmation by SSIDTextEdit::validateKey().  A
 * refusal is explained with a banner, one of each kind at a time.  Never
 * changes the text or the cursor position.
 */
class VELINWLANUI_EXPORT SSIDValidator : public QValidator
{
    Q_OBJECT

public:
    explicit SSIDValidator(QObject* parent = nullptr);
    ~SSIDValidator() override;

    State validate(QString& input, int& pos) const override;

private:
    friend class SSIDValidatorPrivate;
    SSIDValidatorPrivate* const d;
};

} // namespace Velin
