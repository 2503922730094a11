// Gallery screens of the base library's pieces and a sample sheet.
#include "galleryscreen.h"

#include "base/buttongroupcontainer.h"
#include "base/connectionlistitem.h"
#include "base/dialoghelperwidget.h"
#include "base/dividerheader.h"
#include "base/drilldownitem.h"
#include "base/keytextedit.h"
#include "base/simplecheckboxlabel.h"
#include "base/simpleframe.h"
#include "base/simpleinformationbanner.h"
#include "base/simplesheet.h"
#include "touch/button.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"

namespace {

Touch::Widget *stack(const QList<QGraphicsLayoutItem *> &items)
{
    auto panel = new Touch::Widget;
    auto policy = new Touch::LinearLayoutPolicy(new Touch::Layout(panel), Qt::Vertical);
    for (QGraphicsLayoutItem *item : items)
        policy->addItem(item);
    return panel;
}

Velin::ConnectionListItem *networkItem(const QString &ssid, const QString &security)
{
    auto item = new Velin::ConnectionListItem(QStringLiteral("ImageCellSecurity"));
    item->setLabel(ssid);
    item->setTypeImageName(QStringLiteral("icon-m-common-wlan"));
    item->setSecurityImageName(security);
    item->setAcceptedMouseButtons(Qt::NoButton);
    return item;
}

Touch::SceneWindow *itemsScreen(Touch::ApplicationWindow *window)
{
    auto header = new Velin::DividerHeader(QStringLiteral("Divider header"));
    auto drillDown = new Velin::DrillDownItem(QStringLiteral("Drill-down item"));
    auto switchButton = new Touch::Button;
    switchButton->setCheckable(true);
    switchButton->setChecked(true);
    auto checkBoxLabel = new Velin::SimpleCheckBoxLabel(switchButton, QStringLiteral("Switch with a label"),
                                                        QString::fromLatin1(Touch::Button::SwitchType));
    auto group = new Velin::ButtonGroupContainer;
    const QStringList styles = {QStringLiteral("CommonLeftSplitButton"), QStringLiteral("CommonHorizontalCenterSplitButton"),
                                QStringLiteral("CommonHorizontalCenterSplitButton"), QStringLiteral("CommonRightSplitButton")};
    for (int i = 0; i < styles.size(); ++i) {
        auto button = new Touch::Button(QString::number(i + 1));
        button->setStyleName(styles.at(i));
        group->addButton(button);
    }
    group->setFixedModeEnabled(true);
    group->setFixedModeOrientation(Qt::Horizontal);
    group->setCheckedIndex(0);
    auto frame = new Velin::SimpleFrame(QStringLiteral("Simple frame"));
    auto framed = new Velin::KeyTextEdit(QStringLiteral("framed text"));
    framed->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    frame->setContent(framed);

    return galleryPage(QStringLiteral("Base library items"),
                       stack({networkItem(QStringLiteral("Office network"), QStringLiteral("icon-s-wlan-wpa")), header,
                              drillDown, checkBoxLabel, group, frame}),
                       window);
}

// A sheet as the credential prompts build them: inverted, titled, the
// network shown on top, one framed field, Connect and Cancel.
Velin::SimpleSheet *sampleSheet(Touch::ApplicationWindow *window, Velin::KeyTextEdit **field)
{
    auto sheet = new Velin::SimpleSheet;
    sheet->setStyleName(QStringLiteral("Inverted"));
    sheet->setTitle(qtTrId("qtn_conn_sic_title"));
    sheet->setAcceptLabel(qtTrId("qtn_conn_connect"));
    sheet->setRejectLabel(qtTrId("qtn_comm_cancel"));

    auto frame = new Velin::SimpleFrame(qtTrId("qtn_conn_wep_key"));
    auto edit = new Velin::KeyTextEdit(frame);
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
    edit->setEchoMode(Touch::TextEdit::Password);
    frame->setContent(edit);

    auto panel = stack({networkItem(QStringLiteral("Office network"), QStringLiteral("icon-s-wlan-wep")), frame});
    sheet->setContent(new Velin::DialogHelperWidget(panel));
    sheet->setAcceptEnabled(false);
    sheet->appear(window);
    *field = edit;
    return sheet;
}

Touch::SceneWindow *sampleSheetScreen(Touch::ApplicationWindow *window)
{
    Velin::KeyTextEdit *field = nullptr;
    return sampleSheet(window, &field);
}

Touch::SceneWindow *sampleSheetBannerScreen(Touch::ApplicationWindow *window)
{
    Velin::KeyTextEdit *field = nullptr;
    auto sheet = sampleSheet(window, &field);
    field->setText(QStringLiteral("abcdefghijklm"));
    sheet->setAcceptEnabled(true);
    Velin::SimpleInformationBanner::show(qtTrId("qtn_conn_error_max_char"), 3000);
    return sheet;
}

const GalleryRegistration items({60, QStringLiteral("base-items"), QStringLiteral("Base library items"), itemsScreen});
const GalleryRegistration sample({70, QStringLiteral("sample-sheet"), QStringLiteral("Sample sheet"), sampleSheetScreen});
const GalleryRegistration sampleBanner({80, QStringLiteral("sample-sheet-banner"), QStringLiteral("Sample sheet with a banner"),
                                        sampleSheetBannerScreen});

} // namespace
