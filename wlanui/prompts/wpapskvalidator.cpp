#include "wlanui/prompts/wpapskvalidator.h"

#include "wlanui/prompts/keyentryrules_p.h"

#include <QPointer>

namespace Velin {

namespace {

// A raw key: 64 hexadecimal digits.
const int RawKeyLength = 64;

} // namespace

class WpaPskValidatorPrivate
{
public:
    explicit WpaPskValidatorPrivate(WpaPskValidator* q)
        : q(q)
    {
    }

    WpaPskValidator* const q;
    // The banners last shown for each kind of refusal; null once they are gone.
    QPointer<QObject> tooLongBanner;
    QPointer<QObject> nonAsciiBanner;
};

WpaPskValidator::WpaPskValidator(QObject* parent)
    : QValidator(parent)
    , d(new WpaPskValidatorPrivate(this))
{
}

WpaPskValidator::~WpaPskValidator()
{
    delete d;
}

QValidator::State WpaPskValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos)
    const int length = input.length();
    if (length >= RawKeyLength && !(length == RawKeyLength && KeyEntryRules::isHexadecimal(input))) {
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
