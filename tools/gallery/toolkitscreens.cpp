// Gallery screens of the touch toolkit's own widgets.
#include "galleryscreen.h"

#include "base/simplesheet.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/dialog.h"
#include "touch/helpbutton.h"
#include "touch/imagewidget.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/progressbar.h"
#include "touch/separator.h"
#include "touch/textedit.h"

#include <QStringListModel>

namespace {

Touch::Widget *column(const QList<QGraphicsLayoutItem *> &items, qreal spacing = 12)
{
    auto panel = new Touch::Widget;
    auto layout = new Touch::Layout(panel);
    auto policy = new Touch::LinearLayoutPolicy(layout, Qt::Vertical);
    policy->setContentsMargins(24, 16, 24, 16);
    policy->setSpacing(spacing);
    for (QGraphicsLayoutItem *item : items)
        policy->addItem(item);
    return panel;
}

Touch::Widget *row(const QList<QGraphicsLayoutItem *> &items)
{
    auto panel = new Touch::Widget;
    auto layout = new Touch::Layout(panel);
    auto policy = new Touch::LinearLayoutPolicy(layout, Qt::Horizontal);
    policy->setSpacing(12);
    for (QGraphicsLayoutItem *item : items)
        policy->addItem(item);
    return panel;
}

Touch::Label *label(const QString &text, const QString &style, bool wrap = false)
{
    auto l = new Touch::Label(text);
    l->setStyleName(style);
    l->setWordWrap(wrap);
    return l;
}

Touch::TextEdit *edit(const QString &text, const QString &prompt)
{
    auto e = new Touch::TextEdit(text);
    e->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    e->setPrompt(prompt);
    return e;
}

Touch::SceneWindow *textScreen(Touch::ApplicationWindow *window)
{
    auto password = edit(QStringLiteral("not shown"), QString());
    password->setEchoMode(Touch::TextEdit::Password);
    auto readOnly = edit(QStringLiteral("Read-only text"), QString());
    readOnly->setReadOnly(true);
    auto rightToLeft = edit(QStringLiteral("12345678"), QString());
    rightToLeft->setTextAlignment(Qt::AlignRight);
    return galleryPage(QStringLiteral("Labels and text edits"),
                       column({label(QStringLiteral("Single title"), QStringLiteral("CommonSingleTitle")),
                               label(QStringLiteral("Body text that is long enough to wrap onto a second line "
                                                    "when the window is narrow."),
                                     QStringLiteral("CommonBodyText"), true),
                               label(QStringLiteral("Sub text"), QStringLiteral("CommonSubText")),
                               edit(QString(), QStringLiteral("Prompt while empty")), password, readOnly,
                               rightToLeft}),
                       window);
}

Touch::SceneWindow *buttonScreen(Touch::ApplicationWindow *window)
{
    auto single = new Touch::Button(QStringLiteral("Single button"));
    single->setStyleName(QStringLiteral("CommonSingleButton"));
    auto toggle = new Touch::Button(QStringLiteral("Checkable, checked"));
    toggle->setCheckable(true);
    toggle->setChecked(true);
    auto switchOn = new Touch::Button;
    switchOn->setViewType(QString::fromLatin1(Touch::Button::SwitchType));
    switchOn->setStyleName(QStringLiteral("CommonRightSwitch"));
    switchOn->setCheckable(true);
    switchOn->setChecked(true);
    auto switchOff = new Touch::Button;
    switchOff->setViewType(QString::fromLatin1(Touch::Button::SwitchType));
    switchOff->setCheckable(true);
    auto icon = new Touch::Button;
    icon->setViewType(QString::fromLatin1(Touch::Button::IconType));
    icon->setIconID(QStringLiteral("icon-m-common-wlan"));
    auto help = new Touch::HelpButton(QStringLiteral("Help text"));

    QList<QGraphicsLayoutItem *> icons;
    const QStringList ids = {QStringLiteral("icon-m-common-wlan"), QStringLiteral("icon-m-common-wlan-strength1"),
                             QStringLiteral("icon-m-common-wlan-strength3"), QStringLiteral("icon-m-common-wlan-strength5"),
                             QStringLiteral("icon-s-wlan-wep"), QStringLiteral("icon-s-wlan-wpa")};
    for (const QString &id : ids)
        icons << new Touch::ImageWidget(id);

    return galleryPage(QStringLiteral("Buttons and images"),
                       column({single, toggle, row({label(QStringLiteral("Switch on"), QStringLiteral("CommonSingleTitle")), switchOn}),
                               row({label(QStringLiteral("Switch off"), QStringLiteral("CommonSingleTitle")), switchOff}),
                               row({icon, help}), row(icons)}),
                       window);
}

Touch::ComboBox *combo(const QString &title, const QStringList &items, int current)
{
    auto c = new Touch::ComboBox;
    c->setStyleName(QStringLiteral("CommonComboBox"));
    c->setTitle(title);
    c->setItemModel(new QStringListModel(items, c));
    c->setCurrentIndex(current);
    return c;
}

Touch::SceneWindow *choiceScreen(Touch::ApplicationWindow *window)
{
    auto bar = new Touch::ProgressBar(nullptr, QString::fromLatin1(Touch::ProgressBar::BarType));
    bar->setStyleName(QStringLiteral("CommonProgressBar"));
    bar->setRange(0, 120);
    bar->setValue(45);
    auto spinner = new Touch::ProgressBar(nullptr, QString::fromLatin1(Touch::ProgressBar::SpinnerType));
    spinner->setUnknownDuration(true);
    auto separator = new Touch::Separator;
    separator->setStyleName(QStringLiteral("CommonItemDivider"));
    return galleryPage(QStringLiteral("Choices and progress"),
                       column({combo(QStringLiteral("Network mode"), {QStringLiteral("Infrastructure"), QStringLiteral("Ad hoc")}, 0),
                               combo(QStringLiteral("Nothing chosen yet"), {QStringLiteral("One"), QStringLiteral("Two")}, -1),
                               separator, bar, spinner}),
                       window);
}

Touch::SceneWindow *popupScreen(Touch::ApplicationWindow *window)
{
    auto c = combo(QStringLiteral("Security method"),
                   {QStringLiteral("None"), QStringLiteral("WEP"), QStringLiteral("WPA pre-shared key"),
                    QStringLiteral("WPA with EAP")},
                   2);
    auto page = galleryPage(QStringLiteral("Combo box popup"), column({c}), window);
    QObject::connect(page, &Touch::SceneWindow::appeared, c, &Touch::ComboBox::showPopup);
    QObject::connect(page, &Touch::SceneWindow::disappearing, c, &Touch::ComboBox::hidePopup);
    return page;
}

Touch::SceneWindow *dialogScreen(Touch::ApplicationWindow *window)
{
    auto dialog = new Touch::Dialog(QStringLiteral("A dialog"), Touch::Dialog::Ok | Touch::Dialog::Cancel);
    dialog->setCentralWidget(label(QStringLiteral("Dialogs have a title, a central widget and standard buttons."),
                                   QStringLiteral("CommonBodyText"), true));
    dialog->appear(window);
    return dialog;
}

const GalleryRegistration text({10, QStringLiteral("toolkit-text"), QStringLiteral("Labels and text edits"), textScreen});
const GalleryRegistration buttons({20, QStringLiteral("toolkit-buttons"), QStringLiteral("Buttons and images"), buttonScreen});
const GalleryRegistration choices({30, QStringLiteral("toolkit-choices"), QStringLiteral("Choices and progress"), choiceScreen});
const GalleryRegistration popup({40, QStringLiteral("toolkit-combo-popup"), QStringLiteral("Combo box popup"), popupScreen});
const GalleryRegistration dialog({50, QStringLiteral("toolkit-dialog"), QStringLiteral("Dialog"), dialogScreen});

} // namespace
