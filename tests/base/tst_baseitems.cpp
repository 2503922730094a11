#include "windowfixture.h"

#include "base/connectionlistitem.h"
#include "base/dialoghelperwidget.h"
#include "base/dividerheader.h"
#include "base/drilldownitem.h"
#include "base/simplecheckboxlabel.h"
#include "base/simpleframe.h"
#include "touch/button.h"
#include "touch/imagewidget.h"
#include "touch/label.h"
#include "touch/scenewindow.h"
#include "touch/separator.h"
#include "touch/textedit.h"

#include <QGraphicsLinearLayout>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Builds its content on first use and counts how often it was asked.
class LazyFrame : public Velin::SimpleFrame
{
public:
    explicit LazyFrame(bool giveContent)
        : Velin::SimpleFrame(QStringLiteral("Lazy"))
        , m_giveContent(giveContent)
    {
    }

    int calls = 0;

protected:
    QGraphicsWidget* createContent() override
    {
        ++calls;
        return m_giveContent ? new Touch::Label(QStringLiteral("made lazily")) : nullptr;
    }

private:
    bool m_giveContent;
};

} // namespace

class TestBaseItems : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frameTitleAndContent();
    void frameSetContentReplaces();
    void frameCreateContent_data();
    void frameCreateContent();
    void frameCreateContentNotWhenContentIsSet();
    void dividerHeader();
    void drillDownItem();
    void connectionListItemProperties();
    void connectionListItemClicks_data();
    void connectionListItemClicks();
    void checkBoxLabel_data();
    void checkBoxLabel();
    void dialogHelperWidget();
};

void TestBaseItems::frameTitleAndContent()
{
    WindowFixture fx;
    auto frame = new Velin::SimpleFrame(QStringLiteral("Security"));
    auto content = new Touch::TextEdit(QStringLiteral("secret"));
    frame->setContent(content);
    auto page = fx.showOnPage({frame});
    QTRY_VERIFY(content->size().width() > 0);

    auto title = fx.find<Touch::Label>(QStringLiteral("SimpleFrameTitle"), frame);
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("Security"));
    QCOMPARE(frame->title(), QStringLiteral("Security"));
    QCOMPARE(frame->content(), static_cast<QGraphicsWidget*>(content));
    QVERIFY(frame->isAncestorOf(content));
    // Content below the title.
    QVERIFY(content->mapRectToScene(content->rect()).top() >= title->mapRectToScene(title->rect()).bottom());

    // Without a title, the content moves up to the top.
    frame->setTitle(QString());
    QCOMPARE(frame->property("title").toString(), QString());
    QTRY_VERIFY(!title->isVisible());
    QTRY_VERIFY(content->mapRectToScene(content->rect()).top() < title->mapRectToScene(title->rect()).bottom());
    frame->setTitle(QStringLiteral("Again"));
    QTRY_VERIFY(title->isVisible());
    QCOMPARE(title->text(), QStringLiteral("Again"));
    Q_UNUSED(page)
}

void TestBaseItems::frameSetContentReplaces()
{
    Velin::SimpleFrame frame;
    QPointer<QGraphicsWidget> first = new Touch::Label(QStringLiteral("1"));
    frame.setContent(first);
    QPointer<QGraphicsWidget> second = new Touch::Label(QStringLiteral("2"));
    frame.setContent(second);
    QVERIFY(first.isNull());
    QCOMPARE(frame.content(), second.data());
    frame.setContent(second);
    QVERIFY(!second.isNull());
    frame.setContent(nullptr);
    QVERIFY(second.isNull());
    QVERIFY(!frame.content());
}

void TestBaseItems::frameCreateContent_data()
{
    QTest::addColumn<bool>("giveContent");
    QTest::newRow("content made") << true;
    QTest::newRow("null content") << false;
}

void TestBaseItems::frameCreateContent()
{
    QFETCH(bool, giveContent);

    WindowFixture fx;
    auto frame = new LazyFrame(giveContent);
    QCOMPARE(frame->calls, 0);
    QVERIFY(!frame->content());

    fx.showOnPage({frame});
    QTRY_COMPARE(frame->calls, 1);
    QCOMPARE(frame->content() != nullptr, giveContent);
    if (giveContent)
        QVERIFY(frame->isAncestorOf(frame->content()));

    // Once only, whatever it gave.
    frame->hide();
    frame->show();
    QTest::qWait(20);
    QCOMPARE(frame->calls, 1);
}

void TestBaseItems::frameCreateContentNotWhenContentIsSet()
{
    WindowFixture fx;
    auto frame = new LazyFrame(true);
    auto given = new Touch::Label(QStringLiteral("given"));
    frame->setContent(given);
    fx.showOnPage({frame});
    QTRY_VERIFY(given->size().width() > 0);
    QTest::qWait(20);
    QCOMPARE(frame->calls, 0);
    QCOMPARE(frame->content(), static_cast<QGraphicsWidget*>(given));
}

void TestBaseItems::dividerHeader()
{
    WindowFixture fx;
    auto header = new Velin::DividerHeader(QStringLiteral("Advanced"));
    fx.showOnPage({header});
    QVERIFY(header->label());
    QCOMPARE(header->label()->text(), QStringLiteral("Advanced"));
    QCOMPARE(header->label()->styleName(), QStringLiteral("CommonGroupHeader"));
    QCOMPARE(header->title(), QStringLiteral("Advanced"));
    header->setTitle(QStringLiteral("Proxy"));
    QCOMPARE(header->label()->text(), QStringLiteral("Proxy"));

    auto line = fx.find<Touch::Separator>(QStringLiteral("DividerHeaderLine"), header);
    QVERIFY(line);
    QTRY_VERIFY(line->size().width() > 0);
    // The line runs beside the label, over the rest of the row.
    const QRectF labelRect = header->label()->geometry();
    const QRectF lineRect = line->geometry();
    QVERIFY(lineRect.left() >= labelRect.right());
    QVERIFY(lineRect.width() > header->size().width() / 3);
    QVERIFY(lineRect.center().y() > labelRect.top() && lineRect.center().y() < labelRect.bottom());
}

void TestBaseItems::drillDownItem()
{
    WindowFixture fx;
    auto item = new Velin::DrillDownItem(QStringLiteral("Advanced settings"));
    QSignalSpy clicked(item, &Velin::DrillDownItem::clicked);
    fx.showOnPage({item});
    QTRY_VERIFY(item->size().width() > 0);

    QCOMPARE(item->title(), QStringLiteral("Advanced settings"));
    item->setTitle(QStringLiteral("Proxy"));
    QCOMPARE(item->property("title").toString(), QStringLiteral("Proxy"));
    QVERIFY(item->size().height() >= 64);

    auto chevron = fx.find<Touch::ImageWidget>(QStringLiteral("DrillDownItemArrow"), item);
    QVERIFY(chevron);
    QCOMPARE(chevron->image(), QStringLiteral("icon-m-common-drilldown-arrow"));
    QTRY_VERIFY(chevron->geometry().center().x() > item->size().width() * 0.75);

    // Anywhere on the row, the chevron and the title included.
    QVERIFY(fx.click(item));
    QVERIFY(fx.click(chevron));
    QCOMPARE(clicked.count(), 2);
    item->click();
    QCOMPARE(clicked.count(), 3);

    // A press that leaves the row before release is no click.
    const QPoint inside = fx.viewPosition(item);
    fx.drag(inside, inside + QPoint(0, 200), 2);
    QCOMPARE(clicked.count(), 3);
}

void TestBaseItems::connectionListItemProperties()
{
    WindowFixture fx;
    auto item = new Velin::ConnectionListItem(QStringLiteral("ImageCellSecurity"));
    QCOMPARE(item->styleName(), QStringLiteral("ImageCellSecurity"));
    item->setLabel(QStringLiteral("HomeNet"));
    item->setTypeImageName(QStringLiteral("icon-m-common-wlan-strength3"));
    item->setSecurityImageName(QStringLiteral("icon-s-wlan-wpa"));
    QCOMPARE(item->label(), QStringLiteral("HomeNet"));
    QCOMPARE(item->property("typeImageName").toString(), QStringLiteral("icon-m-common-wlan-strength3"));
    QCOMPARE(item->property("securityImageName").toString(), QStringLiteral("icon-s-wlan-wpa"));
    QVERIFY(item->subtitle().isEmpty());
    fx.showOnPage({item});
    QTRY_VERIFY(item->size().width() > 0);

    auto label = fx.find<Touch::Label>(QStringLiteral("ConnectionListItemLabel"), item);
    auto type = fx.find<Touch::ImageWidget>(QStringLiteral("ConnectionListItemTypeImage"), item);
    auto security = fx.find<Touch::ImageWidget>(QStringLiteral("ConnectionListItemSecurityImage"), item);
    QVERIFY(label && type && security);
    QCOMPARE(label->text(), QStringLiteral("HomeNet"));
    QCOMPARE(type->image(), QStringLiteral("icon-m-common-wlan-strength3"));
    QCOMPARE(security->image(), QStringLiteral("icon-s-wlan-wpa"));
    // Type icon, label, security icon from leading to trailing.
    QTRY_VERIFY(type->geometry().right() <= label->geometry().left());
    QVERIFY(label->geometry().right() <= security->geometry().left());
    QVERIFY(!fx.findWidget(QStringLiteral("ConnectionListItemSubtitle"), item));

    const qreal oneLine = item->size().height();
    item->setSubtitle(QStringLiteral("Saved"));
    QCOMPARE(item->subtitle(), QStringLiteral("Saved"));
    auto subtitle = fx.find<Touch::Label>(QStringLiteral("ConnectionListItemSubtitle"), item);
    QVERIFY(subtitle);
    QTRY_VERIFY(subtitle->geometry().top() >= label->geometry().bottom());
    QVERIFY(item->size().height() >= oneLine);

    // No security icon: the label takes the room.
    const qreal labelWidth = label->geometry().width();
    item->setSecurityImageName(QString());
    QTRY_VERIFY(label->geometry().width() > labelWidth);
    fx.savePng(QStringLiteral("connectionlistitem"));
}

void TestBaseItems::connectionListItemClicks_data()
{
    QTest::addColumn<bool>("displayOnly");
    QTest::newRow("clickable") << false;
    QTest::newRow("display only") << true;
}

void TestBaseItems::connectionListItemClicks()
{
    QFETCH(bool, displayOnly);

    WindowFixture fx;
    auto item = new Velin::ConnectionListItem;
    item->setLabel(QStringLiteral("Net"));
    item->setTypeImageName(QStringLiteral("icon-m-common-wlan"));
    if (displayOnly)
        item->setAcceptedMouseButtons(Qt::NoButton);
    QSignalSpy clicked(item, &Velin::ConnectionListItem::clicked);
    fx.showOnPage({item});
    QTRY_VERIFY(item->size().width() > 0);

    fx.click(item);
    fx.click(fx.findWidget(QStringLiteral("ConnectionListItemTypeImage"), item));
    QCOMPARE(clicked.count(), displayOnly ? 0 : 2);
    QVERIFY(!item->isDown());
}

void TestBaseItems::checkBoxLabel_data()
{
    QTest::addColumn<QString>("viewType");
    QTest::newRow("check box") << QString::fromLatin1(Touch::Button::CheckboxType);
    QTest::newRow("switch") << QString::fromLatin1(Touch::Button::SwitchType);
}

void TestBaseItems::checkBoxLabel()
{
    QFETCH(QString, viewType);

    WindowFixture fx;
    auto button = new Touch::Button;
    auto row = new Velin::SimpleCheckBoxLabel(
        button, QStringLiteral("Connect automatically to this network whenever it is in range"), viewType);
    QCOMPARE(row->button(), button);
    QVERIFY(button->isCheckable());
    QCOMPARE(button->viewType(), viewType);
    QCOMPARE(button->parentItem(), static_cast<QGraphicsItem*>(row));
    QVERIFY(row->label()->wordWrap());
    QCOMPARE(row->label()->text(), QStringLiteral("Connect automatically to this network whenever it is in range"));

    QSignalSpy toggled(button, &Touch::Button::toggled);
    QSignalSpy clicked(button, &Touch::Button::clicked);
    fx.showOnPage({row});
    QTRY_VERIFY(row->label()->size().width() > 0);
    // Label on the leading side, the button trailing.
    QVERIFY(row->label()->geometry().right() <= button->geometry().left());
    QVERIFY(row->size().height() >= 64);

    QVERIFY(fx.click(row->label()));
    QVERIFY(button->isChecked());
    QVERIFY(fx.click(row->label()));
    QVERIFY(!button->isChecked());
    QVERIFY(fx.click(button));
    QVERIFY(button->isChecked());
    QCOMPARE(toggled.count(), 3);
    QCOMPARE(clicked.count(), 3);

    // A disabled button is not toggled through its label either.
    button->setEnabled(false);
    fx.click(row->label());
    QVERIFY(button->isChecked());
    QCOMPARE(toggled.count(), 3);
}

void TestBaseItems::dialogHelperWidget()
{
    auto panel = new Touch::Widget;
    panel->setMinimumSize(120, 80);
    panel->setPreferredSize(300, 200);
    panel->setMaximumSize(600, 400);
    Velin::DialogHelperWidget helper(panel);
    QCOMPARE(helper.panel(), static_cast<QGraphicsWidget*>(panel));
    QCOMPARE(panel->parentItem(), static_cast<QGraphicsItem*>(&helper));

    QCOMPARE(helper.effectiveSizeHint(Qt::MinimumSize), QSizeF(120, 80));
    QCOMPARE(helper.effectiveSizeHint(Qt::PreferredSize), QSizeF(300, 200));
    QCOMPARE(helper.effectiveSizeHint(Qt::MaximumSize), QSizeF(600, 400));

    helper.resize(420, 250);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(panel->geometry(), QRectF(0, 0, 420, 250));

    // The panel's hints change: the helper's follow.
    panel->setPreferredSize(340, 220);
    QCOMPARE(helper.effectiveSizeHint(Qt::PreferredSize), QSizeF(340, 220));

    delete panel;
    QVERIFY(!helper.panel());
}

QTEST_MAIN(TestBaseItems)
#include "tst_baseitems.moc"
