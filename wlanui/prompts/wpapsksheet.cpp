#include "wlanui/prompts/wpapsksheet.h"
#include "wlanui/prompts/wpapsksheet_p.h"

#include "wlanui/prompts/promptwidgets_p.h"
#include "wlanui/prompts/wpapsktextedit.h"

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
    PromptWidgets::finishKeyFrame(this, frame, edit, ssid());
    return QList<Touch::Widget*>() << item << frame;
}

void WpaPskSheet::done(bool result)
{
    PromptWidgets::finishKeySheet(this, d->keyEdit.data(), result);
}

} // namespace Velin
