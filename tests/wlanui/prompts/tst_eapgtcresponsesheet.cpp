// The EAP-GTC response sheet: the server's message, the connection name and
// the response the user types.
#include "promptstesthelpers.h"
#include "windowfixture.h"

#include "wlanui/prompts/eapgtcresponsesheet.h"

#include "base/connectionlistitem.h"
#include "base/dividerheader.h"
#include "touch/label.h"
#include "touch/textedit.h"

#include <QLineEdit>
#include <QScopedPointer>
#include <QtTest>

using Velin::EapGtcResponseSheet;

namespace {

Touch::TextEdit* responseEdit(EapGtcResponseSheet* sheet)
{
    const QList<Touch::TextEdit*> edits = PromptsTest::itemsOfType<Touch::TextEdit>(sheet);
    for (Touch::TextEdit* edit : edits) {
        if (edit->objectName() == QLatin1String("ResponseEdit"))
            return edit;
    }
    return nullptr;
}

} // namespace

class TestEapGtcResponseSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sheet();
    void content();
    void message_data();
    void message();
    void connectionName();
    void responseTypedThroughExec_data();
    void responseTypedThroughExec();
};

void TestEapGtcResponseSheet::sheet()
{
    EapGtcResponseSheet sheet(QStringLiteral("Enter the code"));
    QCOMPARE(sheet.styleName(), QStringLiteral("Inverted"));
    QCOMPARE(sheet.title(), QStringLiteral("qtn_conn_sic_title"));
    QCOMPARE(sheet.acceptLabel(), QStringLiteral("qtn_conn_connect"));
    QCOMPARE(sheet.rejectLabel(), QStringLiteral("qtn_comm_cancel"));
    // Nothing to check before connecting: always enabled, even empty.
    QVERIFY(sheet.isAcceptEnabled());
    QVERIFY(sheet.response().isEmpty());
    QVERIFY(sheet.connectionName().isEmpty());
    QVERIFY(qobject_cast<Velin::SimpleSheet*>(&sheet));
}

void TestEapGtcResponseSheet::content()
{
    EapGtcResponseSheet sheet(QStringLiteral("Enter the code"));
    const QList<QGraphicsWidget*> widgets = PromptsTest::contentWidgets(sheet.content());
    QCOMPARE(widgets.size(), 4);

    auto item = qobject_cast<Velin::ConnectionListItem*>(widgets.at(0));
    QVERIFY(item);
    QCOMPARE(item->styleName(), QStringLiteral("ImageCellSecurity"));
    QCOMPARE(item->typeImageName(), QStringLiteral("icon-m-common-wlan"));
    QCOMPARE(item->securityImageName(), QStringLiteral("icon-s-wlan-wpa"));
    QVERIFY(item->label().isEmpty());
    QCOMPARE(item->acceptedMouseButtons(), Qt::NoButton);

    // The message block: a heading, then the message.
    const QList<QGraphicsWidget*> block = PromptsTest::stacked(widgets.at(1));
    QCOMPARE(block.size(), 2);
    auto header = qobject_cast<Velin::DividerHeader*>(block.at(0));
    QVERIFY(header);
    QCOMPARE(header->title(), QStringLiteral("qtn_conn_response_title"));
    auto body = qobject_cast<Touch::Label*>(block.at(1));
    QVERIFY(body);
    QCOMPARE(body->styleName(), QStringLiteral("CommonBodyText"));
    QVERIFY(body->wordWrap());

    QCOMPARE(qobject_cast<Touch::Widget*>(widgets.at(2))->styleName(), QStringLiteral("CommonLargeSpacer"));

    auto edit = qobject_cast<Touch::TextEdit*>(widgets.at(3));
    QVERIFY(edit);
    QCOMPARE(edit, responseEdit(&sheet));
    QCOMPARE(edit->objectName(), QStringLiteral("ResponseEdit"));
    QCOMPARE(edit->styleName(), QStringLiteral("CommonSingleInputFieldLabeled"));
    QCOMPARE(edit->prompt(), QStringLiteral("qtn_conn_response"));
    QVERIFY(edit->text().isEmpty());
    // Shown as typed, but not touched by the input method.
    QCOMPARE(edit->echoMode(), Touch::TextEdit::Normal);
    QVERIFY(!edit->inputMethodPredictionEnabled());
    QVERIFY(!edit->inputMethodCorrectionEnabled());
    QVERIFY(!edit->inputMethodAutoCapitalizationEnabled());
}

void TestEapGtcResponseSheet::message_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "";
    QTest::newRow("one line") << "Enter the code shown on your token";
    QTest::newRow("several lines") << "Challenge: 4711\nEnter the response\nfrom your card";
}

void TestEapGtcResponseSheet::message()
{
    QFETCH(QString, message);

    EapGtcResponseSheet sheet(message);
    const QList<QGraphicsWidget*> widgets = PromptsTest::contentWidgets(sheet.content());
    QVERIFY(widgets.size() > 1);
    const QList<QGraphicsWidget*> block = PromptsTest::stacked(widgets.at(1));
    QVERIFY(block.size() == 2);
    QCOMPARE(qobject_cast<Touch::Label*>(block.at(1))->text(), message);
}

void TestEapGtcResponseSheet::connectionName()
{
    EapGtcResponseSheet sheet(QStringLiteral("Enter the code"));
    auto item = PromptsTest::itemOfType<Velin::ConnectionListItem>(&sheet);
    QVERIFY(item);

    sheet.setConnectionName(QStringLiteral("Campus"));
    QCOMPARE(sheet.connectionName(), QStringLiteral("Campus"));
    QCOMPARE(item->label(), QStringLiteral("Campus"));

    QVERIFY(sheet.setProperty("connectionName", QStringLiteral("Campus guest")));
    QCOMPARE(sheet.property("connectionName").toString(), QStringLiteral("Campus guest"));
    QCOMPARE(item->label(), QStringLiteral("Campus guest"));

    sheet.setConnectionName(QString());
    QVERIFY(item->label().isEmpty());
}

void TestEapGtcResponseSheet::responseTypedThroughExec_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::newRow("code accepted") << "483 921" << true;
    QTest::newRow("mixed case kept") << "AbC-xyz" << true;
    QTest::newRow("empty accepted") << "" << true;
    QTest::newRow("cancelled") << "1234" << false;
}

void TestEapGtcResponseSheet::responseTypedThroughExec()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);

    WindowFixture fx;
    EapGtcResponseSheet sheet(QStringLiteral("Enter the code"));
    sheet.setConnectionName(QStringLiteral("Campus"));
    Touch::TextEdit* edit = responseEdit(&sheet);
    bool typedIn = true;
    bool clicked = false;
    connect(&sheet, &Velin::SimpleSheet::appeared, this, [&] {
        if (!typed.isEmpty())
            typedIn = fx.typeText(edit, typed);
        clicked = fx.click(fx.findWidget(accept ? QStringLiteral("SheetAcceptButton") : QStringLiteral("SheetRejectButton"), &sheet));
    });
    QTimer::singleShot(10000, &sheet, [&] { sheet.done(!accept); });

    QCOMPARE(sheet.exec(fx.window()), accept ? 1 : 0);
    QVERIFY(typedIn);
    QVERIFY(clicked);
    QCOMPARE(sheet.response(), typed);
    QCOMPARE(sheet.property("response").toString(), typed);
    QCOMPARE(edit->lineEdit()->displayText(), typed);
}

QTEST_MAIN(TestEapGtcResponseSheet)
#include "tst_eapgtcresponsesheet.moc"
