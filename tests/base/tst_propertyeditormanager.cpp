// The manager is what every editor page stands on: these tests pin down its
// binding rules, including the ones that keep editors from echoing and from
// dangling when pages rebuild their rows.
#include "base/buttongroupcontainer.h"
#include "base/propertyeditormanager.h"
#include "base/valuekeymapperif.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/textedit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

#include <memory>

using Velin::ButtonGroupContainer;
using Velin::PropertyEditorManager;

namespace {

using Map = QMap<QString, QVariant>;

// Chooses the key by the text's length, like the pre-shared key editors do.
class LengthMapper : public Velin::ValueKeyMapperIf
{
public:
    explicit LengthMapper(Touch::TextEdit *edit) : m_edit(edit) {}
    QString key() const override { return m_edit->text().size() == 4 ? QStringLiteral("raw") : QStringLiteral("phrase"); }
    QVariant value() const override { return m_edit->text(); }
    QStringList invalidKeys() const override
    {
        return {m_edit->text().size() == 4 ? QStringLiteral("phrase") : QStringLiteral("raw")};
    }

private:
    Touch::TextEdit *m_edit;
};

QStringList propertyNames(const QSignalSpy &spy)
{
    QStringList names;
    for (const auto &arguments : spy)
        names << arguments.at(0).toString();
    return names;
}

} // namespace

class TestPropertyEditorManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mapIsCopiedAndInvalidRemoves()
    {
        PropertyEditorManager manager({{"name", "office"}, {"gone", QVariant()}});
        QVERIFY(!manager.properties().contains("gone"));

        Map copy = manager.properties();
        copy.insert("name", "changed");
        QCOMPARE(manager.propertyValue("name").toString(), QString("office"));
        QVERIFY(!manager.propertyValue("absent").isValid());

        manager.setPropertyValue("name", QVariant());
        QVERIFY(!manager.properties().contains("name"));
        manager.setPropertyValue("x", 1);
        manager.setPropertyValueWithNotification("x", QVariant());
        QVERIFY(!manager.properties().contains("x"));
    }

    void textEditorShowsAndWritesBack_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("initial");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("string") << int(QVariant::String) << QVariant("abc") << "abc" << QVariant(QString("abcd"));
        QTest::newRow("bytes") << int(QVariant::ByteArray) << QVariant(QByteArray("abc")) << "abc"
                               << QVariant(QByteArray("abcd"));
        QTest::newRow("absent string") << int(QVariant::String) << QVariant() << "" << QVariant(QString("d"));
    }

    void textEditorShowsAndWritesBack()
    {
        QFETCH(int, type);
        QFETCH(QVariant, initial);
        QFETCH(QString, shown);
        QFETCH(QVariant, stored);

        PropertyEditorManager manager({{"key", initial}});
        QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
        std::unique_ptr<QGraphicsWidget> editor(manager.createEditor("key", QVariant::Type(type)));
        auto edit = qobject_cast<Touch::TextEdit *>(editor.get());
        QVERIFY(edit);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(changes.count(), 0);

        // A real keystroke, through the line edit that does the editing.
        QTest::keyClick(edit->lineEdit(), Qt::Key_End);
        QTest::keyClick(edit->lineEdit(), 'd');
        QCOMPARE(manager.propertyValue("key"), stored);
        QCOMPARE(manager.propertyValue("key").userType(), stored.userType());
        QCOMPARE(propertyNames(changes), QStringList{"key"});
    }

    void boolEditorIsCheckableSwitch()
    {
        PropertyEditorManager manager({{"autoconnect", true}});
        QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
        std::unique_ptr<QGraphicsWidget> editor(manager.createEditor("autoconnect", QVariant::Bool));
        auto button = qobject_cast<Touch::Button *>(editor.get());
        QVERIFY(button);
        QVERIFY(button->isCheckable());
        QVERIFY(button->isChecked());
        QCOMPARE(button->viewType(), QString(Touch::Button::SwitchType));

        button->click();
        QCOMPARE(manager.propertyValue("autoconnect"), QVariant(false));
        QCOMPARE(changes.count(), 1);
    }

    void unsupportedEditorTypeGivesNull()
    {
        PropertyEditorManager manager;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no editor for property \"n\""));
        QVERIFY(!manager.createEditor("n", QVariant::Rect));
    }

    void choiceEditorKindFollowsLimit_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("buttonGroup");
        QTest::newRow("limit 0, one entry") << 0 << 1 << false;
        QTest::newRow("limit 1, one entry") << 1 << 1 << false;
        QTest::newRow("limit 1, two entries") << 1 << 2 << false;
        QTest::newRow("limit 5, four entries") << 5 << 4 << true;
        QTest::newRow("limit 4, four entries") << 4 << 4 << false;
        QTest::newRow("limit 2, one entry") << 2 << 1 << true;
    }

    void choiceEditorKindFollowsLimit()
    {
        QFETCH(int, limit);
        QFETCH(int, entries);
        QFETCH(bool, buttonGroup);
        PropertyEditorManager manager;
        manager.setButtonGroupLimit(limit);
        QCOMPARE(manager.buttonGroupLimit(), limit);
        QStringList labels;
        QList<QVariant> values;
        for (int i = 0; i < entries; ++i) {
            labels << QString::number(i);
            values << i;
        }
        std::unique_ptr<QGraphicsWidget> editor(manager.createEditor("k", labels, values));
        QCOMPARE(qobject_cast<ButtonGroupContainer *>(editor.get()) != nullptr, buttonGroup);
        QCOMPARE(qobject_cast<Touch::ComboBox *>(editor.get()) != nullptr, !buttonGroup);
        if (buttonGroup)
            QCOMPARE(static_cast<ButtonGroupContainer *>(editor.get())->count(), entries);
        else
            QCOMPARE(static_cast<Touch::ComboBox *>(editor.get())->count(), entries);
    }

    void comboChoiceStoresAndSelects_data()
    {
        QTest::addColumn<QVariant>("initial");
        QTest::addColumn<int>("selected");
        QTest::newRow("stored value") << QVariant("WLAN_ADHOC") << 1;
        QTest::newRow("absent: the first entry is shown") << QVariant() << 0;
        QTest::newRow("value of no entry") << QVariant("WLAN_OTHER") << -1;
    }

    void comboChoiceStoresAndSelects()
    {
        QFETCH(QVariant, initial);
        QFETCH(int, selected);
        PropertyEditorManager manager({{"type", initial}});
        manager.setButtonGroupLimit(1);
        QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
        std::unique_ptr<QGraphicsWidget> editor(
            manager.createEditor("type", {"Infrastructure", "Ad hoc"}, {"WLAN_INFRA", "WLAN_ADHOC"}));
        auto combo = qobject_cast<Touch::ComboBox *>(editor.get());
        QVERIFY(combo);
        QCOMPARE(combo->itemText(0), QString("Infrastructure"));
        QCOMPARE(combo->currentIndex(), selected);
        QCOMPARE(changes.count(), 0);

        // Choosing another row stores its value.
        const int other = selected == 0 ? 1 : 0;
        combo->setCurrentIndex(other);
        QCOMPARE(manager.propertyValue("type"), QVariant(other == 0 ? "WLAN_INFRA" : "WLAN_ADHOC"));
        QCOMPARE(changes.count(), 1);

        manager.setPropertyValueWithNotification("type", "WLAN_ADHOC");
        QCOMPARE(combo->currentIndex(), 1);
        manager.setPropertyValueWithNotification("type", "WLAN_OTHER");
        QCOMPARE(combo->currentIndex(), -1);
        manager.setPropertyValueWithNotification("type", QVariant());
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(!manager.properties().contains("type"));
        QCOMPARE(changes.count(), 4);  // the three notifications, no echo from the combo box
    }

    void shownFirstEntryIsStoredWhenPicked()
    {
        // An absent value shows the first entry; picking that entry in the
        // popup (no index change) still stores it.
        PropertyEditorManager manager;
        manager.setButtonGroupLimit(0);
        QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
        std::unique_ptr<QGraphicsWidget> editor(manager.createEditor("wlan_security", {"None", "WEP"}, {"NONE", "WEP"}));
        auto combo = qobject_cast<Touch::ComboBox *>(editor.get());
        QVERIFY(combo);
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(!manager.properties().contains("wlan_security"));
        Q_EMIT combo->activated(0);
        QCOMPARE(manager.propertyValue("wlan_security"), QVariant("NONE"));
        QCOMPARE(changes.count(), 1);
        Q_EMIT combo->activated(0);  // the same choice again is no change
        QCOMPARE(changes.count(), 1);
    }

    void buttonGroupChoiceStoresAndSelects()
    {
        PropertyEditorManager manager({{"wlan_wepdefkey", 2}});
        manager.setButtonGroupLimit(5);
        QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
        std::unique_ptr<QGraphicsWidget> editor(
            manager.createEditor("wlan_wepdefkey", {"1", "2", "3", "4"}, {1, 2, 3, 4}));
        auto group = qobject_cast<ButtonGroupContainer *>(editor.get());
        QVERIFY(group);
        QCOMPARE(group->checkedIndex(), 1);
        QVERIFY(group->button(1)->isChecked());

        group->button(2)->click();
        QCOMPARE(manager.propertyValue("wlan_wepdefkey"), QVariant(3));
        QCOMPARE(propertyNames(changes), QStringList{"wlan_wepdefkey"});

        manager.setPropertyValue("wlan_wepdefkey", 9);  // silent: the group keeps its state
        QCOMPARE(group->checkedIndex(), 2);
        manager.setPropertyValueWithNotification("wlan_wepdefkey", 9);
        QCOMPARE(group->checkedIndex(), -1);
        for (int i = 0; i < group->count(); ++i)
            QVERIFY(!group->button(i)->isChecked());
    }

    void bindExistingEditors()
    {
        PropertyEditorManager manager({{"wlan_ssid", QByteArray("net")}, {"hidden", true}});
        Touch::TextEdit ssid;
        Touch::Button hidden;
        QVERIFY(manager.bindEditor(&ssid, "wlan_ssid", QVariant::ByteArray));
        QVERIFY(manager.bindEditor(&hidden, "hidden", QVariant::Bool));
        QCOMPARE(ssid.text(), QString("net"));
        QVERIFY(hidden.isCheckable());
        QVERIFY(hidden.isChecked());

        ssid.setText("new net");
        QCOMPARE(manager.propertyValue("wlan_ssid"), QVariant(QByteArray("new net")));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot edit property \"hidden\""));
        QVERIFY(!manager.bindEditor(&hidden, "hidden", QVariant::String));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("null editor"));
        QVERIFY(!manager.bindEditor(nullptr, "hidden", QVariant::Bool));
    }

    void modelBinding()
    {
        QStandardItemModel model;
        auto addRow = [&model](const QString &name, const QVariant &value) {
            auto nameItem = new QStandardItem(name);
            auto valueItem = new QStandardItem;
            valueItem->setData(value, Qt::DisplayRole);
            model.appendRow({nameItem, valueItem});
        };
        addRow("none", QString(""));
        addRow("alice", QString("/certs/alice.pem"));
        addRow("bob", QString("/certs/bob.pem"));

        PropertyEditorManager manager({{"cert", QString("/certs/bob.pem")}});
        QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
        Touch::ComboBox combo;
        QVERIFY(manager.bindEditor(&combo, "cert", &model, 1));
        QCOMPARE(combo.itemModel(), &model);
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.currentIndex(), 2);
        QCOMPARE(changes.count(), 0);

        combo.setCurrentIndex(1);
        QCOMPARE(manager.propertyValue("cert"), QVariant(QString("/certs/alice.pem")));
        QCOMPARE(changes.count(), 1);

        // A silent store is not shown until the combo box is bound again, which
        // also picks up rows that the model gained meanwhile.
        addRow("carol", QString("/certs/carol.pem"));
        manager.setPropertyValue("cert", QString("/certs/carol.pem"));
        QCOMPARE(combo.currentIndex(), 1);
        QVERIFY(manager.bindEditor(&combo, "cert", &model, 1));
        QCOMPARE(combo.currentIndex(), 3);
        QCOMPARE(changes.count(), 1);

        // Rebinding replaced the binding rather than adding a second one.
        combo.setCurrentIndex(0);
        QCOMPARE(manager.propertyValue("cert"), QVariant(QString("")));
        QCOMPARE(changes.count(), 2);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("needs a combo box and a model"));
        QVERIFY(!manager.bindEditor(&combo, "cert", nullptr, 1));
    }

    void modelBindingFollowsRefilledModel()
    {
        QStandardItemModel model;
        model.appendRow({new QStandardItem("none"), new QStandardItem});
        PropertyEditorManager manager({{"id", QByteArray("b")}});
        Touch::ComboBox combo;
        manager.bindEditor(&combo, "id", &model, 1);
        QCOMPARE(combo.currentIndex(), -1);

        // The row holding the stored value arrives later (a filter changed).
        auto valueItem = new QStandardItem;
        valueItem->setData(QByteArray("b"), Qt::DisplayRole);
        model.appendRow({new QStandardItem("b"), valueItem});
        QCOMPARE(combo.currentIndex(), 1);
        QCOMPARE(manager.propertyValue("id"), QVariant(QByteArray("b")));
    }

    void mapperBinding()
    {
        PropertyEditorManager manager({{"raw", "beef"}, {"other", 1}});
        QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
        Touch::TextEdit edit;
        LengthMapper mapper(&edit);
        QVERIFY(manager.bindEditor(&edit, &mapper));

        edit.setText("passphrase");
        QCOMPARE(manager.propertyValue("phrase"), QVariant(QString("passphrase")));
        QVERIFY(!manager.properties().contains("raw"));
        QCOMPARE(manager.propertyValue("other"), QVariant(1));

        edit.setText("cafe");
        QCOMPARE(manager.propertyValue("raw"), QVariant(QString("cafe")));
        QVERIFY(!manager.properties().contains("phrase"));
        QCOMPARE(propertyNames(changes), (QStringList{"phrase", "raw"}));
        QCOMPARE(manager.widgetForProperty("raw"), &edit);
    }

    void mapperMayDieBeforeItsEdit()
    {
        // Pages make a new mapper on every rebuild; the old edit lives on,
        // hidden and still bound, after its mapper is gone.
        PropertyEditorManager manager({{"name", "n"}});
        Touch::TextEdit edit;
        auto mapper = new LengthMapper(&edit);
        QVERIFY(manager.bindEditor(&edit, mapper));
        edit.setText("cafe");
        delete mapper;
        QCOMPARE(manager.widgetForProperty("raw"), &edit);
        QVERIFY(!manager.widgetForProperty("name"));
        QVERIFY(!manager.widgetForProperty("phrase"));
    }

    void mapperEditShowsNotifiedValue_data()
    {
        QTest::addColumn<Map>("silent");  // stored before the notification, without one
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");  // invalid removes
        QTest::addColumn<QString>("text");
        QTest::newRow("new phrase") << Map{} << "phrase" << QVariant("other text") << "other text";
        QTest::newRow("other key held") << Map{{"raw", "cafe"}} << "phrase" << QVariant("left over") << "left over";
        QTest::newRow("phrase removed, raw held") << Map{{"raw", "beef"}} << "phrase" << QVariant() << "beef";
        QTest::newRow("both gone") << Map{} << "phrase" << QVariant() << "";
        QTest::newRow("raw stored") << Map{{"phrase", QVariant()}} << "raw" << QVariant("f00d") << "f00d";
        // "abcd" as text would be written as raw, never as phrase: nothing shows it.
        QTest::newRow("no text gives it") << Map{} << "phrase" << QVariant("abcd") << "passphrase";
    }

    void mapperEditShowsNotifiedValue()
    {
        QFETCH(Map, silent);
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, text);

        PropertyEditorManager manager;
        Touch::TextEdit edit;
        LengthMapper mapper(&edit);
        QVERIFY(manager.bindEditor(&edit, &mapper));
        edit.setText("passphrase");
        for (auto it = silent.cbegin(); it != silent.cend(); ++it)
            manager.setPropertyValue(it.key(), it.value());
        const Map before = manager.properties();
        QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
        if (text == "passphrase" && value.isValid())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("\"phrase\" cannot show its stored value"));

        manager.setPropertyValueWithNotification(key, value);
        QCOMPARE(edit.text(), text);
        QCOMPARE(manager.widgetForProperty(text.size() == 4 ? "raw" : "phrase"), &edit);
        Map expected = before;
        if (value.isValid())
            expected.insert(key, value);
        else
            expected.remove(key);
        QCOMPARE(manager.properties(), expected);  // showing wrote nothing back
        QCOMPARE(propertyNames(changes), QStringList{key});
    }

    void silentStoreLeavesEditors()
    {
        PropertyEditorManager manager({{"name", "a"}});
        QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
        std::unique_ptr<QGraphicsWidget> editor(manager.createEditor("name", QVariant::String));
        auto edit = static_cast<Touch::TextEdit *>(editor.get());
        QSignalSpy textChanges(edit, &Touch::TextEdit::textChanged);

        manager.setPropertyValue("name", "b");
        QCOMPARE(edit->text(), QString("a"));
        QCOMPARE(changes.count(), 0);
        QCOMPARE(textChanges.count(), 0);

        manager.setPropertyValueWithNotification("name", "c");
        QCOMPARE(edit->text(), QString("c"));
        QCOMPARE(textChanges.count(), 1);  // others watching the edit still see the new text
        QCOMPARE(propertyNames(changes), QStringList{"name"});

        // A notification is sent even when the value did not change.
        manager.setPropertyValueWithNotification("name", "c");
        QCOMPARE(changes.count(), 2);
    }

    void severalEditorsOnOneKey()
    {
        PropertyEditorManager manager({{"wlan_wepkey1", "12345"}});
        QSignalSpy changes(&manager, &PropertyEditorManager::propertyChanged);
        Touch::TextEdit first;
        auto second = new Touch::TextEdit;
        manager.bindEditor(&first, "wlan_wepkey1", QVariant::String);
        manager.bindEditor(second, "wlan_wepkey1", QVariant::String);
        QCOMPARE(manager.widgetForProperty("wlan_wepkey1"), second);

        first.setText("abcde");
        QCOMPARE(second->text(), QString("abcde"));
        QCOMPARE(changes.count(), 1);  // the second editor's update did not echo

        delete second;  // rows are rebuilt all the time
        QCOMPARE(manager.widgetForProperty("wlan_wepkey1"), &first);
        manager.setPropertyValueWithNotification("wlan_wepkey1", "zzzzz");
        QCOMPARE(first.text(), QString("zzzzz"));

        manager.unbindEditor(&first);
        QVERIFY(!manager.widgetForProperty("wlan_wepkey1"));
        first.setText("ignored");
        QCOMPARE(manager.propertyValue("wlan_wepkey1").toString(), QString("zzzzz"));
    }

    void receiverMayDestroyTheEditor()
    {
        // Pages rebuild their rows from propertyChanged, destroying the editor
        // whose change is being reported.
        PropertyEditorManager manager({{"type", 1}});
        manager.setButtonGroupLimit(0);
        QPointer<QGraphicsWidget> editor = manager.createEditor("type", {"a", "b"}, {1, 2});
        Touch::TextEdit other;
        manager.bindEditor(&other, "type", QVariant::String);
        connect(&manager, &PropertyEditorManager::propertyChanged, this, [&editor] { delete editor.data(); });
        static_cast<Touch::ComboBox *>(editor.data())->setCurrentIndex(1);
        QVERIFY(editor.isNull());
        QCOMPARE(manager.propertyValue("type"), QVariant(2));
        QCOMPARE(manager.widgetForProperty("type"), &other);
    }

    void managerDiesBeforeEditors()
    {
        Touch::TextEdit edit;
        {
            PropertyEditorManager manager({{"name", "a"}});
            manager.bindEditor(&edit, "name", QVariant::String);
        }
        edit.setText("still fine");
        QCOMPARE(edit.text(), QString("still fine"));
    }
};

QTEST_MAIN(TestPropertyEditorManager)
#include "tst_propertyeditormanager.moc"
