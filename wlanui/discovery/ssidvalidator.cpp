#include "wlanui/discovery/ssidvalidator.h"

#include "wlanui/prompts/keyentryrules_p.h"

#include <QPointer>

namespace Velin {

namespace {
// Characters are printable ASCII, so this is also the limit of 32 bytes.
const int MaximumLength = 32;
}

class SSIDValidatorPrivate
{
public:
    explicit SSIDValidatorPrivate(SSIDValidator* q)
        : q(q)
    {
    }

    SSIDValidator* const q;
    // The banners last shown for each kind of refusal; null once they are gone.
    QPointer<QObject> tooLongBanner;
    QPointer<QObject> nonAsciiBanner;
};

SSIDValidator::SSIDValidator(QObject* parent)
    : QValidator(parent)
    , d(new SSIDValidatorPrivate(this))
{
}

SSIDValidator::~SSIDValidator()
{
    delete d;
}

QValidator::State SSIDValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos)
    if (KeyEntryRules::containsForbiddenCharacter(input)) {
        KeyEntryRules::showGuardedBanner(d->nonAsciiBanner, "qtn_conn_error_only_ascii");
        return Invalid;
    }
    if (input.length() <= MaximumLength)
        return Acceptable;
    KeyEntryRules::showGuardedBanner(d->tooLongBanner, "qtn_conn_error_max_char");
    return Invalid;
}

} // namespace Velin
