#include "wlanui/prompts/eapgtcresponsesheet.h"
#include "wlanui/prompts/eapgtcresponsesheet_p.h"

#include "wlanui/prompts/promptwidgets_p.h"

#include "base/connectionlistitem.h"
#include "base/dialoghelperwidget.h"
#include "base/dividerheader.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/textedit.h"

namespace Velin {

namespace {

Touch::LinearLayoutPolicy* verticalStack(Touch::Widget* panel)
{
    auto layout = new Touch::Layout;
    panel->setLayout(layout);
    auto policy = new Touch::LinearLayoutPolicy(layout, Qt::Vertical);
    policy->setContentsMargins(0, 0, 0, 0);
    policy->setSpacing(0);
    return policy;
}

} // namespace

EapGtcResponseSheetPrivate::EapGtcResponseSheetPrivate(EapGtcResponseSheet* q)
    : QObject(q)
    , q(q)
{
}

void EapGtcResponseSheetPrivate::createContent()
{
    auto panel = new Touch::Widget;
    Touch::LinearLayoutPolicy* policy = verticalStack(panel);

    item = PromptWidgets::createNetworkItem(connectionName, QStringLiteral("icon-s-wlan-wpa"));
    policy->addItem(item);

    auto messageBlock = new Touch::Widget;
    Touch::LinearLayoutPolicy* messagePolicy = verticalStack(messageBlock);
    messagePolicy->addItem(new DividerHeader(qtTrId("qtn_conn_response_title")));
    auto messageLabel = new Touch::Label(message);
    messageLabel->setStyleName(QStringLiteral("CommonBodyText"));
    messageLabel->setWordWrap(true);
    messagePolicy->addItem(messageLabel);
    policy->addItem(messageBlock);

    policy->addItem(PromptWidgets::createSpacer(QStringLiteral("CommonLargeSpacer")));

    // A one-time response from a token: shown as typed, so the echo mode
    // stays normal; the input method still may not alter it.
    auto edit = new Touch::TextEdit;
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    edit->setObjectName(QStringLiteral("ResponseEdit"));
    PromptWidgets::disableInputMethodAssists(edit);
    edit->setPrompt(qtTrId("qtn_conn_response"));
    responseEdit = edit;
    policy->addItem(edit);

    q->setContent(new DialogHelperWidget(panel));
}

EapGtcResponseSheet::EapGtcResponseSheet(const QString& message)
    : SimpleSheet()
    , d(new EapGtcResponseSheetPrivate(this))
{
    setStyleName(QStringLiteral("Inverted"));
    setAcceptLabel(qtTrId("qtn_conn_connect"));
    setRejectLabel(qtTrId("qtn_comm_cancel"));
    setTitle(qtTrId("qtn_conn_sic_title"));
    d->message = message;
    d->createContent();
}

EapGtcResponseSheet::~EapGtcResponseSheet() = default;

QString EapGtcResponseSheet::response() const
{
    return d->responseEdit ? d->responseEdit->text() : QString();
}

QString EapGtcResponseSheet::connectionName() const
{
    return d->connectionName;
}

void EapGtcResponseSheet::setConnectionName(const QString& name)
{
    d->connectionName = name;
    if (d->item)
        d->item->setLabel(name);
}

} // namespace Velin
