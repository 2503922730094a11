#include "wlanui/prompts/keyentryrules_p.h"

#include "base/simpleinformationbanner.h"

#include <QRegularExpression>

namespace Velin {
namespace KeyEntryRules {

namespace {
const int BannerTime = 3000;
}

bool containsForbiddenCharacter(const QString& text)
{
    static const QRegularExpression forbidden(QStringLiteral("[^\\x{0020}-\\x{007E}]"));
    return text.contains(forbidden);
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
