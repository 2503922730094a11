#include "bannerobserver.h"
#include "windowfixture.h"

#include "base/bannertracker.h"
#include "base/simpleinformationbanner.h"
#include "base/simplesheet.h"
#include "touch/applicationwindow.h"

#include <QGraphicsWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using Velin::SimpleInformationBanner;

namespace {

QRectF sceneRect(QObject* banner)
{
    auto widget = qobject_cast<QGraphicsWidget*>(banner);
    return widget ? widget->mapRectToScene(widget->rect()) : QRectF();
}

} // namespace

class TestBanner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void showReturnsALiveBanner();
    void bannerIsGoneAfterItsTime_data();
    void bannerIsGoneAfterItsTime();
    void defaultTimeIsThreeSeconds();
    void setTimeoutRestarts();
    void negativeTimeIsRefused();
    void shownBannersOldestFirst();
    void bannersStackAndCloseGaps();
    void bannerFloatsAboveSheetBelowItsHeader();
    void bannerWithoutWindow();
    void trackerReportsEveryBanner();
    void lookIsLightOnDark();
};

void TestBanner::cleanup()
{
    // No banner of one test may leak into the next.
    const QList<QObject*> left = SimpleInformationBanner::shownBanners();
    for (QObject* banner : left)
        delete banner;
    QVERIFY(SimpleInformationBanner::shownBanners().isEmpty());
}

void TestBanner::showReturnsALiveBanner()
{
    WindowFixture fx;
    QObject* banner = SimpleInformationBanner::show(QStringLiteral("Saved"), 10000);
    QVERIFY(banner);
    QCOMPARE(banner->objectName(), QStringLiteral("SimpleInformationBanner"));
    QCOMPARE(banner->property("text").toString(), QStringLiteral("Saved"));
    QCOMPARE(banner->property("timeout").toInt(), 10000);
    QVERIFY(qobject_cast<SimpleInformationBanner*>(banner));

    // On the window's overlay layer, visible, with room for its text.
    auto widget = qobject_cast<QGraphicsWidget*>(banner);
    QCOMPARE(widget->parentItem(), static_cast<QGraphicsItem*>(fx.window()->overlayLayer()));
    QCOMPARE(widget->scene(), fx.scene());
    QVERIFY(widget->isVisible());
    QVERIFY(widget->size().height() >= 48);
    QVERIFY(widget->size().width() > fx.window()->width() / 2);
    QCOMPARE(SimpleInformationBanner::shownBanners(), QList<QObject*>() << banner);
}

void TestBanner::bannerIsGoneAfterItsTime_data()
{
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("50 ms") << 50;
    QTest::newRow("0 ms") << 0;
}

void TestBanner::bannerIsGoneAfterItsTime()
{
    QFETCH(int, milliseconds);

    WindowFixture fx;
    QPointer<QObject> banner = SimpleInformationBanner::show(QStringLiteral("Short"), milliseconds);
    // Never gone before control returns to the event loop.
    QVERIFY(!banner.isNull());
    QVERIFY(SimpleInformationBanner::shownBanners().contains(banner.data()));
    QTRY_VERIFY(banner.isNull());
    QVERIFY(SimpleInformationBanner::shownBanners().isEmpty());
}

void TestBanner::defaultTimeIsThreeSeconds()
{
    WindowFixture fx;
    QPointer<QObject> banner = SimpleInformationBanner::show(QStringLiteral("Default"));
    QCOMPARE(banner->property("timeout").toInt(), 3000);
    auto timer = banner->findChild<QTimer*>();
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), 3000);

    // Shortened rather than waited out.
    timer->start(10);
    QTRY_VERIFY(banner.isNull());
}

void TestBanner::setTimeoutRestarts()
{
    WindowFixture fx;
    QPointer<QObject> banner = SimpleInformationBanner::show(QStringLiteral("Longer"), 20);
    auto widget = qobject_cast<SimpleInformationBanner*>(banner.data());
    widget->setTimeout(60000);
    QCOMPARE(widget->timeout(), 60000);
    QTest::qWait(100);
    QVERIFY(!banner.isNull());
    widget->setTimeout(5);
    QTRY_VERIFY(banner.isNull());
}

void TestBanner::negativeTimeIsRefused()
{
    WindowFixture fx;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("negative time -5 ms")));
    QObject* banner = SimpleInformationBanner::show(QStringLiteral("Negative"), -5);
    QVERIFY(banner);
    QCOMPARE(banner->property("timeout").toInt(), 3000);
}

void TestBanner::shownBannersOldestFirst()
{
    WindowFixture fx;
    QObject* first = SimpleInformationBanner::show(QStringLiteral("one"), 60000);
    QObject* second = SimpleInformationBanner::show(QStringLiteral("two"), 30);
    QObject* third = SimpleInformationBanner::show(QStringLiteral("three"), 60000);
    QCOMPARE(SimpleInformationBanner::shownBanners(), QList<QObject*>() << first << second << third);

    // The short one leaves; the order of the others stays.
    QTRY_COMPARE(SimpleInformationBanner::shownBanners(), QList<QObject*>() << first << third);
}

void TestBanner::bannersStackAndCloseGaps()
{
    WindowFixture fx;
    QObject* first = SimpleInformationBanner::show(QStringLiteral("first"), 40);
    QObject* second = SimpleInformationBanner::show(
        QStringLiteral("a second banner whose text is long enough to need more than one line on a handset"), 60000);
    QObject* third = SimpleInformationBanner::show(QStringLiteral("third"), 60000);

    const QRectF r1 = sceneRect(first);
    const QRectF r2 = sceneRect(second);
    const QRectF r3 = sceneRect(third);
    // Top of the window, newer ones below older ones, no overlap.
    QVERIFY(r1.top() < 40);
    QVERIFY(r2.top() >= r1.bottom());
    QVERIFY(r3.top() >= r2.bottom());
    // The long text wraps onto more lines instead of being cut.
    QVERIFY(r2.height() > r1.height());
    fx.savePng(QStringLiteral("banner-stack"));

    QPointer<QObject> gone(first);
    QTRY_VERIFY(gone.isNull());
    QCOMPARE(sceneRect(second).top(), r1.top());
    QVERIFY(sceneRect(third).top() < r3.top());
}

void TestBanner::bannerFloatsAboveSheetBelowItsHeader()
{
    WindowFixture fx;
    auto banner = qobject_cast<QGraphicsWidget*>(
        SimpleInformationBanner::show(QStringLiteral("Above the sheet"), 60000));
    QVERIFY(banner);
    const qreal topWithoutSheet = banner->sceneBoundingRect().top();

    // A sheet coming moves the banner below its header, over its content...
    Velin::SimpleSheet sheet;
    sheet.setStyleName(QStringLiteral("Inverted"));
    sheet.setTitle(QStringLiteral("Sheet"));
    sheet.setAcceptLabel(QStringLiteral("Done"));
    sheet.appear(fx.window());
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Appeared);
    const QGraphicsWidget* header = fx.findWidget(QStringLiteral("SheetHeader"), &sheet);
    QVERIFY(header);
    QTRY_VERIFY(banner->sceneBoundingRect().top() >= header->sceneBoundingRect().bottom());
    const QList<QGraphicsItem*> stack = fx.window()->items(fx.viewPosition(banner));
    QVERIFY(!stack.isEmpty());
    QCOMPARE(stack.first(), static_cast<QGraphicsItem*>(banner));
    fx.savePng(QStringLiteral("banner-over-sheet"));

    // ...and its going moves it back up.
    sheet.disappear();
    QTRY_COMPARE(sheet.sceneWindowState(), Touch::SceneWindow::Disappeared);
    QTRY_COMPARE(banner->sceneBoundingRect().top(), topWithoutSheet);
}

void TestBanner::bannerWithoutWindow()
{
    if (Touch::ApplicationWindow::activeWindow())
        QSKIP("an application window outlived its test");
    QPointer<QObject> banner = SimpleInformationBanner::show(QStringLiteral("Nowhere"), 30);
    auto widget = qobject_cast<QGraphicsWidget*>(banner.data());
    QVERIFY(widget);
    QVERIFY(!widget->parentItem());
    QVERIFY(!widget->scene());
    QVERIFY(widget->size().width() > 0 && widget->size().height() > 0);
    QCOMPARE(SimpleInformationBanner::shownBanners(), QList<QObject*>() << banner.data());
    QTRY_VERIFY(banner.isNull());
}

void TestBanner::trackerReportsEveryBanner()
{
    WindowFixture fx;
    BannerObserver observer;
    QSignalSpy spy(Velin::BannerTracker::instance(), &Velin::BannerTracker::bannerShown);
    QCOMPARE(Velin::BannerTracker::instance(), Velin::BannerTracker::instance());

    QObject* a = SimpleInformationBanner::show(QStringLiteral("alpha"), 60000);
    SimpleInformationBanner::show(QStringLiteral("beta"), 60000);
    SimpleInformationBanner::show(QStringLiteral("alpha"), 60000);

    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(0).at(0).value<QObject*>(), a);
    QCOMPARE(spy.at(0).at(1).toString(), QStringLiteral("alpha"));
    QCOMPARE(observer.texts(), QStringList() << "alpha" << "beta" << "alpha");
    QCOMPARE(observer.count(QStringLiteral("alpha")), 2);
    QCOMPARE(observer.count(QStringLiteral("beta")), 1);
    QCOMPARE(observer.count(QStringLiteral("gamma")), 0);
    QCOMPARE(observer.banners().first().data(), a);

    observer.clear();
    QVERIFY(observer.texts().isEmpty());
    SimpleInformationBanner::show(QStringLiteral("gamma"), 60000);
    QCOMPARE(observer.texts(), QStringList() << "gamma");
}

void TestBanner::lookIsLightOnDark()
{
    WindowFixture fx;
    auto banner = qobject_cast<QGraphicsWidget*>(SimpleInformationBanner::show(QStringLiteral("WWWWWWWW"), 60000));
    const QImage image = fx.grab();
    const QRect area = fx.window()->mapFromScene(banner->mapRectToScene(banner->rect())).boundingRect();
    int dark = 0, light = 0;
    for (int y = area.top() + 4; y < area.bottom() - 4; ++y) {
        for (int x = area.left() + 16; x < area.right() - 16; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.lightness() < 70)
                ++dark;
            else if (c.lightness() > 200)
                ++light;
        }
    }
    // A dark bar with light letters on the light window.
    QVERIFY2(dark > light * 3, qPrintable(QStringLiteral("%1 dark, %2 light").arg(dark).arg(light)));
    QVERIFY(light > 20);
}

QTEST_MAIN(TestBanner)
#include "tst_banner.moc"
