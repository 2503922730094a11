#include "wlanui/discovery/wpsmethodselectionsheet.h"

#include "wlanui/discovery/wifiprotectedsetupprocess.h"
#include "wlanui/prompts/promptwidgets_p.h"

#include "base/connectionlistitem.h"
#include "base/dialoghelperwidget.h"
#include "net/internetaccesspoint.h"
#include "touch/button.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/separator.h"
#include "touch/widget.h"

#include <QPointer>
#include <QtDebug>

namespace Velin {

class WpsMethodSelectionSheetPrivate : public QObject
{
public:
    WpsMethodSelectionSheetPrivate(WpsMethodSelectionSheet* q, WifiProtectedSetupProcess* process,
                                   InternetAccessPoint* iap, const QString& ssid)
        : QObject(q)
        , q(q)
        , process(process)
        , iap(iap)
        , ssid(ssid)
    {
    }

    Touch::Widget* createGroupHeader() const;
    Touch::Button* createChoice(const QString& text, const QString& objectName) const;
    void choose(WifiProtectedSetupProcess::Method method);

    WpsMethodSelectionSheet* const q;
    // Not owned; guarded because the caller may drop it while the sheet runs.
    QPointer<WifiProtectedSetupProcess> process;
    InternetAccessPoint* const iap;
    bool skipped = false;
    const QString ssid;
};

Touch::Widget* WpsMethodSelectionSheetPrivate::createGroupHeader() const
{
    auto header = new Touch::Widget;
    header->setStyleName(QStringLiteral("CommonGroupHeaderPanel"));
    auto layout = new Touch::Layout(header);
    auto policy = new Touch::LinearLayoutPolicy(layout, Qt::Horizontal);
    policy->setContentsMargins(0, 0, 0, 0);
    policy->setSpacing(0);

    auto divider = new Touch::Separator(nullptr, Qt::Horizontal);
    divider->setStyleName(QStringLiteral("CommonGroupHeaderDivider"));
    divider->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Fixed);
    auto title = new Touch::Label(qtTrId("qtn_conn_sic_wps_title"));
    title->setStyleName(QStringLiteral("CommonGroupHeader"));
    title->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    policy->addItem(divider);
    policy->addItem(title);
    return header;
}

Touch::Button* WpsMethodSelectionSheetPrivate::createChoice(const QString& text, const QString& objectName) const
{
    auto button = new Touch::Button(text);
    button->setStyleName(QStringLiteral("CommonSingleButton"));
    button->setObjectName(objectName);
    return button;
}

void WpsMethodSelectionSheetPrivate::choose(WifiProtectedSetupProcess::Method method)
{
    if (process)
        process->setMethod(method);
    else
        qWarning("Velin::WpsMethodSelectionSheet: no WPS process to set the method on");
    q->done(true);
}

WpsMethodSelectionSheet::WpsMethodSelectionSheet(WifiProtectedSetupProcess* process, InternetAccessPoint* iap,
                                                 const QString& ssid)
    : SimpleSheet()
    , d(new WpsMethodSelectionSheetPrivate(this, process, iap, ssid))
{
    setStyleName(QStringLiteral("Inverted"));
    if (!ssid.isEmpty())
        setTitle(qtTrId("qtn_conn_sic_title"));
    setRejectLabel(qtTrId("qtn_comm_cancel"));
    createContent();
}

WpsMethodSelectionSheet::~WpsMethodSelectionSheet() = default;

void WpsMethodSelectionSheet::createContent()
{
    auto panel = new Touch::Widget;
    auto layout = new Touch::Layout(panel);
    auto policy = new Touch::LinearLayoutPolicy(layout, Qt::Vertical);
    policy->setContentsMargins(0, 0, 0, 0);
    policy->setSpacing(0);

    const QString securityIcon = d->iap ? d->iap->securityImageName() : QString();
    policy->addItem(PromptWidgets::createNetworkItem(d->ssid, securityIcon));
    policy->addItem(d->createGroupHeader());

    auto info = new Touch::Label(qtTrId("qtn_conn_wps_info1"));
    info->setStyleName(QStringLiteral("CommonBodyText"));
    info->setWordWrap(true);
    policy->addItem(info);

    auto buttons = new Touch::Widget;
    auto buttonLayout = new Touch::Layout(buttons);
    auto buttonPolicy = new Touch::LinearLayoutPolicy(buttonLayout, Qt::Vertical);

    Touch::Button* pushButton = d->createChoice(qtTrId("qtn_conn_wps_push_button"), QStringLiteral("NormalMethodButton"));
    connect(pushButton, &Touch::Button::clicked, this, &WpsMethodSelectionSheet::activatePushButtonMode);
    buttonPolicy->addItem(pushButton, Qt::AlignCenter);

    Touch::Button* pinButton = d->createChoice(qtTrId("qtn_conn_wps_pin"), QStringLiteral("PinMethodButton"));
    connect(pinButton, &Touch::Button::clicked, this, &WpsMethodSelectionSheet::activatePinMode);
    buttonPolicy->addItem(pinButton, Qt::AlignCenter);

    buttonPolicy->addItem(PromptWidgets::createSpacer(QStringLiteral("CommonLargeSpacer")));

    auto otherwise = new Touch::Label(qtTrId("qtn_conn_wps_info2"));
    otherwise->setWordWrap(true);
    otherwise->setStyleName(QStringLiteral("CommonBodyTextInverted"));
    buttonPolicy->addItem(otherwise);

    Touch::Button* skipButton = d->createChoice(qtTrId("qtn_conn_wps_skipping"), QStringLiteral("SkipButton"));
    connect(skipButton, &Touch::Button::clicked, this, &WpsMethodSelectionSheet::skip);
    buttonPolicy->addItem(skipButton, Qt::AlignCenter);

    policy->addItem(buttons);
    setContent(new DialogHelperWidget(panel));
}

bool WpsMethodSelectionSheet::isSkipped() const
{
    return d->skipped;
}

void WpsMethodSelectionSheet::activatePinMode()
{
    d->choose(WifiProtectedSetupProcess::PinMethod);
}

void WpsMethodSelectionSheet::activatePushButtonMode()
{
    d->choose(WifiProtectedSetupProcess::PushButtonMethod);
}

void WpsMethodSelectionSheet::skip()
{
    d->skipped = true;
    done(true);
}

} // namespace Velin
