// The connection-sheet base and its dialog form: titles and labels, the
// stack of configuration widgets, and adding and deleting items.
#include "promptstesthelpers.h"
#include "windowfixture.h"

#include "wlanui/prompts/easywlandialog.h"
#include "wlanui/prompts/easywlansheet.h"

#include "base/dialoghelperwidget.h"
#include "touch/button.h"
#include "touch/label.h"

#include <QCoreApplication>
#include <QPointer>
#include <QScopedPointer>
#include <QtTest>

namespace {

Touch::Label* label(const QString& text)
{
    auto widget = new Touch::Label(text);
    widget->setObjectName(text);
    return widget;
}

QStringList names(const QList<QGraphicsWidget*>& widgets)
{
    QStringList result;
    for (QGraphicsWidget* widget : widgets)
        result.append(widget->objectName());
    return result;
}

// A prompt with two widgets of its own, counting how often it is asked.
template <typename Base>
class Prompt : public Base
{
public:
    explicit Prompt(const QString& ssid, bool build)
        : Base(ssid)
    {
        if (build)
            Base::createContent();
    }

    QList<Touch::Widget*> configurationWidgets() override
    {
        ++asked;
        return QList<Touch::Widget*>() << label(QStringLiteral("first")) << label(QStringLiteral("second"));
    }

    int asked = 0;
};

using SheetPrompt = Prompt<Velin::EasyWlanSheet>;
using DialogPrompt = Prompt<Velin::EasyWlanDialog>;

// The same questions to a sheet or a dialog.
struct Subject
{
    explicit Subject(const QString& kind, bool build)
    {
        if (kind == QLatin1String("sheet")) {
            sheet.reset(new SheetPrompt(QStringLiteral("Office"), build));
        } else {
            // The title's text needs its placeholder.
            PromptsTest::PlaceholderCatalogue catalogue;
            QCoreApplication::installTranslator(&catalogue);
            dialog.reset(new DialogPrompt(QStringLiteral("Office"), build));
            QCoreApplication::removeTranslator(&catalogue);
        }
    }

    QGraphicsWidget* content() const
    {
        return sheet ? sheet->content() : dialog->centralWidget();
    }
    int asked() const { return sheet ? sheet->asked : dialog->asked; }
    void addItem(QGraphicsWidget* item) { sheet ? sheet->addItem(item) : dialog->addItem(item); }
    void deleteItem(QGraphicsWidget* item) { sheet ? sheet->deleteItem(item) : dialog->deleteItem(item); }
    void createContent() { sheet ? sheet->createContent() : dialog->createContent(); }

    QScopedPointer<SheetPrompt> sheet;
    QScopedPointer<DialogPrompt> dialog;
};

} // namespace

class TestEasyWlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sheetTitleAndLabels();
    void subject_data();
    void createContentStacksConfigurationWidgets_data() { subject_data(); }
    void createContentStacksConfigurationWidgets();
    void createContentRunsOnce_data() { subject_data(); }
    void createContentRunsOnce();
    void baseHasNoWidgets();
    void addItemBeforeContentBuildsItFirst_data() { subject_data(); }
    void addItemBeforeContentBuildsItFirst();
    void addItemAppendsAtTheBottom_data() { subject_data(); }
    void addItemAppendsAtTheBottom();
    void deleteItemBeforeContentDoesNothing_data() { subject_data(); }
    void deleteItemBeforeContentDoesNothing();
    void deleteItemRemovesAndDestroys_data() { subject_data(); }
    void deleteItemRemovesAndDestroys();
    void dialogTitle_data();
    void dialogTitle();
    void dialogButtonAndParent();
    void sheetShowsItsContent();
};

void TestEasyWlan::subject_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("sheet") << "sheet";
    QTest::newRow("dialog") << "dialog";
}

void TestEasyWlan::sheetTitleAndLabels()
{
    Velin::EasyWlanSheet sheet(QStringLiteral("Home network"));
    QCOMPARE(sheet.ssid(), QStringLiteral("Home network"));
    QCOMPARE(sheet.property("ssid").toString(), QStringLiteral("Home network"));
    QCOMPARE(sheet.title(), QStringLiteral("qtn_conn_sic_title"));
    QVERIFY(!sheet.title().contains(QStringLiteral("Home")));
    QCOMPARE(sheet.acceptLabel(), QStringLiteral("qtn_conn_connect"));
    QCOMPARE(sheet.rejectLabel(), QStringLiteral("qtn_comm_cancel"));
    // The SSID property is read-only.
    QVERIFY(!sheet.setProperty("ssid", QStringLiteral("Other")));
    QCOMPARE(sheet.ssid(), QStringLiteral("Home network"));
    // Nothing is built until asked.
    QVERIFY(!sheet.content());
}

void TestEasyWlan::createContentStacksConfigurationWidgets()
{
    QFETCH(QString, kind);

    Subject subject(kind, true);
    QCOMPARE(subject.asked(), 1);
    auto helper = qobject_cast<Velin::DialogHelperWidget*>(subject.content());
    QVERIFY(helper);
    QGraphicsWidget* panel = helper->panel();
    QVERIFY(panel);
    QCOMPARE(panel->parentItem(), static_cast<QGraphicsItem*>(helper));
    QCOMPARE(names(PromptsTest::stacked(panel)), QStringList() << "first" << "second");

    // Stacked edge to edge, top to bottom.
    auto layout = dynamic_cast<Touch::Layout*>(panel->layout());
    QVERIFY(layout);
    Touch::LinearLayoutPolicy* policy = layout->policy();
    QCOMPARE(policy->orientation(), Qt::Vertical);
    QCOMPARE(policy->spacing(), 0.0);
    qreal left = -1, top = -1, right = -1, bottom = -1;
    policy->getContentsMargins(&left, &top, &right, &bottom);
    QCOMPARE(QList<qreal>() << left << top << right << bottom, QList<qreal>() << 0 << 0 << 0 << 0);
}

void TestEasyWlan::createContentRunsOnce()
{
    QFETCH(QString, kind);

    Subject subject(kind, true);
    QPointer<QGraphicsWidget> content = subject.content();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("createContent: the content exists already")));
    subject.createContent();
    QCOMPARE(subject.asked(), 1);
    QCOMPARE(subject.content(), content.data());
}

void TestEasyWlan::baseHasNoWidgets()
{
    Velin::EasyWlanSheet sheet(QStringLiteral("a"));
    QVERIFY(sheet.configurationWidgets().isEmpty());
    Velin::EasyWlanDialog dialog{QString()};
    QVERIFY(dialog.configurationWidgets().isEmpty());
    QVERIFY(!dialog.centralWidget());
}

void TestEasyWlan::addItemBeforeContentBuildsItFirst()
{
    QFETCH(QString, kind);

    Subject subject(kind, false);
    QVERIFY(!subject.content());
    QCOMPARE(subject.asked(), 0);

    subject.addItem(label(QStringLiteral("added")));
    QCOMPARE(subject.asked(), 1);
    QCOMPARE(names(PromptsTest::contentWidgets(subject.content())), QStringList() << "first" << "second" << "added");
}

void TestEasyWlan::addItemAppendsAtTheBottom()
{
    QFETCH(QString, kind);

    Subject subject(kind, true);
    subject.addItem(label(QStringLiteral("third")));
    subject.addItem(label(QStringLiteral("fourth")));
    QCOMPARE(subject.asked(), 1);
    const QList<QGraphicsWidget*> widgets = PromptsTest::contentWidgets(subject.content());
    QCOMPARE(names(widgets), QStringList() << "first" << "second" << "third" << "fourth");

    // Laid out below one another.
    auto helper = qobject_cast<Velin::DialogHelperWidget*>(subject.content());
    helper->resize(400, helper->effectiveSizeHint(Qt::PreferredSize).height());
    helper->panel()->layout()->activate();
    for (int i = 1; i < widgets.size(); ++i)
        QVERIFY2(widgets.at(i)->y() >= widgets.at(i - 1)->geometry().bottom() - 0.5, qPrintable(widgets.at(i)->objectName()));
}

void TestEasyWlan::deleteItemBeforeContentDoesNothing()
{
    QFETCH(QString, kind);

    Subject subject(kind, false);
    QScopedPointer<Touch::Label> stranger(label(QStringLiteral("stranger")));
    PromptsTest::LogCapture log;
    subject.deleteItem(stranger.data());
    QVERIFY(PromptsTest::LogCapture::messages().isEmpty());
    QVERIFY(!subject.content());
    QCOMPARE(subject.asked(), 0);
    QCOMPARE(stranger->text(), QStringLiteral("stranger"));   // still alive
}

void TestEasyWlan::deleteItemRemovesAndDestroys()
{
    QFETCH(QString, kind);

    Subject subject(kind, true);
    auto added = label(QStringLiteral("added"));
    subject.addItem(added);
    QPointer<QGraphicsWidget> first = PromptsTest::contentWidgets(subject.content()).first();
    QPointer<QGraphicsWidget> guard(added);

    subject.deleteItem(added);
    QVERIFY(guard.isNull());
    QCOMPARE(names(PromptsTest::contentWidgets(subject.content())), QStringList() << "first" << "second");

    subject.deleteItem(first);
    QVERIFY(first.isNull());
    QCOMPARE(names(PromptsTest::contentWidgets(subject.content())), QStringList() << "second");
}

void TestEasyWlan::dialogTitle_data()
{
    QTest::addColumn<QString>("ssid");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty SSID: no title") << "" << "";
    QTest::newRow("SSID filled in") << "Office" << "Connect to Office";
    QTest::newRow("SSID with spaces") << "City Library" << "Connect to City Library";
    QTest::newRow("SSID with a percent sign") << "100% free" << "Connect to 100% free";
}

void TestEasyWlan::dialogTitle()
{
    QFETCH(QString, ssid);
    QFETCH(QString, title);

    PromptsTest::PlaceholderCatalogue catalogue;
    QCoreApplication::installTranslator(&catalogue);
    Velin::EasyWlanDialog dialog(ssid);
    QCoreApplication::removeTranslator(&catalogue);

    QCOMPARE(dialog.title(), title);
    QCOMPARE(dialog.ssid(), ssid);
    QCOMPARE(dialog.property("ssid").toString(), ssid);
}

void TestEasyWlan::dialogButtonAndParent()
{
    // Without a catalogue the id stands for the text, and has no placeholder.
    QTest::ignoreMessage(QtWarningMsg, "QString::arg: Argument missing: qtn_conn_connect_to_dialog_title, Office");
    Velin::EasyWlanDialog orphan(QStringLiteral("Office"));
    QVERIFY(!orphan.parentItem());
    QCOMPARE(int(orphan.standardButtons()), 1024);
    Touch::Button* ok = orphan.button(Touch::Dialog::Ok);
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("qtn_conn_connect"));
    QCOMPARE(orphan.title(), QStringLiteral("qtn_conn_connect_to_dialog_title"));

    Touch::Widget holder;
    auto child = new Velin::EasyWlanDialog(QString(), &holder);
    QCOMPARE(child->parentItem(), static_cast<QGraphicsItem*>(&holder));
    QVERIFY(child->title().isEmpty());
}

void TestEasyWlan::sheetShowsItsContent()
{
    WindowFixture fx;
    auto sheet = new SheetPrompt(QStringLiteral("Office"), true);
    sheet->addItem(label(QStringLiteral("added")));
    sheet->appear(fx.window(), Touch::SceneWindow::DestroyWhenDone);
    QTRY_COMPARE(sheet->sceneWindowState(), Touch::SceneWindow::Appeared);
    for (const QString& name : {QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("added")}) {
        QGraphicsWidget* widget = fx.findWidget(name, sheet);
        QVERIFY2(widget, qPrintable(name));
        QVERIFY(widget->isVisible());
        QVERIFY(fx.window()->viewport()->rect().contains(fx.viewPosition(widget)));
    }
    fx.savePng(QStringLiteral("easywlansheet"));
    sheet->reject();
}

QTEST_MAIN(TestEasyWlan)
#include "tst_easywlan.moc"
