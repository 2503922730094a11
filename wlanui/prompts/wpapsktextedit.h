#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/keytextedit.h"

namespace Velin {

/*!
 * The field for a WPA pre-shared key (a passphrase or 64 hexadecimal
 * digits): masked, without input-method prediction, correction or
 * capitalisation, and guarded by a WpaPskValidator (which it owns) while the
 * user types or pastes.
 */
class VELINWLANUI_EXPORT WpaPskTextEdit : public KeyTextEdit
{
    Q_OBJECT

public:
    explicit WpaPskTextEdit(QGraphicsItem* parent = nullptr);
    ~WpaPskTextEdit() override;

    /*!
     * True when the text is long enough to be a key (8 characters or more;
     * the validator has already enforced the rest).  Otherwise shows a banner
     * and returns false.
     */
    bool validateKey() const;
};

} // namespace Velin
