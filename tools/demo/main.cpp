// The framework host: the project's main job.  It starts private buses, the
// simulated platform daemons and a settings store, loads the WLAN plug-in
// and shows the connection list.  Without a display, --tour DIR walks
// through every screen and writes one PNG each.
#include "connectionlistpage.h"
#include "editorpage.h"
#include "frameworkhost.h"
#include "platformenvironment.h"
#include "pluginhost.h"
#include "tour.h"

#include "base/connectivitysettings.h"
#include "base/internetaccesspointeditorinterface.h"
#include "base/simpleinformationbanner.h"
#include "net/internetaccesspoint.h"
#include "net/connectionmodel.h"
#include "net/internetaccesspointtypeinterface.h"
#include "touch/applicationwindow.h"
#include "touch/settingsitem.h"

#include "hostsupport/englishcatalogue.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTranslator>
#include <cstdio>

namespace {

// A data file from the build or source tree, else the installed one.
QString dataFile(const QString& name)
{
    // An installed program reads the data installed beside it, wherever the
    // prefix was moved; one in the build tree has none there.
    const QString besideUs = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(VELIN_DATA_DIR_FROM_BIN));
    const QStringList dirs = {qEnvironmentVariable("VELIN_DATA_DIR"), besideUs, QStringLiteral(VELIN_BUILD_DATA_DIR),
                              QStringLiteral(VELIN_SOURCE_DATA_DIR), QStringLiteral(VELIN_INSTALLED_DATA_DIR)};
    for (const QString& dir : dirs) {
        if (!dir.isEmpty() && QFileInfo::exists(QDir(dir).filePath(name)))
            return QDir(dir).filePath(name);
    }
    return QString();
}

QString simulatorPath()
{
    const QString nextToUs = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velin-platform-sim"));
    if (QFileInfo(nextToUs).isExecutable())
        return nextToUs;
#ifdef VELIN_BUILD_PLATFORM_SIM
    if (QFileInfo(QStringLiteral(VELIN_BUILD_PLATFORM_SIM)).isExecutable())
        return QStringLiteral(VELIN_BUILD_PLATFORM_SIM);
#endif
    return QDir(QStringLiteral(VELIN_INSTALLED_BIN_DIR)).filePath(QStringLiteral("velin-platform-sim"));
}

// Networks the user saved before this run, so that the list shows saved
// networks and the host has something to connect to by itself.
void seedSavedNetworks(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isArray()) {
        qWarning("%s: not a list of saved networks (%s)", qPrintable(path), qPrintable(error.errorString()));
        return;
    }
    const QJsonArray networks = document.array();
    for (const QJsonValue& value : networks) {
        const QJsonObject network = value.toObject();
        const QByteArray ssid = network.value(QStringLiteral("ssid")).toString().toUtf8();
        if (ssid.isEmpty())
            continue;
        const QList<QVariant> data = {QString(), 0u, QString(),
                                      network.value(QStringLiteral("type")).toString(QStringLiteral("WLAN_INFRA")),
                                      uint(network.value(QStringLiteral("attributes")).toInt()), ssid + '\0'};
        Velin::InternetAccessPoint accessPoint(data);
        accessPoint.setProperty(QStringLiteral("wlan_ssid"), ssid);
        accessPoint.setProperty(QStringLiteral("type"), data.at(3));
        const QJsonObject properties = network.value(QStringLiteral("properties")).toObject();
        for (auto it = properties.begin(); it != properties.end(); ++it)
            accessPoint.setProperty(it.key(), it.value().toVariant());
        if (!accessPoint.save())
            qWarning("Could not save the sample network %s", ssid.constData());
    }
}

// Qt's own -plugin (also spelt --plugin) would take ours before the parser
// sees it: it is taken out of the arguments before QApplication reads them.
QString takePluginArgument(int* argc, char** argv)
{
    QString path;
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const QByteArray argument(argv[i]);
        if ((argument == "--plugin" || argument == "-plugin") && i + 1 < *argc) {
            path = QFile::decodeName(argv[++i]);
            continue;
        }
        if (argument.startsWith("--plugin=") || argument.startsWith("-plugin=")) {
            path = QFile::decodeName(argument.mid(argument.indexOf('=') + 1));
            continue;
        }
        argv[kept++] = argv[i];
    }
    *argc = kept;
    argv[kept] = nullptr;
    return path;
}

// Without a display the window is drawn offscreen, as the tour needs.
void useOffscreenWithoutDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::fprintf(stderr, "No display: drawing offscreen\n");
}

} // namespace

int main(int argc, char** argv)
{
    const QString pluginArgument = takePluginArgument(&argc, argv);
    useOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velin-demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays the connectivity framework around the WLAN plug-in."));
    parser.addHelpOption();
    const QCommandLineOption tour(QStringLiteral("tour"), QStringLiteral("Walk through every screen, write PNGs into <dir>, quit."),
                                  QStringLiteral("dir"));
    const QCommandLineOption networks(QStringLiteral("networks"), QStringLiteral("The simulated networks (JSON)."),
                                      QStringLiteral("file"), dataFile(QStringLiteral("networks.json")));
    const QCommandLineOption saved(QStringLiteral("saved"), QStringLiteral("Networks saved before the run (JSON)."),
                                   QStringLiteral("file"), dataFile(QStringLiteral("saved-networks.json")));
    const QCommandLineOption plugin(QStringLiteral("plugin"), QStringLiteral("The WLAN plug-in (file or folder)."),
                                    QStringLiteral("path"));
    parser.addOptions({tour, networks, saved, plugin});
    parser.process(app);

    QTranslator catalogue;
    if (loadEnglishCatalogue(&catalogue))
        QCoreApplication::installTranslator(&catalogue);
    else
        std::fprintf(stderr, "English catalogue not found: texts show as logical ids\n");

    PlatformEnvironment environment;
    PlatformEnvironment::Options options;
    options.networksFile = parser.value(networks);
    options.simulatorPath = simulatorPath();
    options.settingsDatabase = dataFile(QStringLiteral("dconf/velin-wlan"));
    options.keyFile = dataFile(QStringLiteral("wlankeys.txt"));
    if (options.keyFile.isEmpty())
        options.keyFile = dataFile(QStringLiteral("wlankeys.sample.txt"));
    if (!environment.start(options))
        return 1;
    // The handset played here offers WAPI, as the sample networks need:
    // the editor lists the WAPI methods only on such a device.
    const QString wapiEnabled = Velin::ConnectivitySettings(Velin::ConnectivitySettings::NetworkTypeSettings,
                                                            QStringLiteral("WLAN_INFRA"))
                                    .keyPath(QStringLiteral("wapi_enabled"));
    if (!Touch::SettingsItem(wapiEnabled).set(true))
        qWarning("Cannot enable WAPI on the simulated device: the editor offers no WAPI methods");
    seedSavedNetworks(parser.value(saved));

    PluginHost plugins;
    const QString pluginPath = pluginArgument.isEmpty() ? parser.value(plugin) : pluginArgument;
    if (plugins.load(pluginPath)) {
        std::printf("WLAN plug-in: %s\n", qPrintable(plugins.fileName()));
    } else {
        std::fprintf(stderr, "WLAN plug-in not loaded: %s\n", qPrintable(plugins.errorString()));
        // The one asked for, or none: never another one in its place.
        if (!pluginPath.isEmpty())
            return 1;
    }

    Touch::ApplicationWindow window;
    window.setWindowTitle(QStringLiteral("Velin WLAN"));
    window.show();

    FrameworkHost host(plugins.type());
    ConnectionListPage page(&host);
    QObject::connect(&page, &ConnectionListPage::editRequested, &host, [&host, &window](const QString& id) {
        auto accessPoint = new Velin::InternetAccessPoint(Velin::InternetAccessPoint::loadSaved(id));
        // The store keeps the network mode in the data list only; the editor
        // reads it among the settings, as "type".
        if (!accessPoint->property(QStringLiteral("type")).isValid())
            accessPoint->setProperty(QStringLiteral("type"), accessPoint->type());
        InternetAccessPointTypeInterface* type = host.type();
        InternetAccessPointEditorInterface* editor = nullptr;
        if (type) {
            type->initializeInternetAccessPoint(accessPoint);
            editor = type->editor(accessPoint);
        }
        if (!editor) {
            delete accessPoint;
            Velin::SimpleInformationBanner::show(QStringLiteral("The WLAN plug-in offers no editor"), 3000);
            return;
        }
        auto editorPage = new EditorPage(accessPoint, editor);
        QObject::connect(editorPage, &Touch::SceneWindow::disappeared, editorPage, &QObject::deleteLater);
        QObject::connect(editorPage, &EditorPage::saved, host.model(), &Velin::ConnectionModel::refresh);
        QObject::connect(editorPage, &EditorPage::forgotten, host.model(), &Velin::ConnectionModel::refresh);
        editorPage->appear(&window);
    });
    page.appear(&window);
    host.scan();

    if (parser.isSet(tour)) {
        Tour walk(&window, &host, &page, parser.value(tour));
        return walk.run();
    }
    return app.exec();
}
