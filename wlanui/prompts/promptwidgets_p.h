#pragma once

#include <QString>

namespace Touch {
class TextEdit;
class Widget;
}

namespace Velin {

class ConnectionListItem;
class SimpleFrame;
class SimpleSheet;

namespace PromptWidgets {

// The network row on top of a prompt: display only, WLAN type icon, the
// label and the security icon.
ConnectionListItem* createNetworkItem(const QString& label, const QString& securityIcon);

// An empty widget with a spacer style.
Touch::Widget* createSpacer(const QString& styleName);

// What the input method may not do to a key, password or response:
// predict, correct or capitalise.
void disableInputMethodAssists(Touch::TextEdit* edit);

// The key field of the WEP and WPA-PSK sheets, once the sheet has made the
// edit inside frame and connected it: the edit becomes the frame's content,
// is pre-filled from the key file when the file names ssid, and Enter in it
// confirms the sheet.
void finishKeyFrame(SimpleSheet* sheet, SimpleFrame* frame, Touch::TextEdit* edit, const QString& ssid);

// done() of the WEP and WPA-PSK sheets: cancel always closes; confirming
// closes only with a key that passes the edit's own check (which has told
// the user why not), else the focus goes back to the field.
template<class KeyEdit>
void finishKeySheet(SimpleSheet* sheet, KeyEdit* edit, bool accepted);

} // namespace PromptWidgets
} // namespace Velin

#include "base/simplesheet.h"

namespace Velin {
namespace PromptWidgets {

template<class KeyEdit>
void finishKeySheet(SimpleSheet* sheet, KeyEdit* edit, bool accepted)
{
    if (!accepted) {
        sheet->SimpleSheet::done(false);
        return;
    }
    if (!edit) {
        qWarning("%s::done: no key field; not accepted", sheet->metaObject()->className());
        return;
    }
    if (edit->validateKey()) {
        sheet->SimpleSheet::done(true);
        return;
    }
    edit->setFocus(Qt::OtherFocusReason);
}

} // namespace PromptWidgets
} // namespace Velin
