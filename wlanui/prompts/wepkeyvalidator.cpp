#include "wlanui/prompts/wepkeyvalidator.h"

#include "wlanui/prompts/keyentryrules_p.h"

#include <QPointer>

namespace Velin {

namespace {
// 26 hexadecimal digits: a 104-bit key, the longest form there is.
const int MaximumLength = 26;
}

class WepKeyValidatorPrivate
{
public:
    explicit WepKeyValidatorPrivate(WepKeyValidator* q)
        : q(q)
    {
    }

    WepKeyValidator* const q;
    // The banners last shown for each kind of refusal; null once they are gone.
    QPointer<QObject> tooLongBanner;
    QPointer<QObject> nonAsciiBanner;
};

WepKeyValidator::WepKeyValidator(QObject* parent)
    : QValidator(parent)
    , d(new WepKeyValidatorPrivate(this))
{
}

WepKeyValidator::~WepKeyValidator()
{
    delete d;
}

QValidator::State WepKeyValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos)
    if (input.length() > MaximumLength) {
        KeyEntryRules::showGuardedBanner(d->tooLongBanner, "qtn_conn_error_max_char");
        return Invalid;
    }
    if (KeyEntryRules::containsForbiddenCharacter(input)) {
        KeyEntryRules::showGuardedBanner(d->nonAsciiBanner, "qtn_conn_error_only_ascii");
        return Invalid;
    }
    return Acceptable;
}

} // namespace Velin
