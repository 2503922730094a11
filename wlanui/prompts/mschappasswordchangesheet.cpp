#include "wlanui/prompts/mschappasswordchangesheet.h"
#include "wlanui/prompts/mschappasswordchangesheet_p.h"

#include "wlanui/prompts/keyentryrules_p.h"
#include "wlanui/prompts/promptwidgets_p.h"

#include "base/connectionlistitem.h"
#include "base/dividerheader.h"
#include "base/simpleframe.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/textedit.h"

namespace Velin {

namespace {

QString textOf(const QPointer<Touch::TextEdit>& edit)
{
    return edit ? edit->text() : QString();
}

SimpleFrame* framed(const QString& title, Touch::TextEdit* edit)
{
    auto frame = new SimpleFrame(title);
    frame->setContent(edit);
    return frame;
}

} // namespace

MschapPasswordChangeSheetPrivate::MschapPasswordChangeSheetPrivate(MschapPasswordChangeSheet* q)
    : QObject(q)
    , q(q)
{
}

Touch::TextEdit* MschapPasswordChangeSheetPrivate::createPasswordTextEdit()
{
    auto edit = new Touch::TextEdit;
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    edit->setEchoMode(Touch::TextEdit::Password);
    PromptWidgets::disableInputMethodAssists(edit);
    connect(edit, &Touch::TextEdit::textChanged, this, &MschapPasswordChangeSheetPrivate::checkCredentials);
    return edit;
}

void MschapPasswordChangeSheetPrivate::checkCredentials()
{
    q->setAcceptEnabled(!textOf(oldPasswordEdit).isEmpty() && !textOf(newPasswordEdit).isEmpty()
                        && !textOf(verifyPasswordEdit).isEmpty());
}

MschapPasswordChangeSheet::MschapPasswordChangeSheet(const InternetAccessPoint& iap)
    : EasyWlanSheet(iap.name())
    , d(new MschapPasswordChangeSheetPrivate(this))
{
    setStyleName(QStringLiteral("Inverted"));
    setTitle(qtTrId("qtn_conn_sic_title"));
    d->iap = iap;
    EasyWlanSheet::createContent();
    setAcceptEnabled(false);
}

MschapPasswordChangeSheet::~MschapPasswordChangeSheet() = default;

QString MschapPasswordChangeSheet::username() const
{
    return d->username;
}

void MschapPasswordChangeSheet::setUsername(const QString& name)
{
    d->username = name;
    if (d->usernameLabel)
        d->usernameLabel->setText(qtTrId("qtn_conn_username_username").arg(name, 0, QLatin1Char(' ')));
}

QString MschapPasswordChangeSheet::password() const
{
    return d->password;
}

void MschapPasswordChangeSheet::setPassword(const QString& password)
{
    d->password = password;
}

QString MschapPasswordChangeSheet::newPassword() const
{
    return textOf(d->newPasswordEdit);
}

InternetAccessPoint MschapPasswordChangeSheet::internetAccessPoint() const
{
    return d->iap;
}

QList<Touch::Widget*> MschapPasswordChangeSheet::configurationWidgets()
{
    QList<Touch::Widget*> widgets;
    widgets << PromptWidgets::createNetworkItem(ssid(), QStringLiteral("icon-s-wlan-wpa"));

    auto panel = new Touch::Widget;
    panel->setStyleName(QStringLiteral("CommonPanel"));
    auto layout = new Touch::Layout;
    panel->setLayout(layout);
    auto policy = new Touch::LinearLayoutPolicy(layout, Qt::Vertical);
    policy->setContentsMargins(0, 0, 0, 0);
    policy->setSpacing(0);
    policy->addItem(new DividerHeader(qtTrId("qtn_conn_change_msc_title")));
    auto label = new Touch::Label(qtTrId("qtn_conn_username"));
    label->setObjectName(QStringLiteral("UsernameLabel"));
    label->setStyleName(QStringLiteral("CommonSingleTitle"));
    d->usernameLabel = label;
    policy->addItem(label);
    widgets << panel;

    Touch::TextEdit* oldPassword = d->createPasswordTextEdit();
    oldPassword->setObjectName(QStringLiteral("OldPasswordEdit"));
    d->oldPasswordEdit = oldPassword;
    widgets << framed(qtTrId("qtn_conn_password"), oldPassword);

    widgets << PromptWidgets::createSpacer(QStringLiteral("CommonLargeSpacer"));

    Touch::TextEdit* newPassword = d->createPasswordTextEdit();
    newPassword->setObjectName(QStringLiteral("NewPasswordEdit"));
    d->newPasswordEdit = newPassword;
    widgets << framed(qtTrId("qtn_conn_new_password"), newPassword);

    widgets << PromptWidgets::createSpacer(QStringLiteral("CommonLargeSpacer"));

    Touch::TextEdit* verifyPassword = d->createPasswordTextEdit();
    verifyPassword->setObjectName(QStringLiteral("NewPasswordVerifyEdit"));
    d->verifyPasswordEdit = verifyPassword;
    widgets << framed(qtTrId("qtn_conn_verify_password"), verifyPassword);

    return widgets;
}

void MschapPasswordChangeSheet::done(bool result)
{
    if (!result) {
        SimpleSheet::done(false);
        return;
    }
    // The old password first: when it is wrong, whether the new ones agree
    // does not matter yet.  Nothing is cleared and the focus stays.
    if (textOf(d->oldPasswordEdit) != d->password) {
        KeyEntryRules::showBanner("qtn_conn_error_incorrect_old_password");
        return;
    }
    if (textOf(d->newPasswordEdit) != textOf(d->verifyPasswordEdit)) {
        KeyEntryRules::showBanner("qtn_conn_error_password_match");
        return;
    }
    SimpleSheet::done(true);
}

} // namespace Velin
