#include "wlanui/security/wapipskpropertymapper.h"

#include "wlanui/security/wapipresharedkeytextedit.h"

#include <QPointer>

namespace Velin {

class WapiPskPropertyMapperPrivate
{
public:
    explicit WapiPskPropertyMapperPrivate(WapiPresharedKeyTextEdit* edit)
        : edit(edit)
    {
    }

    // Guarded: a page may drop its edit before the manager lets go of the mapper.
    QPointer<WapiPresharedKeyTextEdit> edit;
};

WapiPskPropertyMapper::WapiPskPropertyMapper(WapiPresharedKeyTextEdit* edit)
    : d(new WapiPskPropertyMapperPrivate(edit))
{
    if (!edit)
        qWarning("Velin::WapiPskPropertyMapper: no key edit; an empty key will be stored");
}

WapiPskPropertyMapper::~WapiPskPropertyMapper()
{
    delete d;
}

QString WapiPskPropertyMapper::key() const
{
    return QStringLiteral("EAP_wpa_preshared_key");
}

QVariant WapiPskPropertyMapper::value() const
{
    if (!d->edit)
        return QByteArray();
    const QString text = d->edit->text();
    // fromHex pairs digits from the right, so a lone leading digit is a byte
    // of its own.
    if (d->edit->isHexMode())
        return QByteArray::fromHex(text.toLatin1());
    return text.toLatin1();
}

QStringList WapiPskPropertyMapper::invalidKeys() const
{
    return QStringList();
}

} // namespace Velin
