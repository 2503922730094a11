#include "base/internetaccesspointeditorinterface.h"

#include <QGraphicsWidget>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QtTest>

namespace {

// An editor that, like most, does not repeat Q_INTERFACES itself.
class MinimalEditor : public InternetAccessPointEditorInterface
{
    Q_OBJECT

public:
    QString editorTitle() override { return QStringLiteral("Minimal"); }
    QGraphicsWidget* editorWidget(QGraphicsWidget* parent) const override { return new QGraphicsWidget(parent); }
    QList<QGraphicsWidget*> advancedSettingsEditorWidgets(QGraphicsWidget*) const override { return {}; }
    int validate(bool silent, bool) const override { return silent ? InvalidSilent : InvalidReported; }
    int validateAdvancedSettings(bool) const override { return Valid; }
    bool mandatoryValuesProvided() const override { return provided; }

    void setProvided(bool value)
    {
        provided = value;
        Q_EMIT mandatoryValuesProvidedChanged(value);
    }

    int saved = 0;

public Q_SLOTS:
    void saveChanges() override { ++saved; }

private:
    bool provided = false;
};

} // namespace

class tst_InternetAccessPointEditorInterface : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void castByInterface();
    void metaObjectNames_data();
    void metaObjectNames();
    void validationConstants();
    void saveChangesIsASlot();
};

void tst_InternetAccessPointEditorInterface::castByInterface()
{
    MinimalEditor editor;
    QObject* object = &editor;
    QCOMPARE(qobject_cast<InternetAccessPointEditorInterface*>(object),
             static_cast<InternetAccessPointEditorInterface*>(&editor));
    QVERIFY(object->qt_metacast("com.qorva.InternetAccessPointEditorInterface"));
    QVERIFY(object->inherits("InternetAccessPointEditorInterface"));
    QCOMPARE(qobject_interface_iid<InternetAccessPointEditorInterface*>(),
             "com.qorva.InternetAccessPointEditorInterface");

    QObject plain;
    QVERIFY(!qobject_cast<InternetAccessPointEditorInterface*>(&plain));
}

void tst_InternetAccessPointEditorInterface::metaObjectNames_data()
{
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<int>("methodType");

    QTest::newRow("mandatoryValuesProvidedChanged") << QByteArray("mandatoryValuesProvidedChanged(bool)")
                                                    << int(QMetaMethod::Signal);
    QTest::newRow("forgetActivated") << QByteArray("forgetActivated()") << int(QMetaMethod::Signal);
    QTest::newRow("advancedSettingsActivated") << QByteArray("advancedSettingsActivated()")
                                               << int(QMetaMethod::Signal);
    QTest::newRow("saveChanges") << QByteArray("saveChanges()") << int(QMetaMethod::Slot);
}

void tst_InternetAccessPointEditorInterface::metaObjectNames()
{
    QFETCH(QByteArray, signature);
    QFETCH(int, methodType);

    const QMetaObject& meta = InternetAccessPointEditorInterface::staticMetaObject;
    QCOMPARE(meta.className(), "InternetAccessPointEditorInterface");
    const int index = meta.indexOfMethod(signature.constData());
    QVERIFY2(index >= 0, signature.constData());
    QCOMPARE(int(meta.method(index).methodType()), methodType);
    QCOMPARE(meta.method(index).access(), QMetaMethod::Public);
}

void tst_InternetAccessPointEditorInterface::validationConstants()
{
    QCOMPARE(int(InternetAccessPointEditorInterface::Valid), 0);
    QCOMPARE(int(InternetAccessPointEditorInterface::InvalidReported), 1);
    QCOMPARE(int(InternetAccessPointEditorInterface::InvalidSilent), 2);
}

void tst_InternetAccessPointEditorInterface::saveChangesIsASlot()
{
    MinimalEditor editor;
    QSignalSpy provided(&editor, &InternetAccessPointEditorInterface::mandatoryValuesProvidedChanged);
    // Hosts reach the editor only through the interface's meta-object.
    QVERIFY(QMetaObject::invokeMethod(&editor, "saveChanges"));
    QCOMPARE(editor.saved, 1);
    editor.setProvided(true);
    QCOMPARE(provided.count(), 1);
    QCOMPARE(provided.at(0).at(0).toBool(), true);
}

QTEST_MAIN(tst_InternetAccessPointEditorInterface)

#include "tst_internetaccesspointeditorinterface.moc"
