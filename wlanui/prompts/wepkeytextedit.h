#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/keytextedit.h"

namespace Velin {

/*!
 * The field for a WEP key: masked, without input-method prediction,
 * correction or capitalisation, and guarded by a WepKeyValidator (which it
 * owns) while the user types or pastes.
 */
class VELINWLANUI_EXPORT WepKeyTextEdit : public KeyTextEdit
{
    Q_OBJECT

public:
    explicit WepKeyTextEdit(QGraphicsItem* parent = nullptr);
    ~WepKeyTextEdit() override;

    /*!
     * True when the text is a complete WEP key: 5 or 13 characters of any
     * kind, or 10 or 26 hexadecimal digits.  Otherwise shows a banner that
     * says why and returns false.
     */
    bool validateKey();
};

} // namespace Velin
