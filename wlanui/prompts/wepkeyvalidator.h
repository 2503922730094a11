#pragma once

#include "wlanui/wlanuiglobal.h"

#include <QValidator>

namespace Velin {

class WepKeyValidatorPrivate;

/*!
 * Refuses keystrokes and pastes that can never give a WEP key: more than 26
 * characters (UTF-16 units), or a character outside printable ASCII.  Every
 * other text is Acceptable; the complete key is judged on confirmation by
 * WepKeyTextEdit::validateKey().  A refusal is explained with a banner, one of
 * each kind at a time.  Never changes the text or the cursor position.
 */
class VELINWLANUI_EXPORT WepKeyValidator : public QValidator
{
    Q_OBJECT

public:
    explicit WepKeyValidator(QObject* parent = nullptr);
    ~WepKeyValidator() override;

    State validate(QString& input, int& pos) const override;

private:
    friend class WepKeyValidatorPrivate;
    WepKeyValidatorPrivate* const d;
};

} // namespace Velin
