#include "touchtesthelpers.h"

#include "touch/button.h"
#include "touch/combobox.h"

#include <QGraphicsScene>
#include <QScopedPointer>
#include <QStandardItemModel>
#include <QStringListModel>

using Touch::ComboBox;

namespace {

// The popup's tappable rows, in order.
QList<Touch::Button*> popupRows(QGraphicsItem* popup)
{
    QList<Touch::Button*> rows;
    QList<QGraphicsItem*> pending{popup};
    while (!pending.isEmpty()) {
        QGraphicsItem* item = pending.takeFirst();
        pending += item->childItems();
        if (item->isWidget()) {
            auto* b = qobject_cast<Touch::Button*>(static_cast<QGraphicsWidget*>(item));
            if (b && b->objectName() == QLatin1String("ComboBoxPopupRow"))
                rows.append(b);
        }
    }
    std::sort(rows.begin(), rows.end(), [](Touch::Button* a, Touch::Button* b) {
        return a->property("row").toInt() < b->property("row").toInt();
    });
    return rows;
}

QGraphicsWidget* findPopup(QGraphicsItem* root)
{
    for (QGraphicsItem* child : root->childItems()) {
        if (child->isWidget() && child->isVisible()
            && static_cast<QGraphicsWidget*>(child)->objectName() == QLatin1String("ComboBoxPopup"))
            return static_cast<QGraphicsWidget*>(child);
    }
    return nullptr;
}

} // namespace

class TstComboBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsWithNothingSelected();
    void setCurrentIndex_data();
    void setCurrentIndex();
    void currentIndexFollowsModel_data();
    void currentIndexFollowsModel();
    void newModelResetsIndex();
    void modelOwnership();
    void deletedModel();
    void addItemToExternalModel();
    void tapOpensPopupAndPickingARowSelectsIt_data();
    void tapOpensPopupAndPickingARowSelectsIt();
    void tapOutsideDismisses();
    void receiverDeletesComboOnPick();
    void popupWithoutWindow();
    void properties();

private:
    QScopedPointer<Touch::ApplicationWindow> m_window;
    QPointer<ComboBox> m_combo;
};

void TstComboBox::init()
{
    m_window.reset(new Touch::ApplicationWindow);
    QVERIFY(TouchTest::showActive(m_window.data()));
    m_combo = new ComboBox;
    m_combo->setTitle(QStringLiteral("Security"));
    TouchTest::appearSheet(m_window.data(), {m_combo});
}

void TstComboBox::cleanup()
{
    m_window.reset();
}

void TstComboBox::startsWithNothingSelected()
{
    QCOMPARE(m_combo->currentIndex(), -1);
    QCOMPARE(m_combo->count(), 0);
    QSignalSpy changed(m_combo.data(), &ComboBox::currentIndexChanged);
    m_combo->addItems({QStringLiteral("None"), QStringLiteral("WEP")});
    m_combo->addItem(QStringLiteral("WPA"));
    QCOMPARE(m_combo->count(), 3);
    QCOMPARE(m_combo->currentIndex(), -1);   // adding rows never selects one
    QCOMPARE(m_combo->currentText(), QString());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_combo->itemText(2), QStringLiteral("WPA"));
    QCOMPARE(m_combo->itemText(3), QString());
}

void TstComboBox::setCurrentIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected");

    QTest::newRow("first") << 0 << 0;
    QTest::newRow("last") << 2 << 2;
    QTest::newRow("past the end") << 3 << -1;
    QTest::newRow("negative") << -5 << -1;
    QTest::newRow("minus one") << -1 << -1;
}

void TstComboBox::setCurrentIndex()
{
    QFETCH(int, index);
    QFETCH(int, expected);

    m_combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    m_combo->setCurrentIndex(1);
    QSignalSpy changed(m_combo.data(), &ComboBox::currentIndexChanged);
    m_combo->setCurrentIndex(index);
    QCOMPARE(m_combo->currentIndex(), expected);
    QCOMPARE(m_combo->property("currentIndex").toInt(), expected);
    QCOMPARE(m_combo->currentText(), m_combo->itemText(expected));
    QCOMPARE(changed.count(), expected == 1 ? 0 : 1);
    if (!changed.isEmpty())
        QCOMPARE(changed.first().first().toInt(), expected);
}

void TstComboBox::currentIndexFollowsModel_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("expected");

    // The model holds a, b, c, d, e with c (row 2) current.
    QTest::newRow("insert before") << "insert 0" << 3;
    QTest::newRow("insert after") << "insert 4" << 2;
    QTest::newRow("remove before") << "remove 0" << 1;
    QTest::newRow("remove two before") << "remove 0 2" << 0;
    QTest::newRow("remove after") << "remove 3" << 2;
    QTest::newRow("remove current") << "remove 2" << -1;
    QTest::newRow("remove range with current") << "remove 1 3" << -1;
    QTest::newRow("move current to front") << "move 2 0" << 0;
    QTest::newRow("move other behind current") << "move 0 4" << 1;
    QTest::newRow("reset") << "reset" << -1;
    QTest::newRow("data change") << "set 2" << 2;
}

void TstComboBox::currentIndexFollowsModel()
{
    QFETCH(QString, operation);
    QFETCH(int, expected);

    auto* model = new QStringListModel({"a", "b", "c", "d", "e"}, this);
    m_combo->setItemModel(model);
    m_combo->setCurrentIndex(2);
    QCOMPARE(m_combo->currentText(), QStringLiteral("c"));
    QSignalSpy changed(m_combo.data(), &ComboBox::currentIndexChanged);

    const QStringList op = operation.split(QLatin1Char(' '));
    const int arg = op.value(1).toInt();
    if (op[0] == QLatin1String("insert")) {
        QVERIFY(model->insertRows(arg, 1));
    } else if (op[0] == QLatin1String("remove")) {
        QVERIFY(model->removeRows(arg, op.size() > 2 ? op[2].toInt() : 1));
    } else if (op[0] == QLatin1String("move")) {
        const int to = op[2].toInt();
        QVERIFY(model->moveRows(QModelIndex(), arg, 1, QModelIndex(), to > arg ? to + 1 : to));
    } else if (op[0] == QLatin1String("reset")) {
        model->setStringList({"x", "y", "z"});
    } else if (op[0] == QLatin1String("set")) {
        QVERIFY(model->setData(model->index(arg, 0), QStringLiteral("C!")));
    }

    QCOMPARE(m_combo->currentIndex(), expected);
    QCOMPARE(changed.count(), expected == 2 ? 0 : 1);
    if (expected >= 0) {
        QCOMPARE(changed.isEmpty() ? expected : changed.last().first().toInt(), expected);
        QVERIFY(m_combo->currentText().startsWith(QLatin1Char('c')) || m_combo->currentText() == "C!");
    }
    QCOMPARE(m_combo->count(), model->rowCount());
    delete model;
}

void TstComboBox::newModelResetsIndex()
{
    m_combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
    m_combo->setCurrentIndex(1);
    QSignalSpy changed(m_combo.data(), &ComboBox::currentIndexChanged);

    QStringListModel other({"x", "y", "z"});
    m_combo->setItemModel(&other);
    QCOMPARE(m_combo->itemModel(), &other);
    QCOMPARE(m_combo->currentIndex(), -1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), -1);

    QStringListModel third({"p"});
    m_combo->setItemModel(&third);   // -1 stays -1: no signal
    QCOMPARE(changed.count(), 1);
    m_combo->setItemModel(nullptr);
    QCOMPARE(m_combo->count(), 0);
}

void TstComboBox::modelOwnership()
{
    // A model set from outside is never taken, not even one without parent:
    // it may live on the caller's stack.
    QStringListModel onStack({"a"});
    m_combo->setItemModel(&onStack);
    QCOMPARE(onStack.QObject::parent(), nullptr);

    QObject owner;
    QPointer<QStringListModel> owned = new QStringListModel({"b"}, &owner);
    m_combo->setItemModel(owned);
    QCOMPARE(owned->QObject::parent(), &owner);

    // The combo box's own model (made by addItem) goes with it.
    m_combo->setItemModel(nullptr);
    m_combo->addItem(QStringLiteral("own"));
    QPointer<QAbstractItemModel> internal = m_combo->itemModel();
    QVERIFY(internal);
    m_combo->setItemModel(&onStack);
    QVERIFY(!internal);  // replaced: the internal model is freed
    delete m_combo.data();
    QVERIFY(owned);
    QCOMPARE(onStack.rowCount(), 1);
}

void TstComboBox::deletedModel()
{
    auto* model = new QStringListModel({"a", "b"});
    QObject owner;
    model->setParent(&owner);
    m_combo->setItemModel(model);
    m_combo->setCurrentIndex(0);
    QSignalSpy changed(m_combo.data(), &ComboBox::currentIndexChanged);
    delete model;
    QCOMPARE(m_combo->itemModel(), nullptr);
    QCOMPARE(m_combo->count(), 0);
    QCOMPARE(m_combo->currentIndex(), -1);
    QCOMPARE(changed.count(), 1);
    m_combo->addItem(QStringLiteral("again"));   // a fresh internal model
    QCOMPARE(m_combo->count(), 1);
}

void TstComboBox::addItemToExternalModel()
{
    QStandardItemModel model;
    model.appendRow(new QStandardItem(QStringLiteral("first")));
    m_combo->setItemModel(&model);
    m_combo->addItem(QStringLiteral("second"));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(m_combo->itemText(1), QStringLiteral("second"));
}

void TstComboBox::tapOpensPopupAndPickingARowSelectsIt_data()
{
    QTest::addColumn<int>("initial");
    QTest::addColumn<int>("picked");

    QTest::newRow("first pick") << -1 << 1;
    QTest::newRow("change") << 0 << 2;
    QTest::newRow("same row again") << 2 << 2;
}

void TstComboBox::tapOpensPopupAndPickingARowSelectsIt()
{
    QFETCH(int, initial);
    QFETCH(int, picked);

    m_combo->addItems({QStringLiteral("None"), QStringLiteral("WEP"), QStringLiteral("WPA")});
    m_combo->setCurrentIndex(initial);
    QSignalSpy changed(m_combo.data(), &ComboBox::currentIndexChanged);
    QSignalSpy activated(m_combo.data(), &ComboBox::activated);

    TouchTest::tap(m_window.data(), m_combo);
    QVERIFY(m_combo->isPopupVisible());
    QGraphicsWidget* popup = findPopup(m_window->overlayLayer());
    QVERIFY(popup);   // above every scene window
    TouchTest::settleLayouts();
    const QList<Touch::Button*> rows = popupRows(popup);
    QCOMPARE(rows.size(), 3);
    for (int r = 0; r < rows.size(); ++r) {
        QCOMPARE(rows[r]->text(), m_combo->itemText(r));
        QCOMPARE(rows[r]->isChecked(), r == initial);   // the current row is marked
    }

    TouchTest::tap(m_window.data(), rows[picked]);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.first().first().toInt(), picked);
    QCOMPARE(m_combo->currentIndex(), picked);
    QCOMPARE(changed.count(), initial == picked ? 0 : 1);
    QVERIFY(!m_combo->isPopupVisible());
    QTRY_VERIFY(!findPopup(m_window->overlayLayer()));
}

void TstComboBox::receiverDeletesComboOnPick()
{
    // Pages rebuild their rows when a choice changes, deleting the very
    // combo box that reported it.
    m_combo->addItems({QStringLiteral("TLS"), QStringLiteral("PEAP")});
    m_combo->setCurrentIndex(0);
    connect(m_combo.data(), &ComboBox::currentIndexChanged, this, [this] { delete m_combo.data(); });
    TouchTest::tap(m_window.data(), m_combo);
    TouchTest::settleLayouts();
    const QList<Touch::Button*> rows = popupRows(findPopup(m_window->overlayLayer()));
    QCOMPARE(rows.size(), 2);
    TouchTest::tap(m_window.data(), rows[1]);
    QVERIFY(m_combo.isNull());
    QTRY_VERIFY(!findPopup(m_window->overlayLayer()));
}

void TstComboBox::tapOutsideDismisses()
{
    m_combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
    m_combo->setCurrentIndex(0);
    QSignalSpy activated(m_combo.data(), &ComboBox::activated);
    m_combo->showPopup();
    QVERIFY(m_combo->isPopupVisible());
    TouchTest::settleLayouts();
    // The top left corner is backdrop, not card.
    QTest::mouseClick(m_window->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QVERIFY(!m_combo->isPopupVisible());
    QCOMPARE(activated.count(), 0);
    QCOMPARE(m_combo->currentIndex(), 0);
}

void TstComboBox::popupWithoutWindow()
{
    QGraphicsScene scene;
    auto* combo = new ComboBox;
    scene.addItem(combo);
    combo->addItems({QStringLiteral("x"), QStringLiteral("y")});
    combo->showPopup();
    QVERIFY(combo->isPopupVisible());
    QGraphicsWidget* popup = findPopup(combo);   // a child item when there is no window
    QVERIFY(popup);
    QSignalSpy activated(combo, &ComboBox::activated);
    popupRows(popup).at(1)->click();
    QCOMPARE(activated.count(), 1);
    QCOMPARE(combo->currentIndex(), 1);
    QVERIFY(!combo->isPopupVisible());
    combo->showPopup();
    combo->hidePopup();
    QVERIFY(!combo->isPopupVisible());
}

void TstComboBox::properties()
{
    m_combo->setIconID(QStringLiteral("icon-m-common-wlan"));
    m_combo->setIconVisible(true);
    QCOMPARE(m_combo->property("title").toString(), QStringLiteral("Security"));
    QCOMPARE(m_combo->property("iconVisible").toBool(), true);
    QCOMPARE(m_combo->property("iconID").toString(), QStringLiteral("icon-m-common-wlan"));
    m_combo->addItem(QStringLiteral("only"));
    QCOMPARE(m_combo->property("count").toInt(), 1);
    m_combo->setCurrentIndex(0);
    QCOMPARE(m_combo->property("currentText").toString(), QStringLiteral("only"));
    TouchTest::settleLayouts();
    QVERIFY(m_combo->size().height() >= 64);   // a touch-sized row
}

QTEST_MAIN(TstComboBox)
#include "tst_combobox.moc"
