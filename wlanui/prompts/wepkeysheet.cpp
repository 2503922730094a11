#include "wlanui/prompts/wepkeysheet.h"
#include "wlanui/prompts/wepkeysheet_p.h"

#include "wlanui/prompts/promptwidgets_p.h"
#include "wlanui/prompts/wepkeytextedit.h"
#include "wlanui/prompts/wlankeyfile_p.h"

#include "base/connectionlistitem.h"
#include "base/simpleframe.h"

namespace Velin {

WepKeySheetPrivate::WepKeySheetPrivate(WepKeySheet* q)
    : QObject(q)
    , q(q)
{
}

void WepKeySheetPrivate::wepKeyChanged()
{
    q->setAcceptEnabled(keyEdit && !keyEdit->text().isEmpty());
}

WepKeySheet::WepKeySheet(const QString& ssid)
    : EasyWlanSheet(ssid)
    , d(new WepKeySheetPrivate(this))
{
    setStyleName(QStringLiteral("Inverted"));
    EasyWlanSheet::createContent();
    // Also when the key file filled the field: the user confirms by typing.
    setAcceptEnabled(false);
}

WepKeySheet::~WepKeySheet() = default;

QString WepKeySheet::wepKey() const
{
    return d->keyEdit ? d->keyEdit->text() : QString();
}

QList<Touch::Widget*> WepKeySheet::configurationWidgets()
{
    ConnectionListItem* item = PromptWidgets::createNetworkItem(ssid(), QStringLiteral("icon-s-wlan-wep"));

    auto frame = new SimpleFrame(qtTrId("qtn_conn_wep_key"));
    auto edit = new WepKeyTextEdit(frame);
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    d->keyEdit = edit;
    connect(edit, &Touch::TextEdit::textChanged, d, &WepKeySheetPrivate::wepKeyChanged);
    frame->setContent(edit);

    QString key;
    if (WlanKeyFile::findKey(ssid(), &key))
        edit->insert(key);

    connect(edit, &Touch::TextEdit::returnPressed, this, &SimpleSheet::accept);
    return QList<Touch::Widget*>() << item << frame;
}

void WepKeySheet::done(bool result)
{
    if (!result) {
        SimpleSheet::done(false);
        return;
    }
    if (!d->keyEdit) {
        qWarning("Velin::WepKeySheet::done: no key field; not accepted");
        return;
    }
    if (d->keyEdit->validateKey()) {
        SimpleSheet::done(true);
        return;
    }
    // validateKey() has told the user why; let them correct it.
    d->keyEdit->setFocus(Qt::OtherFocusReason);
}

} // namespace Velin
