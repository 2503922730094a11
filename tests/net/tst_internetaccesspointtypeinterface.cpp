#include "net/internetaccesspointtypeinterface.h"

#include <QtTest>

namespace {

// A plug-in side implementation: only what the interface requires.
class TestType : public QObject, public InternetAccessPointTypeInterface
{
    Q_OBJECT
    Q_INTERFACES(InternetAccessPointTypeInterface)

public:
    QStringList types() const override { return {QStringLiteral("WLAN_INFRA")}; }
    QString securityImageName(const QList<QVariant>&) const override { return QString(); }
    QString bearerImageName(const QList<QVariant>&, int) const override { return QString(); }
    Velin::ScanResult filterScanResult(const Velin::ScanResult& result) const override { return result; }
    bool initializeInternetAccessPoint(Velin::InternetAccessPoint*) override { return true; }
    Velin::InternetAccessPoint createInternetAccessPoint(const QList<QVariant>& data) override
    {
        return Velin::InternetAccessPoint(data);
    }
    QList<Velin::InternetAccessPoint> defaultConnections() const override { return {}; }
    InternetAccessPointEditorInterface* editor(Velin::InternetAccessPoint*) override { return nullptr; }
    bool isAutoconnectable(const Velin::ScanResult&) const override { return false; }
};

class Unrelated : public QObject
{
    Q_OBJECT
};

} // namespace

class tst_InternetAccessPointTypeInterface : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void castsThroughMetaObject();
    void interfaceId();
    void configureForConnectionDefault();
};

void tst_InternetAccessPointTypeInterface::castsThroughMetaObject()
{
    TestType type;
    QObject* object = &type;
    InternetAccessPointTypeInterface* cast = qobject_cast<InternetAccessPointTypeInterface*>(object);
    QCOMPARE(cast, static_cast<InternetAccessPointTypeInterface*>(&type));
    QCOMPARE(cast->types(), QStringList{QStringLiteral("WLAN_INFRA")});
    // By the identifier a plug-in loader uses, too.
    QVERIFY(object->qt_metacast("com.qorva.InternetAccessPointTypeInterface"));
    QVERIFY(object->qt_metacast("InternetAccessPointTypeInterface"));

    Unrelated unrelated;
    QVERIFY(!qobject_cast<InternetAccessPointTypeInterface*>(&unrelated));
}

void tst_InternetAccessPointTypeInterface::interfaceId()
{
    QCOMPARE(QByteArray(qobject_interface_iid<InternetAccessPointTypeInterface*>()),
             QByteArray("com.qorva.InternetAccessPointTypeInterface"));
}

void tst_InternetAccessPointTypeInterface::configureForConnectionDefault()
{
    TestType type;
    InternetAccessPointTypeInterface* interface = &type;
    Velin::InternetAccessPoint iap;
    QVERIFY(interface->configureForConnection(&iap));
    QVERIFY(!interface->configureForConnection(nullptr));
}

QTEST_GUILESS_MAIN(tst_InternetAccessPointTypeInterface)

#include "tst_internetaccesspointtypeinterface.moc"
