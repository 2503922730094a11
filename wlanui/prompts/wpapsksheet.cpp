#include "wlanui/prompts/wpapsksheet.h"
#include "wlanui/prompts/wpapsksheet_p.h"

#include "wlanui/prompts/promptwidgets_p.h"
#include "wlanui/prompts/wpapsktextedit.h"
#include "wlanui/prompts/wlankeyfile_p.h"

#include "base/connectionlistitem.h"
#include "base/simpleframe.h"

namespace Velin {

WpaPskSheetPrivate::WpaPskSheetPrivate(WpaPskSheet* q)
    : QObject(q)
    , q(q)
{
}

void WpaPskSheetPrivate::wpaPskKeyChanged()
{
    q->setAcceptEnabled(keyEdit && !keyEdit->text().isEmpty());
}

WpaPskSheet::WpaPskSheet(const QString& ssid)
    : EasyWlanSheet(ssid)
    , d(new WpaPskSheetPrivate(this))
{
    setStyleName(QStringLiteral("Inverted"));
    EasyWlanSheet::createContent();
    // Also when the key file filled the field: the user confirms by typing.
    setAcceptEnabled(false);
}

WpaPskSheet::~WpaPskSheet() = default;

QString WpaPskSheet::wpaPsk() const
{
    return d->keyEdit ? d->keyEdit->text() : QString();
}

QList<Touch::Widget*> WpaPskSheet::configurationWidgets()
{
    ConnectionListItem* item = PromptWidgets::createNetworkItem(ssid(), QStringLiteral("icon-s-wlan-wpa"));

    auto frame = new SimpleFrame(qtTrId("qtn_conn_wpapsk"));
    auto edit = new WpaPskTextEdit(frame);
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    d->keyEdit = edit;
    connect(edit, &Touch::TextEdit::textChanged, d, &WpaPskSheetPrivate::wpaPskKeyChanged);
    frame->setContent(edit);

    QString key;
    if (WlanKeyFile::findKey(ssid(), &key))
        edit->insert(key);

    connect(edit, &Touch::TextEdit::returnPressed, this, &SimpleSheet::accept);
    return QList<Touch::Widget*>() << item << frame;
}

void WpaPskSheet::done(bool result)
{
    if (!result) {
        SimpleSheet::done(false);
        return;
    }
    if (!d->keyEdit) {
        qWarning("Velin::WpaPskSheet::done: no key field; not accepted");
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
