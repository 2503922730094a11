#include "wlanui/discovery/otherconnectionsheet.h"
#include "wlanui/discovery/otherconnectionsheet_p.h"

#include "wlanui/discovery/ssidtextedit.h"
#include "wlanui/prompts/promptwidgets_p.h"

#include "base/simpleframe.h"

namespace Velin {

OtherConnectionSheetPrivate::OtherConnectionSheetPrivate(OtherConnectionSheet* q)
    : QObject(q)
    , q(q)
{
}

void OtherConnectionSheetPrivate::ssidChanged()
{
    q->setAcceptEnabled(ssidEdit && !ssidEdit->text().isEmpty());
}

OtherConnectionSheet::OtherConnectionSheet()
    : EasyWlanSheet(QString())
    , d(new OtherConnectionSheetPrivate(this))
{
    setTitle(qtTrId("qtn_conn_sic_other_title"));
    setStyleName(QStringLiteral("Inverted"));
    EasyWlanSheet::createContent();
    setAcceptEnabled(false);
}

OtherConnectionSheet::~OtherConnectionSheet() = default;

QString OtherConnectionSheet::ssid() const
{
    return d->ssidEdit ? d->ssidEdit->text() : QString();
}

QList<Touch::Widget*> OtherConnectionSheet::configurationWidgets()
{
    auto frame = new SimpleFrame(qtTrId("qtn_conn_ssid"));
    auto edit = new SSIDTextEdit(frame);
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    frame->setContent(edit);
    d->ssidEdit = edit;
    connect(edit, &Touch::TextEdit::textChanged, d, &OtherConnectionSheetPrivate::ssidChanged);
    connect(edit, &Touch::TextEdit::returnPressed, this, &SimpleSheet::accept);
    return QList<Touch::Widget*>() << frame;
}

void OtherConnectionSheet::done(bool accepted)
{
    PromptWidgets::finishKeySheet(this, d->ssidEdit.data(), accepted);
}

} // namespace Velin
