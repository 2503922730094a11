#include "wlanui/prompts/wepkeytextedit.h"

#include "wlanui/prompts/keyentryrules_p.h"
#include "wlanui/prompts/promptwidgets_p.h"
#include "wlanui/prompts/wepkeyvalidator.h"

#include "touch/widget.h"


namespace Velin {

WepKeyTextEdit::WepKeyTextEdit(QGraphicsItem* parent)
    : KeyTextEdit(parent)
{
    PromptWidgets::disableInputMethodAssists(this);
    setEchoMode(Touch::TextEdit::Password);
    setValidator(new WepKeyValidator(this));
}

WepKeyTextEdit::~WepKeyTextEdit() = default;

bool WepKeyTextEdit::validateKey()
{
    const QString key = text();
    switch (key.length()) {
    case 5:
    case 13:
        // 40 or 104 bits typed as characters: any of them will do.
        return true;
    case 10:
    case 26:
        if (KeyEntryRules::isHexadecimal(key))
            return true;
        KeyEntryRules::showBanner("qtn_conn_error_invalid_chars_wep");
        return false;
    default:
        KeyEntryRules::showBanner("qtn_conn_error_invalid_wep_length");
        return false;
    }
}

} // namespace Velin
