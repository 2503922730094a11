#include "touchtesthelpers.h"

#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/widget.h"

#include <QGraphicsScene>
#include <QGraphicsWidget>
#include <QRegularExpression>
#include <QScopedPointer>

using Touch::Layout;
using Touch::LinearLayoutPolicy;

namespace {

// A box with chosen preferred size that does not grow vertically unless told.
QGraphicsWidget* box(const QString& name, qreal height, qreal width = 50)
{
    auto* w = new QGraphicsWidget;
    w->setObjectName(name);
    w->setPreferredSize(width, height);
    w->setMinimumSize(10, height / 2);
    w->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    return w;
}

QStringList names(const LinearLayoutPolicy* policy)
{
    QStringList result;
    for (int i = 0; i < policy->count(); ++i) {
        QGraphicsLayoutItem* item = policy->itemAt(i);
        result << (item->graphicsItem() && item->graphicsItem()->isWidget()
                       ? static_cast<QGraphicsWidget*>(item->graphicsItem())->objectName()
                       : QStringLiteral("*"));
    }
    return result;
}

} // namespace

class TstLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void verticalStacking();
    void insertAtIndex_data();
    void insertAtIndex();
    void firstPolicyIsActive();
    void removeFromPolicyKeepsItemInLayout();
    void removeFromLayoutLeavesEveryPolicy();
    void switchingPolicyChangesVisibilityAndGeometry();
    void onlyItemsTheLayoutHidSeeTheLightAgain();
    void deletingAnItemInTheLayout();
    void deleteItemAndDeleteAt();
    void nestedLayouts();
    void heightForWidth();
    void stretchAndExpanding_data();
    void stretchAndExpanding();
    void horizontalSharing();
    void horizontalRightToLeft();
    void alignmentWithSmallerMaximum();
    void hiddenItemsTakeNoSpace();
    void sizeHintSumsItems();
    void destroyingParentWithEverything();

private:
    QScopedPointer<QGraphicsScene> m_scene;
    QGraphicsWidget* m_host = nullptr;
    Layout* m_layout = nullptr;
    LinearLayoutPolicy* m_policy = nullptr;
};

void TstLayout::init()
{
    m_scene.reset(new QGraphicsScene);
    m_host = new QGraphicsWidget;
    m_scene->addItem(m_host);
    m_layout = new Layout(m_host);
    QCOMPARE(m_host->layout(), m_layout);
    m_policy = new LinearLayoutPolicy(m_layout, Qt::Vertical);
    m_host->resize(300, 600);
}

void TstLayout::cleanup()
{
    m_scene.reset();
}

void TstLayout::verticalStacking()
{
    m_policy->setContentsMargins(4, 6, 8, 10);
    m_policy->setSpacing(3);
    QGraphicsWidget* a = box("a", 40);
    QGraphicsWidget* b = box("b", 25);
    m_policy->addItem(a);
    m_policy->addItem(b);
    QCOMPARE(a->parentItem(), m_host);   // joined the layout's widget
    TouchTest::settleLayouts();

    QCOMPARE(a->geometry(), QRectF(4, 6, 300 - 4 - 8, 40));
    QCOMPARE(b->geometry(), QRectF(4, 6 + 40 + 3, 300 - 4 - 8, 25));

    m_policy->setItemSpacing(0, 11);
    QCOMPARE(m_policy->itemSpacing(0), qreal(11));
    QCOMPARE(m_policy->itemSpacing(1), qreal(3));
    TouchTest::settleLayouts();
    QCOMPARE(b->geometry().top(), qreal(6 + 40 + 11));
}

void TstLayout::insertAtIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("front") << 0 << QStringList{"new", "a", "b", "c"};
    QTest::newRow("middle") << 2 << QStringList{"a", "b", "new", "c"};
    QTest::newRow("count appends") << 3 << QStringList{"a", "b", "c", "new"};
    QTest::newRow("beyond appends") << 17 << QStringList{"a", "b", "c", "new"};
    QTest::newRow("negative appends") << -1 << QStringList{"a", "b", "c", "new"};
}

void TstLayout::insertAtIndex()
{
    QFETCH(int, index);
    QFETCH(QStringList, expected);

    for (const char* name : {"a", "b", "c"})
        m_policy->addItem(box(QString::fromLatin1(name), 20));
    QGraphicsWidget* added = box("new", 20);
    m_policy->insertItem(index, added);
    QCOMPARE(names(m_policy), expected);
    QCOMPARE(m_policy->indexOf(added), expected.indexOf("new"));
    QCOMPARE(m_layout->count(), 4);
    QVERIFY(m_layout->indexOf(added) >= 0);

    // The order in the policy is the order on screen.
    TouchTest::settleLayouts();
    qreal lastTop = -1;
    for (int i = 0; i < m_policy->count(); ++i) {
        const qreal top = m_policy->itemAt(i)->geometry().top();
        QVERIFY(top > lastTop);
        lastTop = top;
    }

    // Inserting an item that is already there moves it.
    m_policy->insertItem(0, added);
    QCOMPARE(m_policy->indexOf(added), 0);
    QCOMPARE(m_policy->count(), 4);
}

void TstLayout::firstPolicyIsActive()
{
    auto* second = new LinearLayoutPolicy(m_layout, Qt::Horizontal);
    QVERIFY(m_policy->isActive());
    QVERIFY(!second->isActive());
    QCOMPARE(m_layout->policy(), m_policy);
    QCOMPARE(m_layout->registeredPolicies(), (QList<LinearLayoutPolicy*>{m_policy, second}));
    QCOMPARE(second->layout(), m_layout);
    second->activate();
    QCOMPARE(m_layout->policy(), second);
    QVERIFY(!m_policy->isActive());
    delete second;   // the layout falls back to the remaining policy
    QCOMPARE(m_layout->policy(), m_policy);
    QCOMPARE(m_layout->registeredPolicies().size(), 1);
}

void TstLayout::removeFromPolicyKeepsItemInLayout()
{
    QGraphicsWidget* a = box("a", 20);
    QPointer<QGraphicsWidget> b = box("b", 20);
    m_policy->addItem(a);
    m_policy->addItem(b);
    m_policy->removeItem(b);

    QVERIFY(b);
    QCOMPARE(m_policy->count(), 1);
    QCOMPARE(m_policy->indexOf(b), -1);
    QCOMPARE(m_layout->indexOf(b), 1);
    QVERIFY(!b->isVisible());   // in the layout, not in the active policy
    QCOMPARE(b->parentLayoutItem(), m_layout);

    m_policy->addItem(b);
    QVERIFY(b->isVisible());

    m_policy->removeAt(0);
    QCOMPARE(names(m_policy), QStringList{"b"});
    QVERIFY(!a->isVisible());
    QCOMPARE(m_layout->count(), 2);
}

void TstLayout::removeFromLayoutLeavesEveryPolicy()
{
    auto* other = new LinearLayoutPolicy(m_layout, Qt::Horizontal);
    QPointer<QGraphicsWidget> a = box("a", 20);
    QGraphicsWidget* b = box("b", 20);
    m_policy->addItem(a);
    m_policy->addItem(b);
    other->addItem(a);

    m_layout->removeItem(a);
    QVERIFY(a);   // removing never deletes
    QCOMPARE(m_layout->indexOf(a), -1);
    QCOMPARE(m_layout->count(), 1);
    QCOMPARE(m_policy->indexOf(a), -1);
    QCOMPARE(other->indexOf(a), -1);
    QCOMPARE(a->parentLayoutItem(), nullptr);
    QVERIFY(!a->isVisible());

    // Activating the other policy must not bring it back.
    other->activate();
    QVERIFY(!a->isVisible());
    delete a.data();
}

void TstLayout::switchingPolicyChangesVisibilityAndGeometry()
{
    auto* row = new LinearLayoutPolicy(m_layout, Qt::Horizontal);
    QGraphicsWidget* a = box("a", 30, 40);
    QGraphicsWidget* b = box("b", 30, 60);
    QGraphicsWidget* c = box("c", 30, 80);
    m_policy->addItem(a);
    m_policy->addItem(b);
    row->addItem(b);
    row->addItem(c);
    QVERIFY(a->isVisible());
    QVERIFY(b->isVisible());
    QVERIFY(!c->isVisible());   // only in the inactive policy

    TouchTest::settleLayouts();
    QCOMPARE(b->geometry().left(), qreal(0));
    QVERIFY(b->geometry().top() >= a->geometry().bottom());

    row->activate();
    QVERIFY(!a->isVisible());
    QVERIFY(b->isVisible());
    QVERIFY(c->isVisible());
    TouchTest::settleLayouts();
    QCOMPARE(b->geometry().top(), c->geometry().top());
    QCOMPARE(c->geometry().left(), b->geometry().right());

    m_policy->activate();
    QVERIFY(a->isVisible());
    QVERIFY(!c->isVisible());
    TouchTest::settleLayouts();
    QCOMPARE(b->geometry().left(), qreal(0));
}

void TstLayout::onlyItemsTheLayoutHidSeeTheLightAgain()
{
    auto* other = new LinearLayoutPolicy(m_layout, Qt::Vertical);
    QGraphicsWidget* a = box("a", 20);
    QGraphicsWidget* b = box("b", 20);
    m_policy->addItem(a);
    m_policy->addItem(b);
    other->addItem(b);

    a->hide();   // the caller's own decision
    other->activate();
    m_policy->activate();
    QVERIFY(!a->isVisible());
    QVERIFY(b->isVisible());

    // Hidden items take no room: b is at the top.
    TouchTest::settleLayouts();
    QCOMPARE(b->geometry().top(), qreal(0));
}

void TstLayout::deletingAnItemInTheLayout()
{
    auto* other = new LinearLayoutPolicy(m_layout, Qt::Vertical);
    QGraphicsWidget* a = box("a", 20);
    QGraphicsWidget* b = box("b", 30);
    QGraphicsWidget* c = box("c", 40);
    for (QGraphicsWidget* w : {a, b, c}) {
        m_policy->addItem(w);
        other->addItem(w);
    }
    TouchTest::settleLayouts();

    delete b;   // the item's destructor takes it out of layout and policies
    QCOMPARE(m_layout->count(), 2);
    QCOMPARE(names(m_policy), (QStringList{"a", "c"}));
    QCOMPARE(names(other), (QStringList{"a", "c"}));
    for (int i = 0; i < m_layout->count(); ++i)
        QVERIFY(m_layout->itemAt(i) == a || m_layout->itemAt(i) == c);

    // Relayout with the item gone: c moves up into its place.
    m_layout->invalidate();
    TouchTest::settleLayouts();
    QCOMPARE(c->geometry().top(), a->geometry().bottom());
    other->activate();
    m_host->resize(200, 400);
    TouchTest::settleLayouts();
    QCOMPARE(c->geometry().width(), qreal(200));
}

void TstLayout::deleteItemAndDeleteAt()
{
    QPointer<QGraphicsWidget> a = box("a", 20);
    QPointer<QGraphicsWidget> b = box("b", 20);
    m_policy->addItem(a);
    m_policy->addItem(b);
    m_layout->deleteItem(a);
    QVERIFY(!a);
    QCOMPARE(m_layout->count(), 1);
    QCOMPARE(m_policy->count(), 1);
    m_layout->deleteAt(0);
    QVERIFY(!b);
    QCOMPARE(m_layout->count(), 0);
    QCOMPARE(m_policy->count(), 0);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("deleteAt"));
    m_layout->deleteAt(0);   // nothing there: a warning, no crash
}

void TstLayout::nestedLayouts()
{
    auto* inner = new Layout;
    auto* innerPolicy = new LinearLayoutPolicy(inner, Qt::Horizontal);
    QGraphicsWidget* left = box("left", 30, 40);
    QGraphicsWidget* right = box("right", 30, 40);
    innerPolicy->addItem(left);
    innerPolicy->addItem(right);
    QGraphicsWidget* top = box("top", 20);
    m_policy->addItem(top);
    m_policy->addItem(inner);
    QCOMPARE(left->parentItem(), m_host);   // reparented through the nesting
    TouchTest::settleLayouts();
    QCOMPARE(left->geometry().top(), top->geometry().bottom());
    QCOMPARE(right->geometry().left(), left->geometry().right());

    // A second policy without the nested layout hides its widgets.
    auto* other = new LinearLayoutPolicy(m_layout, Qt::Vertical);
    other->addItem(top);
    other->activate();
    QVERIFY(!left->isVisible());
    QVERIFY(!right->isVisible());
    m_policy->activate();
    QVERIFY(left->isVisible());

    QPointer<QGraphicsWidget> guard = left;
    m_layout->deleteItem(inner);   // a nested layout is deleted, its widgets stay with the host
    QCOMPARE(m_layout->count(), 1);
    QVERIFY(guard);
    QCOMPARE(left->parentLayoutItem(), nullptr);
}

void TstLayout::heightForWidth()
{
    auto* label = new Touch::Label(QStringLiteral("Several words that will have to wrap onto more than one line "
                                                  "when the column is narrow enough for that to happen."));
    label->setWordWrap(true);
    QGraphicsWidget* below = box("below", 20);
    m_policy->addItem(label);
    m_policy->addItem(below);

    m_host->resize(480, 800);
    TouchTest::settleLayouts();
    const qreal wide = label->geometry().height();
    m_host->resize(200, 800);
    TouchTest::settleLayouts();
    const qreal narrow = label->geometry().height();
    QVERIFY2(narrow > wide, qPrintable(QStringLiteral("%1 <= %2").arg(narrow).arg(wide)));
    QCOMPARE(below->geometry().top(), label->geometry().bottom());
    // The layout's hint for a width agrees with what it lays out.
    QCOMPARE(m_layout->effectiveSizeHint(Qt::PreferredSize, QSizeF(200, -1)).height(),
             narrow + below->geometry().height());
}

void TstLayout::stretchAndExpanding_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("expanding");
    QTest::addColumn<bool>("lastAtBottom");
    QTest::addColumn<bool>("middleGrows");

    QTest::newRow("plain: spare at the bottom") << false << false << false << false;
    QTest::newRow("stretch pushes down") << true << false << true << false;
    QTest::newRow("expanding middle grows") << false << true << true << true;
}

void TstLayout::stretchAndExpanding()
{
    QFETCH(bool, stretch);
    QFETCH(bool, expanding);
    QFETCH(bool, lastAtBottom);
    QFETCH(bool, middleGrows);

    QGraphicsWidget* a = box("a", 20);
    QGraphicsWidget* mid = box("mid", 20);
    QGraphicsWidget* last = box("last", 20);
    if (expanding)
        mid->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_policy->addItem(a);
    m_policy->addItem(mid);
    if (stretch)
        m_policy->addStretch();
    m_policy->addItem(last);
    TouchTest::settleLayouts();

    QCOMPARE(last->geometry().bottom() == m_host->size().height(), lastAtBottom);
    QCOMPARE(mid->geometry().height() > 20, middleGrows);
    QCOMPARE(a->geometry().height(), qreal(20));
}

void TstLayout::horizontalSharing()
{
    m_policy->setOrientation(Qt::Horizontal);
    QCOMPARE(m_policy->orientation(), Qt::Horizontal);
    m_policy->setSpacing(10);
    QGraphicsWidget* a = box("a", 30, 50);
    QGraphicsWidget* b = box("b", 30, 70);
    QGraphicsWidget* c = box("c", 30, 50);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    for (QGraphicsWidget* w : {a, b, c})
        m_policy->addItem(w);
    TouchTest::settleLayouts();
    QCOMPARE(a->geometry().width(), qreal(50));
    QCOMPARE(c->geometry().width(), qreal(50));
    QCOMPARE(b->geometry().width(), qreal(300 - 50 - 50 - 2 * 10));
    QCOMPARE(c->geometry().right(), qreal(300));

    // Stretch factors win over the expanding policy.
    m_policy->setStretchFactor(c, 1);
    QCOMPARE(m_policy->stretchFactor(c), 1);
    TouchTest::settleLayouts();
    QCOMPARE(b->geometry().width(), qreal(70));
    QCOMPARE(c->geometry().width(), qreal(300 - 50 - 70 - 2 * 10));
}

void TstLayout::horizontalRightToLeft()
{
    m_policy->setOrientation(Qt::Horizontal);
    QGraphicsWidget* first = box("first", 30, 50);
    QGraphicsWidget* second = box("second", 30, 50);
    m_policy->addItem(first);
    m_policy->addItem(second);
    m_host->setLayoutDirection(Qt::RightToLeft);
    m_layout->invalidate();
    TouchTest::settleLayouts();
    QCOMPARE(first->geometry().right(), qreal(300));
    QCOMPARE(second->geometry().right(), first->geometry().left());
}

void TstLayout::alignmentWithSmallerMaximum()
{
    QGraphicsWidget* narrow = box("narrow", 20, 100);
    narrow->setMaximumWidth(100);
    QGraphicsWidget* wide = box("wide", 20, 100);
    m_policy->addItem(narrow, Qt::AlignHCenter);
    m_policy->addItem(wide, Qt::AlignRight);   // no maximum: still full width
    QCOMPARE(m_policy->alignment(narrow), Qt::AlignHCenter);
    TouchTest::settleLayouts();
    QCOMPARE(narrow->geometry(), QRectF(100, 0, 100, 20));
    QCOMPARE(wide->geometry().width(), qreal(300));

    m_policy->setAlignment(narrow, Qt::AlignRight);
    TouchTest::settleLayouts();
    QCOMPARE(narrow->geometry().left(), qreal(200));
}

void TstLayout::hiddenItemsTakeNoSpace()
{
    QGraphicsWidget* a = box("a", 20);
    QGraphicsWidget* b = box("b", 30);
    m_policy->addItem(a);
    m_policy->addItem(b);
    const qreal withBoth = m_layout->effectiveSizeHint(Qt::PreferredSize).height();
    a->hide();
    m_layout->invalidate();
    TouchTest::settleLayouts();
    QCOMPARE(b->geometry().top(), qreal(0));
    QCOMPARE(m_layout->effectiveSizeHint(Qt::PreferredSize).height(), withBoth - 20);
}

void TstLayout::sizeHintSumsItems()
{
    m_policy->setContentsMargins(1, 2, 3, 4);
    m_policy->setSpacing(5);
    QGraphicsWidget* a = box("a", 30, 80);
    QGraphicsWidget* b = box("b", 40, 120);
    m_policy->addItem(a);
    m_policy->addItem(b);
    qreal l, t, r, bottom;
    m_policy->getContentsMargins(&l, &t, &r, &bottom);
    QCOMPARE(QList<qreal>({l, t, r, bottom}), QList<qreal>({1, 2, 3, 4}));

    const QSizeF pa = a->effectiveSizeHint(Qt::PreferredSize);
    const QSizeF pb = b->effectiveSizeHint(Qt::PreferredSize);
    QCOMPARE(m_layout->effectiveSizeHint(Qt::PreferredSize),
             QSizeF(qMax(pa.width(), pb.width()) + 1 + 3, pa.height() + 5 + pb.height() + 2 + 4));

    m_policy->setOrientation(Qt::Horizontal);
    QCOMPARE(m_layout->effectiveSizeHint(Qt::PreferredSize),
             QSizeF(pa.width() + 5 + pb.width() + 1 + 3, qMax(pa.height(), pb.height()) + 2 + 4));
}

void TstLayout::destroyingParentWithEverything()
{
    auto* other = new LinearLayoutPolicy(m_layout, Qt::Horizontal);
    auto* inner = new Layout;
    auto* innerPolicy = new LinearLayoutPolicy(inner, Qt::Vertical);
    QPointer<QGraphicsWidget> a = box("a", 20);
    QPointer<QGraphicsWidget> b = box("b", 20);
    innerPolicy->addItem(b);
    m_policy->addItem(a);
    m_policy->addItem(inner);
    other->addItem(a);
    m_policy->addStretch();
    TouchTest::settleLayouts();

    delete m_host;   // layout, policies, nested layout, stretch, widgets: all gone
    m_host = nullptr;
    QVERIFY(!a);
    QVERIFY(!b);
}

QTEST_MAIN(TstLayout)
#include "tst_layout.moc"
