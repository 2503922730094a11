// Gallery screens of the hidden-network sheet: empty as it first shows, with
// an SSID typed, and while the network is being searched for.
#include "galleryscreen.h"

#include "wlanui/discovery/otherconnectionsheet.h"
#include "wlanui/discovery/ssidtextedit.h"

#include <QGraphicsItem>

namespace {

Velin::SSIDTextEdit *findSsidEdit(const QGraphicsItem *root)
{
    const QList<QGraphicsItem *> children = root->childItems();
    for (QGraphicsItem *child : children) {
        if (auto edit = qobject_cast<Velin::SSIDTextEdit *>(child->toGraphicsObject()))
            return edit;
        if (Velin::SSIDTextEdit *match = findSsidEdit(child))
            return match;
    }
    return nullptr;
}

Velin::OtherConnectionSheet *typedSheet(Touch::ApplicationWindow *window)
{
    auto sheet = new Velin::OtherConnectionSheet;
    sheet->appear(window);
    if (Velin::SSIDTextEdit *edit = findSsidEdit(sheet)) {
        edit->insert(QStringLiteral("Lab"));
        edit->setFocus(Qt::OtherFocusReason);
    }
    return sheet;
}

Touch::SceneWindow *emptySheet(Touch::ApplicationWindow *window)
{
    auto sheet = new Velin::OtherConnectionSheet;
    sheet->appear(window);
    return sheet;
}

Touch::SceneWindow *typed(Touch::ApplicationWindow *window)
{
    return typedSheet(window);
}

// Connect was tapped: the sheet stays while the network is looked for.
Touch::SceneWindow *searching(Touch::ApplicationWindow *window)
{
    Velin::OtherConnectionSheet *sheet = typedSheet(window);
    if (Velin::SSIDTextEdit *edit = findSsidEdit(sheet))
        edit->clearFocus();
    sheet->setProgressIndicatorVisible(true);
    return sheet;
}

const GalleryRegistration empty({150, QStringLiteral("hidden-network-sheet"), QStringLiteral("Hidden network sheet"),
                                 emptySheet});
const GalleryRegistration withSsid({151, QStringLiteral("hidden-network-sheet-typed"),
                                    QStringLiteral("Hidden network sheet, SSID typed"), typed});
const GalleryRegistration search({152, QStringLiteral("hidden-network-sheet-searching"),
                                  QStringLiteral("Hidden network sheet, searching"), searching});

} // namespace
