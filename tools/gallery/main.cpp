// The developers' gallery: every widget and sheet of the libraries on its
// own.  With a display it is a window with a menu of screens; with --tour DIR
// (what headless machines use) it photographs each screen into DIR.
#include "galleryscreen.h"
#include "gallerysampledata.h"

#include "base/drilldownitem.h"
#include "base/simpleinformationbanner.h"
#include "touch/applicationwindow.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/scenewindow.h"

#include "hostsupport/englishcatalogue.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QPointer>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

namespace {

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void dispose(Touch::SceneWindow *window)
{
    if (!window)
        return;
    QObject::connect(window, &Touch::SceneWindow::disappeared, window, &QObject::deleteLater);
    window->disappear();
}

int runTour(Touch::ApplicationWindow *window, const QString &directory)
{
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "Cannot create %s\n", qPrintable(directory));
        return 1;
    }
    const QList<GalleryScreen> screens = galleryScreens();
    int number = 0;
    for (const GalleryScreen &screen : screens) {
        QPointer<Touch::SceneWindow> shown = screen.show(window);
        settle(400);  // appear and banner animations finish
        const QString path = QDir(directory).filePath(
            QStringLiteral("%1-%2.png").arg(++number, 2, 10, QLatin1Char('0')).arg(screen.name));
        if (!window->grabImage().save(path)) {
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
        dispose(shown);
        // Banners of one screen must not show up in the next one.
        const QList<QObject *> banners = Velin::SimpleInformationBanner::shownBanners();
        for (QObject *banner : banners)
            delete banner;
        settle(30);
    }
    return 0;
}

Touch::SceneWindow *showMenu(Touch::ApplicationWindow *window)
{
    auto menu = new Touch::SceneWindow;
    auto layout = new Touch::Layout(menu);
    auto policy = new Touch::LinearLayoutPolicy(layout, Qt::Vertical);
    auto heading = new Touch::Label(QStringLiteral("Velin WLAN gallery"));
    heading->setStyleName(QStringLiteral("CommonTitle"));
    policy->addItem(heading);
    const QList<GalleryScreen> screens = galleryScreens();
    for (const GalleryScreen &screen : screens) {
        auto item = new Velin::DrillDownItem(screen.title);
        const auto show = screen.show;
        QObject::connect(item, &Velin::DrillDownItem::clicked, menu, [show, window] { show(window); });
        policy->addItem(item);
    }
    policy->addStretch();
    menu->appear(window);
    return menu;
}

} // namespace

int main(int argc, char **argv)
{
    // Without a display the screens are drawn offscreen (the tour needs no more).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velin-gallery"));
    const GallerySampleData sampleData;

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows every widget and sheet of the Velin WLAN libraries."));
    parser.addHelpOption();
    const QCommandLineOption tour(QStringLiteral("tour"), QStringLiteral("Write one PNG per screen into <dir> and quit."),
                                  QStringLiteral("dir"));
    const QCommandLineOption list(QStringLiteral("list"), QStringLiteral("List the screens and quit."));
    const QCommandLineOption screenOption(QStringLiteral("screen"), QStringLiteral("Open one screen by name."),
                                          QStringLiteral("name"));
    parser.addOptions({tour, list, screenOption});
    parser.process(app);

    QTranslator catalogue;
    if (loadEnglishCatalogue(&catalogue))
        QCoreApplication::installTranslator(&catalogue);
    else
        std::fprintf(stderr, "English catalogue not found: texts show as logical ids\n");

    if (parser.isSet(list)) {
        for (const GalleryScreen &screen : galleryScreens())
            std::printf("%-28s %s\n", qPrintable(screen.name), qPrintable(screen.title));
        return 0;
    }

    Touch::ApplicationWindow window;
    window.setWindowTitle(QStringLiteral("Velin WLAN gallery"));
    window.show();

    if (parser.isSet(tour))
        return runTour(&window, parser.value(tour));

    showMenu(&window);
    if (parser.isSet(screenOption)) {
        const QString wanted = parser.value(screenOption);
        bool found = false;
        for (const GalleryScreen &screen : galleryScreens()) {
            if (screen.name == wanted) {
                screen.show(&window);
                found = true;
            }
        }
        if (!found) {
            std::fprintf(stderr, "No screen named %s (see --list)\n", qPrintable(wanted));
            return 2;
        }
    }
    return app.exec();
}
