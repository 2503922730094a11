#include "wlanui/discovery/wifiprotectedsetupsheet.h"
#include "wlanui/discovery/wifiprotectedsetupsheet_p.h"

#include "wlanui/prompts/promptwidgets_p.h"

#include "base/connectionlistitem.h"
#include "base/dividerheader.h"
#include "net/connectionwatcher.h"
#include "net/internetaccesspoint.h"
#include "touch/label.h"
#include "touch/locale.h"
#include "touch/progressbar.h"
#include "touch/textedit.h"

#include <QTextOption>
#include <QtDebug>

namespace Velin {

namespace {

// The progress bar counts the seconds of the WPS window used so far.
const int windowSeconds = 120;

} // namespace

WifiProtectedSetupSheetPrivate::WifiProtectedSetupSheetPrivate(WifiProtectedSetupSheet* q,
                                                               WifiProtectedSetupProcess* process,
                                                               InternetAccessPoint* iap)
    : QObject(q)
    , q(q)
    , process(process)
    , iap(iap)
{
}

void WifiProtectedSetupSheetPrivate::activateProgressBar()
{
    if (progressBar)
        return;
    auto bar = new Touch::ProgressBar(nullptr, QLatin1String(Touch::ProgressBar::BarType));
    bar->setStyleName(QStringLiteral("CommonProgressBar"));
    bar->setRange(0, windowSeconds);
    progressBar = bar;
    q->addItem(bar);
    if (process)
        connect(process.data(), &WifiProtectedSetupProcess::secondsRemaining, this,
                &WifiProtectedSetupSheetPrivate::setSecondsRemaining);
}

void WifiProtectedSetupSheetPrivate::setSecondsRemaining(int secondsRemaining)
{
    if (progressBar)
        progressBar->setValue(windowSeconds - secondsRemaining);
}

void WifiProtectedSetupSheetPrivate::connecting(const InternetAccessPoint&)
{
    // The PIN goes to the access point with the attempt that starts now.
    if (process && process->method() == WifiProtectedSetupProcess::PinMethod)
        process->start();
    if (watcher) {
        // Nothing more from it, even before it is gone.
        QObject::disconnect(watcher, nullptr, this, nullptr);
        watcher->deleteLater();
        watcher = nullptr;
    }
}

WifiProtectedSetupSheet::WifiProtectedSetupSheet(WifiProtectedSetupProcess* process, InternetAccessPoint* iap,
                                                 const QString& ssid)
    : EasyWlanSheet(ssid)
    , d(new WifiProtectedSetupSheetPrivate(this, process, iap))
{
    d->watcher = new ConnectionWatcher(iap ? *iap : InternetAccessPoint());
    connect(d->watcher, &ConnectionWatcher::connecting, d, &WifiProtectedSetupSheetPrivate::connecting);
    setStyleName(QStringLiteral("Inverted"));
    EasyWlanSheet::createContent();
}

WifiProtectedSetupSheet::~WifiProtectedSetupSheet()
{
    delete d->watcher;
    d->watcher = nullptr;
}

QList<Touch::Widget*> WifiProtectedSetupSheet::configurationWidgets()
{
    QList<Touch::Widget*> widgets;
    widgets << PromptWidgets::createNetworkItem(ssid(), QStringLiteral("icon-s-wlan-wpa"));

    if (!d->header)
        d->header = new DividerHeader(QString());
    widgets << d->header.data();

    if (d->instruction)
        deleteItem(d->instruction);
    d->instruction = nullptr;
    if (d->pinEdit)
        deleteItem(d->pinEdit);
    d->pinEdit = nullptr;

    const WifiProtectedSetupProcess::Method method =
        d->process ? d->process->method() : WifiProtectedSetupProcess::UnknownMethod;
    switch (method) {
    case WifiProtectedSetupProcess::PushButtonMethod: {
        d->header->label()->setText(qtTrId("qtn_conn_sic_wps_title"));
        auto label = new Touch::Label(qtTrId("qtn_conn_wps_instruction"));
        label->setStyleName(QStringLiteral("CommonBodyText"));
        label->setWordWrap(true);
        d->instruction = label;
        widgets << label;
        break;
    }
    case WifiProtectedSetupProcess::PinMethod: {
        d->header->label()->setText(qtTrId("qtn_conn_sic_wps_pin_title"));
        const QString text = qtTrId("qtn_conn_wps_pin_instruction");
        auto label = new Touch::Label(text);
        label->setStyleName(QStringLiteral("CommonBodyText"));
        label->setWordWrap(true);
        auto edit = new Touch::TextEdit(d->process->pinCode());
        edit->setReadOnly(true);
        edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
        edit->setObjectName(QStringLiteral("PinEdit"));
        if (Touch::Locale::directionForText(text) == Qt::RightToLeft) {
            label->setAlignment(Qt::AlignRight | Qt::AlignTop);
            QTextOption option = edit->defaultTextOption();
            option.setAlignment(Qt::AlignRight);
            edit->setDefaultTextOption(option);
        }
        d->instruction = label;
        d->pinEdit = edit;
        widgets << label << edit;
        break;
    }
    default:
        qWarning("Unsupported WPS method: %d", int(method));
        break;
    }

    widgets << PromptWidgets::createSpacer(QStringLiteral("CommonLargeSpacer"));
    return widgets;
}

void WifiProtectedSetupSheet::done(bool result)
{
    WifiProtectedSetupProcess* process = d->process.data();
    if (!result) {
        if (process && process->state() != WifiProtectedSetupProcess::NotStarted)
            process->abort();
        SimpleSheet::done(false);
        return;
    }
    if (!process) {
        qWarning("Velin::WifiProtectedSetupSheet: no WPS process; nothing to start");
        return;
    }

    if (process->state() != WifiProtectedSetupProcess::NotStarted) {
        // The user asks for another 120 s.
        process->resetTimer();
    } else if (process->method() == WifiProtectedSetupProcess::PushButtonMethod) {
        process->start();
        QPointer<WifiProtectedSetupSheet> guard(this);
        SimpleSheet::done(true);
        if (!guard)
            return;
    } else if (process->method() != WifiProtectedSetupProcess::PinMethod) {
        // A PIN process starts with the connection; without a method there
        // is nothing to start at all.
        qWarning("Velin::WifiProtectedSetupSheet: no WPS method chosen; nothing to start");
        return;
    }
    d->activateProgressBar();
}

} // namespace Velin
