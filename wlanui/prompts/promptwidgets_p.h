#pragma once

#include <QString>

namespace Touch {
class TextEdit;
class Widget;
}

namespace Velin {

class ConnectionListItem;

namespace PromptWidgets {

// The network row on top of a prompt: display only, WLAN type icon, the
// label and the security icon.
ConnectionListItem* createNetworkItem(const QString& label, const QString& securityIcon);

// An empty widget with a spacer style.
Touch::Widget* createSpacer(const QString& styleName);

// What the input method may not do to a key, password or response:
// predict, correct or capitalise.
void disableInputMethodAssists(Touch::TextEdit* edit);

} // namespace PromptWidgets
} // namespace Velin
