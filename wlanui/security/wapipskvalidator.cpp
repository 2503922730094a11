#include "wlanui/security/wapipskvalidator.h"

#include "wlanui/prompts/keyentryrules_p.h"
#include "wlanui/security/wapipresharedkeytextedit.h"

#include <QPointer>

namespace Velin {

namespace {

const int MaximumLength = 64;

} // namespace

class WapiPskValidatorPrivate
{
public:
    explicit WapiPskValidatorPrivate(WapiPresharedKeyTextEdit* edit)
        : edit(edit)
    {
    }

    QPointer<WapiPresharedKeyTextEdit> edit;
    // The banners last shown for each kind of refusal; null once they are gone.
    QPointer<QObject> tooLongBanner;
    QPointer<QObject> nonAsciiBanner;
};

WapiPskValidator::WapiPskValidator(WapiPresharedKeyTextEdit* edit, QObject* parent)
    : QValidator(parent)
    , d(new WapiPskValidatorPrivate(edit))
{
}

WapiPskValidator::~WapiPskValidator()
{
    delete d;
}

QValidator::State WapiPskValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos)
    if (input.length() > MaximumLength) {
        KeyEntryRules::showGuardedBanner(d->tooLongBanner, "qtn_conn_error_max_char");
        return Invalid;
    }
    if (d->edit && d->edit->isHexMode())
        return KeyEntryRules::isHexadecimal(input) ? Acceptable : Invalid;
    if (KeyEntryRules::containsForbiddenCharacter(input)) {
        KeyEntryRules::showGuardedBanner(d->nonAsciiBanner, "qtn_conn_error_only_ascii");
        return Invalid;
    }
    return Acceptable;
}

} // namespace Velin
