// A program built only against the installed package.
#include <VelinBase>
#include <VelinTouch>

#include <QApplication>
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
    Velin::SimpleSheet sheet;
    sheet.setTitle(QStringLiteral("consumer"));
    delete edit;
    std::printf("consumer ok\n");
    return 0;
}
