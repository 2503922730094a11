#include "base/certificatemodel.h"

#include "certificatefactory.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using Velin::CertificateModel;

namespace {

CertificateSubject subjectNamed(const QString& commonName)
{
    CertificateSubject subject;
    subject.commonName = commonName;
    subject.organization = QStringLiteral("Velin Test");
    subject.country = QStringLiteral("FI");
    return subject;
}

bool writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

} // namespace

class tst_CertificateModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void emptyChoice();
    void rows_data();
    void rows();
    void rowCountAndColumns();
    void rowForValue_data();
    void rowForValue();
    void missingDirectory();
    void reloadFindsNewFiles();
    void defaultDirectory();

private:
    QString path(const QString& fileName) const { return QDir(m_dir.path()).absoluteFilePath(fileName); }

    QTemporaryDir m_dir;
    TestCertificate m_root;
};

void tst_CertificateModel::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_root = CertificateFactory::createRoot(subjectNamed(QStringLiteral("Velin Root CA")));
    QVERIFY(!m_root.isNull());

    const TestCertificate alice = CertificateFactory::createIssued(subjectNamed(QStringLiteral("Alice")), m_root, 2);
    const TestCertificate bob =
        CertificateFactory::createIssued(subjectNamed(QString::fromUtf8("B\xc3\xb6rje Client")), m_root, 3);
    const TestCertificate leaf = CertificateFactory::createIssued(subjectNamed(QStringLiteral("Chain Leaf")), m_root, 4);
    CertificateSubject noName = subjectNamed(QString());
    const TestCertificate anonymous = CertificateFactory::createIssued(noName, m_root, 5);
    QVERIFY(!alice.isNull() && !bob.isNull() && !leaf.isNull() && !anonymous.isNull());

    // Written out of order: the model sorts by file name.
    QVERIFY(CertificateFactory::writePem(path(QStringLiteral("d_anonymous.pem")), anonymous));
    QVERIFY(CertificateFactory::writePem(path(QStringLiteral("b_borje.crt")), bob));
    QVERIFY(CertificateFactory::writePem(path(QStringLiteral("a_alice.pem")), alice));
    QVERIFY(CertificateFactory::writePem(path(QStringLiteral("c_chain.pem")), {leaf, m_root}));
    // A key block before the certificate.
    QVERIFY(writeFile(path(QStringLiteral("c_keyfirst.pem")), alice.privateKeyPem() + bob.pem()));

    // Not listed: no PEM certificate, hidden, or not a file.
    QVERIFY(writeFile(path(QStringLiteral("a_notes.txt")), "just some notes\n"));
    QVERIFY(writeFile(path(QStringLiteral("b_key.pem")), alice.privateKeyPem()));
    QVERIFY(CertificateFactory::writeDer(path(QStringLiteral("b_binary.der")), alice));
    QVERIFY(writeFile(path(QStringLiteral("b_broken.pem")),
                      "-----BEGIN CERTIFICATE-----\nbm90IGEgY2VydGlmaWNhdGU=\n-----END CERTIFICATE-----\n"));
    QVERIFY(writeFile(path(QStringLiteral("b_empty.pem")), QByteArray()));
    QVERIFY(CertificateFactory::writePem(path(QStringLiteral(".hidden.pem")), alice));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("a_directory.pem")));
    QVERIFY(CertificateFactory::writePem(path(QStringLiteral("a_directory.pem/inner.pem")), alice));
}

void tst_CertificateModel::emptyChoice()
{
    CertificateModel model(m_dir.path(), nullptr);
    const QVariant name = model.data(model.index(0, CertificateModel::NameColumn));
    const QVariant value = model.data(model.index(0, CertificateModel::PathColumn));
    QCOMPARE(name, QVariant(QStringLiteral("qtn_conn_none")));
    QCOMPARE(value.userType(), int(QMetaType::QString));
    QVERIFY(value.toString().isEmpty());
}

void tst_CertificateModel::rows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("alice") << 1 << QStringLiteral("Alice") << QStringLiteral("a_alice.pem");
    QTest::newRow("non-ascii name") << 2 << QString::fromUtf8("B\xc3\xb6rje Client") << QStringLiteral("b_borje.crt");
    QTest::newRow("two certificates, first named") << 3 << QStringLiteral("Chain Leaf")
                                                   << QStringLiteral("c_chain.pem");
    QTest::newRow("key before certificate") << 4 << QString::fromUtf8("B\xc3\xb6rje Client")
                                            << QStringLiteral("c_keyfirst.pem");
    QTest::newRow("no common name: file name") << 5 << QStringLiteral("d_anonymous.pem")
                                               << QStringLiteral("d_anonymous.pem");
}

void tst_CertificateModel::rows()
{
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, fileName);

    CertificateModel model(m_dir.path(), nullptr);
    QCOMPARE(model.data(model.index(row, CertificateModel::NameColumn)).toString(), name);
    QCOMPARE(model.data(model.index(row, CertificateModel::NameColumn), Qt::EditRole).toString(), name);
    QCOMPARE(model.data(model.index(row, CertificateModel::PathColumn)).toString(), path(fileName));
    QCOMPARE(model.data(model.index(row, CertificateModel::PathColumn), Qt::EditRole).toString(), path(fileName));
    QVERIFY(!model.data(model.index(row, CertificateModel::NameColumn), Qt::DecorationRole).isValid());
}

void tst_CertificateModel::rowCountAndColumns()
{
    CertificateModel model(m_dir.path(), nullptr);
    QCOMPARE(model.rowCount(), 6);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.directory(), m_dir.path());
    QVERIFY(!model.index(6, 0).isValid());
    QVERIFY(!model.index(0, 2).isValid());
    QCOMPARE(model.rowCount(model.index(1, 0)), 0);
}

void tst_CertificateModel::rowForValue_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("row");

    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("first") << QStringLiteral("a_alice.pem") << 1;
    QTest::newRow("last") << QStringLiteral("d_anonymous.pem") << 5;
    QTest::newRow("not listed") << QStringLiteral("b_key.pem") << -1;
    QTest::newRow("unknown") << QStringLiteral("nothing.pem") << -1;
}

void tst_CertificateModel::rowForValue()
{
    QFETCH(QString, value);
    QFETCH(int, row);

    CertificateModel model(m_dir.path(), nullptr);
    QCOMPARE(model.rowForValue(value.isEmpty() ? value : path(value)), row);
}

void tst_CertificateModel::missingDirectory()
{
    CertificateModel model(path(QStringLiteral("does-not-exist")), nullptr);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("qtn_conn_none"));
}

void tst_CertificateModel::reloadFindsNewFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    CertificateModel model(dir.path(), nullptr);
    QCOMPARE(model.rowCount(), 1);

    const TestCertificate carol = CertificateFactory::createIssued(subjectNamed(QStringLiteral("Carol")), m_root, 9);
    QVERIFY(CertificateFactory::writePem(dir.filePath(QStringLiteral("carol.pem")), carol));
    QCOMPARE(model.rowCount(), 1); // nothing changes until asked

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.reload();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.data(model.index(1, 0)).toString(), QStringLiteral("Carol"));
}

void tst_CertificateModel::defaultDirectory()
{
    qunsetenv("VELIN_CERTIFICATE_DIR");
    QCOMPARE(CertificateModel::defaultDirectory(), QStringLiteral("/home/user/MyDocs/certificates"));

    qputenv("VELIN_CERTIFICATE_DIR", QFile::encodeName(m_dir.path()));
    QCOMPARE(CertificateModel::defaultDirectory(), m_dir.path());
    {
        CertificateModel model;
        QCOMPARE(model.directory(), m_dir.path());
        QCOMPARE(model.rowCount(), 6);
    }

    // The framework's choice wins over the environment.
    const QString chosen = path(QStringLiteral("elsewhere"));
    CertificateModel::setDefaultDirectory(chosen);
    QCOMPARE(CertificateModel::defaultDirectory(), chosen);
    CertificateModel model;
    QCOMPARE(model.directory(), chosen);
    QCOMPARE(model.rowCount(), 1);
}

QTEST_GUILESS_MAIN(tst_CertificateModel)

#include "tst_certificatemodel.moc"
