#include "windowfixture.h"

#include "base/buttongroupcontainer.h"
#include "touch/button.h"
#include "touch/scenewindow.h"

#include <QGraphicsLinearLayout>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using Velin::ButtonGroupContainer;

namespace {

ButtonGroupContainer* makeGroup(int buttons)
{
    auto group = new ButtonGroupContainer;
    for (int i = 0; i < buttons; ++i)
        group->addButton(new Touch::Button(QStringLiteral("Choice %1").arg(i)));
    return group;
}

QList<bool> checkStates(const ButtonGroupContainer* group)
{
    QList<bool> states;
    for (int i = 0; i < group->count(); ++i)
        states << group->button(i)->isChecked();
    return states;
}

QList<bool> onlyChecked(int index, int count)
{
    QList<bool> states;
    for (int i = 0; i < count; ++i)
        states << (i == index);
    return states;
}

} // namespace

class TestButtonGroupContainer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addButton();
    void buttonByIndex_data();
    void buttonByIndex();
    void clicksCheckExclusively();
    void clickingTheCheckedButtonKeepsIt();
    void buttonClickedComesAfterTheCheck();
    void programmaticChangesAreNotClicks_data();
    void programmaticChangesAreNotClicks();
    void setCheckedIndexOutOfRange();
    void checkedButtonAddedBecomesTheChoice();
    void deletedButtonLeavesTheGroup();
    void geometry_data();
    void geometry();
};

void TestButtonGroupContainer::addButton()
{
    ButtonGroupContainer group;
    QCOMPARE(group.count(), 0);
    QCOMPARE(group.checkedIndex(), -1);
    auto button = new Touch::Button(QStringLiteral("A"));
    QVERIFY(!button->isCheckable());
    group.addButton(button);
    QCOMPARE(group.count(), 1);
    QVERIFY(button->isCheckable());
    QCOMPARE(button->parentItem(), static_cast<QGraphicsItem*>(&group));
    QCOMPARE(group.checkedIndex(), -1);

    // Twice is once.
    group.addButton(button);
    QCOMPARE(group.count(), 1);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("null button")));
    group.addButton(nullptr);
    QCOMPARE(group.count(), 1);
}

void TestButtonGroupContainer::buttonByIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("exists");
    QTest::newRow("first") << 0 << true;
    QTest::newRow("last") << 2 << true;
    QTest::newRow("past the end") << 3 << false;
    QTest::newRow("negative") << -1 << false;
}

void TestButtonGroupContainer::buttonByIndex()
{
    QFETCH(int, index);
    QFETCH(bool, exists);
    QScopedPointer<ButtonGroupContainer> group(makeGroup(3));
    Touch::Button* button = group->button(index);
    QCOMPARE(button != nullptr, exists);
    if (exists)
        QCOMPARE(button->text(), QStringLiteral("Choice %1").arg(index));
}

void TestButtonGroupContainer::clicksCheckExclusively()
{
    WindowFixture fx;
    auto group = makeGroup(3);
    fx.showOnPage({group});
    QSignalSpy clicked(group, &ButtonGroupContainer::buttonClicked);
    QSignalSpy changed(group, &ButtonGroupContainer::checkedIndexChanged);
    QTRY_VERIFY(group->button(2)->size().height() > 0);

    QVERIFY(fx.click(group->button(1)));
    QCOMPARE(group->checkedIndex(), 1);
    QCOMPARE(group->property("checkedIndex").toInt(), 1);
    QCOMPARE(checkStates(group), onlyChecked(1, 3));

    QVERIFY(fx.click(group->button(2)));
    QCOMPARE(group->checkedIndex(), 2);
    QCOMPARE(checkStates(group), onlyChecked(2, 3));

    QVERIFY(fx.click(group->button(0)));
    QCOMPARE(checkStates(group), onlyChecked(0, 3));

    QCOMPARE(clicked.count(), 3);
    QCOMPARE(clicked.at(0).at(0).toInt(), 1);
    QCOMPARE(clicked.at(1).at(0).toInt(), 2);
    QCOMPARE(clicked.at(2).at(0).toInt(), 0);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(changed.at(2).at(0).toInt(), 0);
}

void TestButtonGroupContainer::clickingTheCheckedButtonKeepsIt()
{
    WindowFixture fx;
    auto group = makeGroup(2);
    fx.showOnPage({group});
    QTRY_VERIFY(group->button(1)->size().height() > 0);
    QVERIFY(fx.click(group->button(1)));
    QSignalSpy clicked(group, &ButtonGroupContainer::buttonClicked);
    QSignalSpy changed(group, &ButtonGroupContainer::checkedIndexChanged);

    QVERIFY(fx.click(group->button(1)));
    QCOMPARE(group->checkedIndex(), 1);
    QCOMPARE(checkStates(group), onlyChecked(1, 2));
    // A tap is a tap, even when nothing changes.
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(changed.count(), 0);

    // Unchecking the choice directly is not allowed either.
    group->button(1)->setChecked(false);
    QCOMPARE(group->checkedIndex(), 1);
    QVERIFY(group->button(1)->isChecked());
}

void TestButtonGroupContainer::buttonClickedComesAfterTheCheck()
{
    QScopedPointer<ButtonGroupContainer> group(makeGroup(3));
    int seenIndex = -2;
    bool seenChecked = false;
    connect(group.data(), &ButtonGroupContainer::buttonClicked, this, [&](int index) {
        seenIndex = group->checkedIndex();
        seenChecked = group->button(index)->isChecked();
    });
    group->button(2)->click();
    QCOMPARE(seenIndex, 2);
    QVERIFY(seenChecked);
}

void TestButtonGroupContainer::programmaticChangesAreNotClicks_data()
{
    QTest::addColumn<bool>("throughButton");
    QTest::newRow("setCheckedIndex") << false;
    QTest::newRow("Button::setChecked") << true;
}

void TestButtonGroupContainer::programmaticChangesAreNotClicks()
{
    QFETCH(bool, throughButton);

    QScopedPointer<ButtonGroupContainer> group(makeGroup(3));
    QSignalSpy clicked(group.data(), &ButtonGroupContainer::buttonClicked);
    QSignalSpy changed(group.data(), &ButtonGroupContainer::checkedIndexChanged);

    for (int index : {2, 0}) {
        if (throughButton)
            group->button(index)->setChecked(true);
        else
            group->setCheckedIndex(index);
        QCOMPARE(group->checkedIndex(), index);
        QCOMPARE(checkStates(group.data()), onlyChecked(index, 3));
    }
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toInt(), 2);
    QCOMPARE(changed.at(1).at(0).toInt(), 0);

    // The same index again changes nothing.
    group->setCheckedIndex(0);
    QCOMPARE(changed.count(), 2);

    // -1 clears the choice.
    group->setCheckedIndex(-1);
    QCOMPARE(group->checkedIndex(), -1);
    QCOMPARE(checkStates(group.data()), onlyChecked(-1, 3));
    QCOMPARE(changed.count(), 3);
    QCOMPARE(clicked.count(), 0);
}

void TestButtonGroupContainer::setCheckedIndexOutOfRange()
{
    QScopedPointer<ButtonGroupContainer> group(makeGroup(2));
    group->setCheckedIndex(1);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("index 5 out of range")));
    group->setCheckedIndex(5);
    QCOMPARE(group->checkedIndex(), -1);
    QCOMPARE(checkStates(group.data()), onlyChecked(-1, 2));
}

void TestButtonGroupContainer::checkedButtonAddedBecomesTheChoice()
{
    QScopedPointer<ButtonGroupContainer> group(makeGroup(2));
    group->setCheckedIndex(0);
    auto third = new Touch::Button(QStringLiteral("C"));
    third->setCheckable(true);
    third->setChecked(true);
    QSignalSpy changed(group.data(), &ButtonGroupContainer::checkedIndexChanged);
    group->addButton(third);
    QCOMPARE(group->checkedIndex(), 2);
    QCOMPARE(checkStates(group.data()), onlyChecked(2, 3));
    QCOMPARE(changed.count(), 1);
}

void TestButtonGroupContainer::deletedButtonLeavesTheGroup()
{
    QScopedPointer<ButtonGroupContainer> group(makeGroup(3));
    group->setCheckedIndex(2);
    QSignalSpy changed(group.data(), &ButtonGroupContainer::checkedIndexChanged);

    delete group->button(0);
    QCOMPARE(group->count(), 2);
    QCOMPARE(group->checkedIndex(), 1);
    QCOMPARE(group->button(1)->text(), QStringLiteral("Choice 2"));
    QCOMPARE(changed.count(), 1);

    delete group->button(1);
    QCOMPARE(group->count(), 1);
    QCOMPARE(group->checkedIndex(), -1);
    QCOMPARE(changed.count(), 2);
    // Laid out again without crashing on the gone buttons.
    group->resize(300, 200);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(group->button(0)->size().width(), 300.0);
}

void TestButtonGroupContainer::geometry_data()
{
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<Qt::LayoutDirection>("direction");

    QTest::newRow("not fixed") << false << Qt::Horizontal << Qt::LeftToRight;
    QTest::newRow("fixed, horizontal") << true << Qt::Horizontal << Qt::LeftToRight;
    QTest::newRow("fixed, horizontal, right to left") << true << Qt::Horizontal << Qt::RightToLeft;
    QTest::newRow("fixed, vertical") << true << Qt::Vertical << Qt::LeftToRight;
}

void TestButtonGroupContainer::geometry()
{
    QFETCH(bool, fixed);
    QFETCH(Qt::Orientation, orientation);
    QFETCH(Qt::LayoutDirection, direction);

    QScopedPointer<ButtonGroupContainer> group(new ButtonGroupContainer);
    group->setLayoutDirection(direction);
    // Texts of different lengths: fixed mode still gives equal parts.
    group->addButton(new Touch::Button(QStringLiteral("A")));
    group->addButton(new Touch::Button(QStringLiteral("A much longer label")));
    group->addButton(new Touch::Button(QStringLiteral("Mid")));
    QVERIFY(!group->isFixedModeEnabled());
    group->setFixedModeEnabled(fixed);
    group->setFixedModeOrientation(orientation);
    QCOMPARE(group->isFixedModeEnabled(), fixed);
    QCOMPARE(group->fixedModeOrientation(), orientation);

    const qreal width = 460;
    const QSizeF preferred = group->effectiveSizeHint(Qt::PreferredSize);
    group->resize(width, qMax<qreal>(preferred.height(), 300));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    group->layout()->activate();

    QList<QRectF> rects;
    for (int i = 0; i < 3; ++i)
        rects << group->button(i)->geometry();

    if (fixed && orientation == Qt::Horizontal) {
        QVERIFY(preferred.height() < 2 * rects[0].height());   // one row
        for (int i = 1; i < 3; ++i) {
            QCOMPARE(rects[i].top(), rects[0].top());
            QCOMPARE(rects[i].width(), rects[0].width());
            QCOMPARE(rects[i].height(), rects[0].height());
        }
        // Leading to trailing, filling the row.
        const QRectF& leading = direction == Qt::LeftToRight ? rects[0] : rects[2];
        const QRectF& trailing = direction == Qt::LeftToRight ? rects[2] : rects[0];
        QVERIFY(qAbs(leading.left()) < 0.5);
        QVERIFY(qAbs(trailing.right() - width) < 0.5);
        QVERIFY(direction == Qt::LeftToRight ? rects[0].right() <= rects[1].left()
                                             : rects[1].right() <= rects[0].left());
    } else {
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(rects[i].left(), 0.0);
            QCOMPARE(rects[i].width(), width);
            if (i > 0)
                QVERIFY(rects[i].top() >= rects[i - 1].bottom());
        }
        if (fixed) {
            // Equal parts of the whole height.
            QCOMPARE(rects[1].height(), rects[0].height());
            QCOMPARE(rects[2].height(), rects[0].height());
            QVERIFY(qAbs(rects[2].bottom() - group->size().height()) < 0.5);
        } else {
            // Preferred heights, stacked from the top.
            QCOMPARE(rects[0].top(), 0.0);
            QCOMPARE(rects[0].height(), group->button(0)->effectiveSizeHint(Qt::PreferredSize).height());
        }
    }
    // Touch-sized either way.
    for (const QRectF& r : qAsConst(rects))
        QVERIFY(r.height() >= 48);
}

QTEST_MAIN(TestButtonGroupContainer)
#include "tst_buttongroupcontainer.moc"
