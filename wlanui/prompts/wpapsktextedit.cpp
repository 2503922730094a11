#include "wlanui/prompts/wpapsktextedit.h"

#include "wlanui/prompts/keyentryrules_p.h"
#include "wlanui/prompts/promptwidgets_p.h"
#include "wlanui/prompts/wpapskvalidator.h"

#include "touch/widget.h"

namespace Velin {

namespace {
const int MinimumLength = 8;
}

WpaPskTextEdit::WpaPskTextEdit(QGraphicsItem* parent)
    : KeyTextEdit(parent)
{
    PromptWidgets::disableInputMethodAssists(this);
    setEchoMode(Touch::TextEdit::Password);
    setValidator(new WpaPskValidator(this));
}

WpaPskTextEdit::~WpaPskTextEdit() = default;

bool WpaPskTextEdit::validateKey() const
{
    if (text().length() < MinimumLength) {
        KeyEntryRules::showBanner("qtn_conn_error_at_least_8_chars");
        return false;
    }
    return true;
}

} // namespace Velin
