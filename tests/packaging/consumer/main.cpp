// A program built only against the installed package: every umbrella header,
// the libraries behind them, and the plug-in (which brings the feedback
// library) found where the package says it is.
#include <VelinBase>
#include <VelinNet>
#include <VelinTouch>
#include <VelinWlanUi>

#include <QApplication>
#include <QDir>
#include <QPluginLoader>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Velin::PropertyEditorManager manager({{QStringLiteral("name"), QStringLiteral("office")}});
    auto edit = qobject_cast<Touch::TextEdit *>(manager.createEditor(QStringLiteral("name"), QVariant::String));
    if (!edit || edit->text() != QLatin1String("office"))
        return 1;
    edit->setText(QStringLiteral("home"));
    if (manager.propertyValue(QStringLiteral("name")).toString() != QLatin1String("home"))
        return 2;
    delete edit;

    Velin::SimpleSheet sheet;
    sheet.setTitle(QStringLiteral("consumer"));
    if (Velin::WlanSecurity::securityFromString(Velin::WLANProperties::SecurityValueWep) != 2)
        return 3;
    Velin::InternetAccessPoint accessPoint;
    if (accessPoint.isValid())
        return 4;
    QPluginLoader loader(QDir(QStringLiteral(VELIN_PLUGIN_DIR)).filePath(QStringLiteral("libvelinwlantype.so")));
    if (!qobject_cast<InternetAccessPointTypeInterface *>(loader.instance())) {
        std::fprintf(stderr, "plug-in: %s\n", qPrintable(loader.errorString()));
        return 5;
    }
    std::printf("consumer ok\n");
    return 0;
}
