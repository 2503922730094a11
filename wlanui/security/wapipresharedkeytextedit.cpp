#include "wlanui/security/wapipresharedkeytextedit.h"

#include "wlanui/prompts/promptwidgets_p.h"
#include "wlanui/security/wapipskvalidator.h"

namespace Velin {

class WapiPresharedKeyTextEditPrivate
{
public:
    int mode = WapiPresharedKeyTextEdit::AsciiMode;
    // Owned here: the text edit does not own its validator.
    WapiPskValidator* validator = nullptr;
};

WapiPresharedKeyTextEdit::WapiPresharedKeyTextEdit(QGraphicsItem* parent)
    : KeyTextEdit(parent)
    , d(new WapiPresharedKeyTextEditPrivate)
{
    PromptWidgets::disableInputMethodAssists(this);
    setEchoMode(Touch::TextEdit::Password);
    d->validator = new WapiPskValidator(this, nullptr);
    setValidator(d->validator);
}

WapiPresharedKeyTextEdit::~WapiPresharedKeyTextEdit()
{
    setValidator(nullptr);
    delete d->validator;
    delete d;
}

bool WapiPresharedKeyTextEdit::isHexMode() const
{
    return d->mode == HexMode;
}

bool WapiPresharedKeyTextEdit::validateKey() const
{
    return true;
}

void WapiPresharedKeyTextEdit::setHexMode()
{
    d->mode = HexMode;
}

void WapiPresharedKeyTextEdit::setAsciiMode()
{
    d->mode = AsciiMode;
}

} // namespace Velin
