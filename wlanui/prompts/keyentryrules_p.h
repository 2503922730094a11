#pragma once

#include <QPointer>
#include <QString>

namespace Velin {
namespace KeyEntryRules {

// True when the text holds a character that may not be part of a key or
// passphrase: anything outside printable ASCII (U+0020..U+007E).  Control
// characters are refused like non-ASCII ones: supplicants reject them, and a
// line break in a passphrase can inject configuration.
bool containsForbiddenCharacter(const QString& text);

// True when every character is a hexadecimal digit (0-9, a-f, A-F); true for
// the empty text.
bool isHexadecimal(const QString& text);

// Shows the banner of the logical id for 3 s unless the banner kept in guard
// is still alive; the new banner is kept in guard.  Keeps typing from
// piling up banners of one kind.
void showGuardedBanner(QPointer<QObject>& guard, const char* id);

// Shows the banner of the logical id for 3 s, always.
void showBanner(const char* id);

} // namespace KeyEntryRules
} // namespace Velin
