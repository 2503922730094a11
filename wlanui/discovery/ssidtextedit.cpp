#include "wlanui/discovery/ssidtextedit.h"

#include "wlanui/discovery/ssidvalidator.h"
#include "wlanui/prompts/keyentryrules_p.h"
#include "wlanui/prompts/promptwidgets_p.h"

namespace Velin {

SSIDTextEdit::SSIDTextEdit(QGraphicsItem* parent)
    : KeyTextEdit(parent)
{
    PromptWidgets::disableInputMethodAssists(this);
    setValidator(new SSIDValidator(this));
}

SSIDTextEdit::~SSIDTextEdit() = default;

bool SSIDTextEdit::validateKey() const
{
    if (text().isEmpty()) {
        KeyEntryRules::showBanner("qtn_conn_error_enter_ssid");
        return false;
    }
    return true;
}

} // namespace Velin
