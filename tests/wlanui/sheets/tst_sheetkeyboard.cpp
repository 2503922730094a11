// Every sheet of the library used from the keyboard alone, and with a banner
// over it: real key presses and taps on an offscreen window.
#include "../prompts/promptstesthelpers.h"
#include "privatebus.h"
#include "sheetcatalogue.h"
#include "windowfixture.h"

#include "base/drilldownitem.h"
#include "base/simpleinformationbanner.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/textedit.h"

#include <QGraphicsScene>
#include <QSignalSpy>
#include <QtTest>

using Velin::SimpleSheet;

namespace {

// The controls a user can operate on the sheet, found by kind rather than by
// focus policy: fields, buttons, choosers, drill-down rows that are shown
// and enabled.
QList<QGraphicsWidget*> controlsOf(const SimpleSheet* sheet)
{
    QList<QGraphicsWidget*> controls;
    const auto add = [&controls](QGraphicsWidget* widget) {
        if (widget->isVisible() && widget->isEnabled())
            controls.append(widget);
    };
    for (auto w : PromptsTest::itemsOfType<Touch::TextEdit>(sheet))
        if (!w->isReadOnly())
            add(w);
    for (auto w : PromptsTest::itemsOfType<Touch::Button>(sheet))
        add(w);
    for (auto w : PromptsTest::itemsOfType<Touch::ComboBox>(sheet))
        add(w);
    for (auto w : PromptsTest::itemsOfType<Velin::DrillDownItem>(sheet))
        add(w);
    return controls;
}

// The control that holds the keyboard focus (the field around a focused
// inner editor), or null.
QGraphicsWidget* focusedControl(const SimpleSheet* sheet)
{
    QGraphicsItem* focus = sheet->scene() ? sheet->scene()->focusItem() : nullptr;
    for (QGraphicsWidget* control : controlsOf(sheet)) {
        if (focus && (control == focus || control->isAncestorOf(focus)))
            return control;
    }
    return nullptr;
}

QString describe(const QGraphicsWidget* control)
{
    if (!control)
        return QStringLiteral("(none)");
    return control->objectName().isEmpty() ? QString::fromLatin1(control->metaObject()->className())
                                           : control->objectName();
}

struct ShownSheet
{
    explicit ShownSheet(SheetCatalogue::Environment& env, const QString& name)
        : sheet(SheetCatalogue::factory(name)(env))
    {
        sheet->appear(fx.window());
    }
    ~ShownSheet()
    {
        PromptsTest::deleteBanners();
        delete sheet;
    }
    bool appeared() { return QTest::qWaitFor([this] { return sheet->sceneWindowState() == Touch::SceneWindow::Appeared; }); }

    WindowFixture fx;
    SimpleSheet* sheet;
};

} // namespace

class TestSheetKeyboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void opensWithFocusInFirstControl_data();
    void opensWithFocusInFirstControl();
    void tabVisitsEveryControl_data();
    void tabVisitsEveryControl();
    void enterAcceptsWhereAcceptIsEnabled_data();
    void enterAcceptsWhereAcceptIsEnabled();
    void escapeCancels_data();
    void escapeCancels();
    void bannerKeepsActionsAndStopsTaps_data();
    void bannerKeepsActionsAndStopsTaps();

private:
    static void everySheet();
    SheetCatalogue::Environment m_env;
};

void TestSheetKeyboard::initTestCase()
{
    QVERIFY(m_env.start());
}

void TestSheetKeyboard::cleanup()
{
    PromptsTest::deleteBanners();
}

void TestSheetKeyboard::everySheet()
{
    QTest::addColumn<QString>("sheet");
    for (const SheetCatalogue::Entry& entry : SheetCatalogue::all())
        QTest::newRow(entry.name) << QString::fromLatin1(entry.name);
}

void TestSheetKeyboard::opensWithFocusInFirstControl_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("first");
    QTest::newRow("WEP key") << "WEP key" << "Velin::WepKeyTextEdit";
    QTest::newRow("WPA pre-shared key") << "WPA pre-shared key" << "Velin::WpaPskTextEdit";
    QTest::newRow("hidden network") << "hidden network" << "Velin::SSIDTextEdit";
    QTest::newRow("EAP-GTC response") << "EAP-GTC response" << "ResponseEdit";
    QTest::newRow("MSCHAPv2 password change") << "MSCHAPv2 password change" << "OldPasswordEdit";
    // The key type comes first on the sheet, above the key.
    QTest::newRow("WAPI pre-shared key") << "WAPI pre-shared key" << "Touch::ComboBox";
    QTest::newRow("WAPI certificates") << "WAPI certificates" << "Touch::ComboBox";
    QTest::newRow("WPA-EAP") << "WPA-EAP" << "Touch::ComboBox";
    QTest::newRow("WPS method choice") << "WPS method choice" << "NormalMethodButton";
    // Nothing to fill in: the actions are all there is.
    QTest::newRow("WPS progress") << "WPS progress" << "SheetAcceptButton";
}

void TestSheetKeyboard::opensWithFocusInFirstControl()
{
    QFETCH(QString, sheet);
    QFETCH(QString, first);
    ShownSheet shown(m_env, sheet);
    QVERIFY(shown.appeared());
    QGraphicsWidget* focused = focusedControl(shown.sheet);
    QCOMPARE(describe(focused), first);
    // The top-most control of the content, not merely one of that kind.
    for (QGraphicsWidget* control : controlsOf(shown.sheet)) {
        if (!control->objectName().startsWith(QLatin1String("Sheet")))
            QVERIFY2(control->sceneBoundingRect().top() >= focused->sceneBoundingRect().top(), qPrintable(describe(control)));
    }
}

void TestSheetKeyboard::tabVisitsEveryControl_data()
{
    everySheet();
}

void TestSheetKeyboard::tabVisitsEveryControl()
{
    QFETCH(QString, sheet);
    ShownSheet shown(m_env, sheet);
    QVERIFY(shown.appeared());
    const QList<QGraphicsWidget*> controls = controlsOf(shown.sheet);
    QVERIFY(!controls.isEmpty());
    QGraphicsWidget* start = focusedControl(shown.sheet);
    QVERIFY(start);

    // One round forward and one backward each reach every control once and
    // end where they began.
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        QSet<QGraphicsWidget*> visited;
        for (int i = 0; i < controls.size(); ++i) {
            shown.fx.keyClick(key);
            QGraphicsWidget* now = focusedControl(shown.sheet);
            QVERIFY2(now, qPrintable(QStringLiteral("no control focused after %1 presses").arg(i + 1)));
            visited.insert(now);
        }
        QCOMPARE(focusedControl(shown.sheet), start);
        QStringList missed;
        for (QGraphicsWidget* control : controls) {
            if (!visited.contains(control))
                missed << describe(control);
        }
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QLatin1String(", "))));
    }
}

void TestSheetKeyboard::enterAcceptsWhereAcceptIsEnabled_data()
{
    // Keys typed from the sheet's first focus ("\t" moves on), then Enter.
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("WEP key") << "WEP key" << "abcde" << true;
    QTest::newRow("WEP, no key yet") << "WEP key" << "" << false;
    QTest::newRow("WPA pre-shared key") << "WPA pre-shared key" << "correct horse" << true;
    QTest::newRow("WPA, no key yet") << "WPA pre-shared key" << "" << false;
    QTest::newRow("hidden network") << "hidden network" << "Guests" << true;
    QTest::newRow("hidden network, no name yet") << "hidden network" << "" << false;
    QTest::newRow("EAP-GTC response") << "EAP-GTC response" << "492817" << true;
    QTest::newRow("MSCHAPv2 password change") << "MSCHAPv2 password change"
                                              << "old-secret\tnew-secret\tnew-secret" << true;
    QTest::newRow("MSCHAPv2, new password not repeated") << "MSCHAPv2 password change" << "old-secret\tnew-secret"
                                                         << false;
    QTest::newRow("WAPI pre-shared key") << "WAPI pre-shared key" << "\twapi secret" << true;
    QTest::newRow("WPS method choice, on its first choice") << "WPS method choice" << "" << true;
}

void TestSheetKeyboard::enterAcceptsWhereAcceptIsEnabled()
{
    QFETCH(QString, sheet);
    QFETCH(QString, keys);
    QFETCH(bool, accepted);
    ShownSheet shown(m_env, sheet);
    QVERIFY(shown.appeared());
    QSignalSpy accepts(shown.sheet, &SimpleSheet::accepted);
    QSignalSpy finished(shown.sheet, &SimpleSheet::finished);
    QTest::keyClicks(shown.fx.window(), keys);
    QCOMPARE(shown.sheet->isAcceptEnabled(), accepted);
    PromptsTest::deleteBanners();

    shown.fx.keyClick(Qt::Key_Return);
    QCoreApplication::processEvents();
    // Once: a field that hands Enter to the sheet itself does not get the
    // sheet to act on it twice.
    QCOMPARE(accepts.count(), accepted ? 1 : 0);
    QCOMPARE(finished.count(), accepted ? 1 : 0);
    QCOMPARE(shown.sheet->sceneWindowState() == Touch::SceneWindow::Appeared, !accepted);
}

void TestSheetKeyboard::escapeCancels_data()
{
    everySheet();
}

void TestSheetKeyboard::escapeCancels()
{
    QFETCH(QString, sheet);
    ShownSheet shown(m_env, sheet);
    QVERIFY(shown.appeared());
    QSignalSpy finished(shown.sheet, &SimpleSheet::finished);
    QVERIFY(focusedControl(shown.sheet));
    shown.fx.keyClick(Qt::Key_Escape);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), false);
    QVERIFY(shown.sheet->isRejected());
    QTRY_COMPARE(shown.sheet->sceneWindowState(), Touch::SceneWindow::Disappeared);
}

void TestSheetKeyboard::bannerKeepsActionsAndStopsTaps_data()
{
    everySheet();
}

void TestSheetKeyboard::bannerKeepsActionsAndStopsTaps()
{
    QFETCH(QString, sheet);
    ShownSheet shown(m_env, sheet);
    QVERIFY(shown.appeared());
    QSignalSpy finished(shown.sheet, &SimpleSheet::finished);
    // Focus on the cancel action: a tap reaching a control would move it.
    auto reject = shown.fx.find<Touch::Button>(QStringLiteral("SheetRejectButton"), shown.sheet);
    QVERIFY(reject);
    reject->setFocus(Qt::OtherFocusReason);
    auto banner = qobject_cast<QGraphicsWidget*>(Velin::SimpleInformationBanner::show(
        QStringLiteral("A message long enough to take two or three lines on the narrow window of a handset"), 60000));
    QVERIFY(banner);
    const QRectF bannerRect = banner->sceneBoundingRect();

    for (const char* action : {"SheetAcceptButton", "SheetRejectButton"}) {
        auto button = shown.fx.find<Touch::Button>(QLatin1String(action), shown.sheet);
        if (button)
            QVERIFY2(!button->sceneBoundingRect().intersects(bannerRect), action);
    }
    // Still tappable: nothing covers the cancel action.
    QCOMPARE(shown.fx.itemReceivingPress(shown.fx.viewPosition(reject)), static_cast<QGraphicsItem*>(reject));

    // A tap where the banner covers a control, else on its middle.
    QPointF target = bannerRect.center();
    for (QGraphicsWidget* control : controlsOf(shown.sheet)) {
        const QRectF covered = control->sceneBoundingRect().intersected(bannerRect);
        if (!covered.isEmpty()) {
            target = covered.center();
            break;
        }
    }
    QVERIFY(shown.fx.click(banner, banner->mapFromScene(target)));
    QCoreApplication::processEvents();
    QCOMPARE(focusedControl(shown.sheet), static_cast<QGraphicsWidget*>(reject));
    QCOMPARE(finished.count(), 0);
    QCOMPARE(shown.sheet->sceneWindowState(), Touch::SceneWindow::Appeared);
}

VELIN_TEST_MAIN_WITH_BUS(TestSheetKeyboard)
#include "tst_sheetkeyboard.moc"
