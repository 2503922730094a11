#pragma once

#include "wlanui/wlanuiglobal.h"

#include <QString>

namespace Velin {
namespace WlanKeyFile {

// "/usr/share/velin-wlan/wlankeys.txt", or $VELIN_WLAN_KEY_FILE when set
// (tests and the host use it).
VELINWLANUI_EXPORT QString path();

// The key of the first line whose SSID field equals ssid exactly.  The file
// holds one network per line: the SSID, white space, the key; lines with
// fewer than two fields are skipped.  False, silently, when the file cannot
// be read or has no such line.  Never logs what it reads.
VELINWLANUI_EXPORT bool findKey(const QString& ssid, QString* key);

} // namespace WlanKeyFile
} // namespace Velin
