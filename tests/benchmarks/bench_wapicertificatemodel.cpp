// What the WAPI certificate model costs with 1,000 certificate files: reading
// them all (what every WAPI sheet and editor page pays when it opens), the
// root and user filters, and finding the row of a stored
// identifier (what the editor does to show a saved choice).  Goals: load
// 100 ms, lookup 1 ms.
#include "certificatefactory.h"

#include "wlanui/security/wapicertificatemodel.h"
#include "wlanui/security/wapicertificatemodelprivate.h"

#include "touch/combobox.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using Velin::WapiCertificateModel;

namespace {

const int FileCount = 1000;
const int RootCount = 10;

CertificateSubject subjectNamed(const QString& commonName, int organization)
{
    CertificateSubject subject;
    subject.commonName = commonName;
    subject.organization = QStringLiteral("Velin Bench %1").arg(organization);
    subject.organizationalUnit = QStringLiteral("WAPI");
    subject.country = QStringLiteral("FI");
    return subject;
}

// The row whose Id is id, asked through the model as a view or the property
// editor asks it.
int rowOf(const QAbstractItemModel& model, const QByteArray& id)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row, WapiCertificateModel::Id).data() == QVariant(id))
            return row;
    }
    return -1;
}

} // namespace

class BenchWapiCertificateModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QDir dir(m_dir.path());
        QList<TestCertificate> roots;
        for (int i = 0; i < RootCount; ++i) {
            roots << CertificateFactory::createRoot(subjectNamed(QStringLiteral("Root %1").arg(i), i), quint64(i + 1));
            QVERIFY(CertificateFactory::writePem(dir.filePath(QStringLiteral("root-%1.pem").arg(i, 4, 10, QLatin1Char('0'))),
                                                 roots.last()));
        }
        for (int i = RootCount; i < FileCount; ++i) {
            const int issuer = i % RootCount;
            const TestCertificate user = CertificateFactory::createIssued(
                subjectNamed(QStringLiteral("User %1").arg(i), issuer), roots.at(issuer), quint64(1000 + i));
            QVERIFY(CertificateFactory::writePem(dir.filePath(QStringLiteral("user-%1.pem").arg(i, 4, 10, QLatin1Char('0'))),
                                                 user));
        }
        Velin::WapiCertificateModelPrivate::setDefaultDirectory(m_dir.path());
        WapiCertificateModel model;
        QCOMPARE(model.rowCount(), FileCount + 1);
        m_lastId = model.index(FileCount, WapiCertificateModel::Id).data().toByteArray();
        m_rootId = model.index(1, WapiCertificateModel::Id).data().toByteArray();
        QVERIFY(!m_lastId.isEmpty());
    }

    void cleanupTestCase() { Velin::WapiCertificateModelPrivate::setDefaultDirectory(QString()); }

    // What every model costs (each WAPI sheet makes two): every file read
    // and decoded.
    void load()
    {
        QBENCHMARK {
            WapiCertificateModel model;
            Q_UNUSED(model)
        }
    }

    void filterRoots()
    {
        WapiCertificateModel model;
        QBENCHMARK {
            model.setFilter(WapiCertificateModel::RootCertificates);
        }
        QCOMPARE(model.rowCount(), RootCount + 1);
    }

    void filterUsersShownInComboBox()
    {
        WapiCertificateModel model;
        model.setFilter(WapiCertificateModel::UserCertificates);
        Touch::ComboBox combo;
        combo.setItemModel(&model);
        QBENCHMARK {
            model.setUserCertificateFilter(m_rootId);
        }
        QCOMPARE(model.rowCount(), (FileCount - RootCount) / RootCount + 1);
    }

    void lookupStoredIdentifier()
    {
        WapiCertificateModel model;
        int row = -1;
        QBENCHMARK {
            row = rowOf(model, m_lastId);
        }
        QCOMPARE(row, FileCount);
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_lastId;
    QByteArray m_rootId;
};

QTEST_MAIN(BenchWapiCertificateModel)
#include "bench_wapicertificatemodel.moc"
