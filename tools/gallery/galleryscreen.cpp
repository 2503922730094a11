#include "galleryscreen.h"

#include <algorithm>

namespace {
QList<GalleryScreen> &registry()
{
    static QList<GalleryScreen> screens;
    return screens;
}
} // namespace

QList<GalleryScreen> galleryScreens()
{
    QList<GalleryScreen> screens = registry();
    std::stable_sort(screens.begin(), screens.end(),
                     [](const GalleryScreen &a, const GalleryScreen &b) { return a.order < b.order; });
    return screens;
}

GalleryRegistration::GalleryRegistration(const GalleryScreen &screen)
{
    registry().append(screen);
}

#include "base/simplesheet.h"

Velin::SimpleSheet *galleryPage(const QString &title, QGraphicsWidget *content, Touch::ApplicationWindow *window)
{
    auto sheet = new Velin::SimpleSheet;
    sheet->setTitle(title);
    sheet->setRejectLabel(QStringLiteral("Back"));
    sheet->setAcceptLabel(QString());
    sheet->setContent(content);
    sheet->appear(window);
    return sheet;
}
