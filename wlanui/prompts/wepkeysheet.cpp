#include "wlanui/prompts/wepkeysheet.h"
#include "wlanui/prompts/wepkeysheet_p.h"

#include "wlanui/prompts/promptwidgets_p.h"
#include "wlanui/prompts/wepkeytextedit.h"

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
    PromptWidgets::finishKeyFrame(this, frame, edit, ssid());
    return QList<Touch::Widget*>() << item << frame;
}

void WepKeySheet::done(bool result)
{
    PromptWidgets::finishKeySheet(this, d->keyEdit.data(), result);
}

} // namespace Velin
