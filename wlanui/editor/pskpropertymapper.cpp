#include "wlanui/editor/pskpropertymapper.h"

#include "touch/textedit.h"

#include <QPointer>

namespace Velin {

namespace {

// 64 hexadecimal digits encode the 32 bytes of a raw key.
const int RawKeyLength = 64;

const char PresharedKey[] = "EAP_wpa_preshared_key";
const char Passphrase[] = "EAP_wpa_preshared_passphrase";

} // namespace

class PskPropertyMapperPrivate
{
public:
    explicit PskPropertyMapperPrivate(Touch::TextEdit* edit)
        : edit(edit)
    {
    }

    QString text() const { return edit ? edit->text() : QString(); }
    bool isRawKey() const { return text().length() == RawKeyLength; }

    // Guarded: a page may drop its edit before the manager lets go of the mapper.
    QPointer<Touch::TextEdit> edit;
};

PskPropertyMapper::PskPropertyMapper(Touch::TextEdit* edit)
    : d(new PskPropertyMapperPrivate(edit))
{
    if (!edit)
        qWarning("Velin::PskPropertyMapper: no text edit; an empty passphrase will be stored");
}

PskPropertyMapper::~PskPropertyMapper()
{
    delete d;
}

QString PskPropertyMapper::key() const
{
    return QLatin1String(d->isRawKey() ? PresharedKey : Passphrase);
}

QVariant PskPropertyMapper::value() const
{
    const QString text = d->text();
    if (text.length() == RawKeyLength)
        return QByteArray::fromHex(text.toLatin1());
    return text;
}

QStringList PskPropertyMapper::invalidKeys() const
{
    return QStringList(QLatin1String(d->isRawKey() ? Passphrase : PresharedKey));
}

} // namespace Velin
