#include "wlanui/prompts/keyentryrules_p.h"

#include "base/simpleinformationbanner.h"


namespace Velin {
namespace KeyEntryRules {

namespace {
const int BannerTime = 3000;
}

// Both checks look at each UTF-16 code unit: a regular expression finds no
// match at all in text that is not valid UTF-16, so a lone surrogate would
// pass it and let every later character through with it.
bool containsForbiddenCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x0020 || c.unicode() > 0x007E)
            return true;
    }
    return false;
}

bool isHexadecimal(const QString& text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            return false;
    }
    return true;
}

void showGuardedBanner(QPointer<QObject>& guard, const char* id)
{
    if (guard)
        return;
    guard = SimpleInformationBanner::show(qtTrId(id), BannerTime);
}

void showBanner(const char* id)
{
    SimpleInformationBanner::show(qtTrId(id), BannerTime);
}

} // namespace KeyEntryRules
} // namespace Velin
