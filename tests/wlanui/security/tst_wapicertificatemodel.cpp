// The WAPI certificate model over a directory of real certificates: what is
// read and in which order, the root and user filters, the rows announced to
// views, and the identifiers, checked byte for byte against DER names taken
// straight from OpenSSL; and the certificates as read, checked against what
// QSslCertificate makes of the same bytes, damaged ones too.
#include "certificatefactory.h"
#include "wapitesthelpers.h"

#include "wlanui/security/wapicertificatemodel.h"
#include "wlanui/security/wapicertificatemodelprivate.h"
#include "wlanui/security/wapicertificatereader_p.h"

#include <openssl/asn1.h>
#include <openssl/bn.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/x509.h>

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using Velin::WapiCertificateModel;
using Velin::WapiCertificateModelPrivate;
using Velin::WapiCertificateReader;
using Certificate = WapiCertificateModelPrivate::Certificate;

namespace {

CertificateSubject subjectNamed(const QString& commonName, const QString& organization = QStringLiteral("Velin Test"))
{
    CertificateSubject subject;
    subject.commonName = commonName;
    subject.organization = organization;
    subject.organizationalUnit = QStringLiteral("WAPI");
    subject.locality = QStringLiteral("Espoo");
    subject.state = QStringLiteral("Uusimaa");
    subject.country = QStringLiteral("FI");
    return subject;
}

using WapiTest::expectedId;

bool writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QByteArray pemOf(const QByteArray& der)
{
    QByteArray pem("-----BEGIN CERTIFICATE-----\n");
    const QByteArray base64 = der.toBase64();
    for (int i = 0; i < base64.size(); i += 64)
        pem += base64.mid(i, 64) + '\n';
    return pem + "-----END CERTIFICATE-----\n";
}

// A name of entries "FIELD=value" in order; "FIELD/bmp=", "/univ=", "/t61="
// and "/ia5=" store the value as that string type, a leading "+" puts the
// entry in the previous entry's RDN.
X509_NAME* nameOf(const QStringList& entries)
{
    X509_NAME* name = X509_NAME_new();
    for (QString entry : entries) {
        const bool joined = entry.startsWith('+');
        const QString field = entry.section('=', 0, 0).remove('+').section('/', 0, 0);
        const QString type = entry.section('=', 0, 0).section('/', 1);
        const QString value = entry.section('=', 1);
        QByteArray bytes = value.toUtf8();
        int format = MBSTRING_UTF8;
        if (type == "bmp" || type == "univ") {
            format = type == "bmp" ? V_ASN1_BMPSTRING : V_ASN1_UNIVERSALSTRING;
            bytes.clear();
            const int width = type == "bmp" ? 2 : 4;
            for (uint c : value.toUcs4())
                for (int byte = width - 1; byte >= 0; --byte)
                    bytes += char(c >> (8 * byte));
        } else if (!type.isEmpty()) {
            format = type == "t61" ? V_ASN1_T61STRING : V_ASN1_IA5STRING;
            bytes = value.toLatin1();
        }
        X509_NAME_add_entry_by_txt(name, field.toLatin1().constData(), format,
                                   reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size(), -1,
                                   joined ? -1 : 0);
    }
    return name;
}

// The DER of signer's certificate with other names and serial, signed again.
QByteArray derWithNames(const TestCertificate& signer, const QStringList& subject, const QStringList& issuer,
                        const QByteArray& serialHex)
{
    X509* x509 = X509_dup(signer.x509());
    X509_NAME* subjectName = nameOf(subject);
    X509_NAME* issuerName = nameOf(issuer);
    BIGNUM* number = nullptr;
    BN_hex2bn(&number, serialHex.constData());
    ASN1_INTEGER* serial = BN_to_ASN1_INTEGER(number, nullptr);
    X509_set_subject_name(x509, subjectName);
    X509_set_issuer_name(x509, issuerName);
    X509_set_serialNumber(x509, serial);
    X509_sign(x509, signer.key(), EVP_sha256());
    unsigned char* buffer = nullptr;
    const int length = i2d_X509(x509, &buffer);
    const QByteArray der(reinterpret_cast<const char*>(buffer), qMax(length, 0));
    OPENSSL_free(buffer);
    ASN1_INTEGER_free(serial);
    BN_free(number);
    X509_NAME_free(issuerName);
    X509_NAME_free(subjectName);
    X509_free(x509);
    return der;
}

// How a record read differs from what Qt gives for the certificate; empty
// when it does not.
QString differenceFromQt(const Certificate& record, const QSslCertificate& certificate)
{
    if (certificate.isNull() || record.der != certificate.toDer() || record.toCertificate() != certificate)
        return QStringLiteral("DER");
    // What constructId() gives.
    if (record.id != WapiCertificateReader::identifier(certificate))
        return QStringLiteral("identifier");
    for (int i = 0; i < 6; ++i) {
        const QSslCertificate::SubjectInfo field = WapiCertificateModelPrivate::issuerFields[i];
        if (record.subjectInfo[i] != certificate.subjectInfo(field))
            return QStringLiteral("subject field %1: %2").arg(field).arg(record.subjectInfo[i].join('|'));
        if (record.issuerInfo[i] != certificate.issuerInfo(field))
            return QStringLiteral("issuer field %1: %2").arg(field).arg(record.issuerInfo[i].join('|'));
    }
    if (record.commonName != certificate.subjectInfo(QSslCertificate::CommonName).join(QStringLiteral(", ")))
        return QStringLiteral("common name");
    return QString();
}

QStringList names(const WapiCertificateModel& model)
{
    QStringList shown;
    for (int row = 1; row < model.rowCount(); ++row)
        shown << model.index(row, WapiCertificateModel::Name).data().toString();
    return shown;
}

QByteArray idAt(const WapiCertificateModel& model, int row)
{
    return model.index(row, WapiCertificateModel::Id).data().toByteArray();
}

} // namespace

class TestWapiCertificateModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void directoryChoice();
    void reading();
    void missingOrEmptyDirectory();
    void laterModelsSeeChangedFiles();
    void filters_data();
    void filters();
    void rowAnnouncements();
    void identifier_data();
    void identifier();
    void nullCertificateHasNoIdentifier();
    void recordsAsQtGivesThem_data();
    void recordsAsQtGivesThem();
    void damagedCertificates_data();
    void damagedCertificates();

private:
    QString writeChainDirectory();

    QTemporaryDir m_dir;
    TestCertificate m_root;       // R
    TestCertificate m_user;       // U, issued by R
    TestCertificate m_otherRoot;  // not in the directory
    TestCertificate m_otherUser;  // V, issued by the other root
    TestCertificate m_lookalike;  // self-signed with R's names
};

void TestWapiCertificateModel::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_root = CertificateFactory::createRoot(subjectNamed(QStringLiteral("Velin Root")), 10);
    m_user = CertificateFactory::createIssued(subjectNamed(QStringLiteral("Velin User")), m_root, 11);
    m_otherRoot = CertificateFactory::createRoot(subjectNamed(QStringLiteral("Other Root"), QStringLiteral("Other")), 20);
    m_otherUser = CertificateFactory::createIssued(subjectNamed(QStringLiteral("Other User")), m_otherRoot, 21);
    m_lookalike = CertificateFactory::createRoot(subjectNamed(QStringLiteral("Velin Root")), 30);
    QVERIFY(!m_root.isNull() && !m_user.isNull() && !m_otherUser.isNull() && !m_lookalike.isNull());

    // Read sorted by name ignoring case: A, b, C; the sub-directory, the
    // text file, the DER file and the hidden file add nothing.
    const QDir dir(m_dir.path());
    QVERIFY(CertificateFactory::writePem(dir.filePath("A-root.pem"), m_root));
    QVERIFY(CertificateFactory::writePem(dir.filePath("b-users.pem"), QList<TestCertificate>{m_user, m_otherUser}));
    QVERIFY(CertificateFactory::writePem(dir.filePath("C-lookalike.crt"), m_lookalike));
    QVERIFY(dir.mkdir("B-sub"));
    QVERIFY(CertificateFactory::writePem(dir.filePath("B-sub/nested.pem"), m_otherRoot));
    QVERIFY(writeFile(dir.filePath("a-notes.txt"), "not a certificate\n"));
    QVERIFY(CertificateFactory::writeDer(dir.filePath("d-other-root.der"), m_otherRoot));
    QVERIFY(CertificateFactory::writePem(dir.filePath(".hidden.pem"), m_otherRoot));
}

void TestWapiCertificateModel::cleanup()
{
    WapiCertificateModelPrivate::setDefaultDirectory(QString());
    qunsetenv("VELIN_WAPI_CERTIFICATE_DIR");
}

void TestWapiCertificateModel::directoryChoice()
{
    QCOMPARE(WapiCertificateModelPrivate::certificateDirectoryName, QStringLiteral("/home/user/MyDocs/wapi"));
    qunsetenv("VELIN_WAPI_CERTIFICATE_DIR");
    QCOMPARE(WapiCertificateModelPrivate::defaultDirectory(), QStringLiteral("/home/user/MyDocs/wapi"));
    qputenv("VELIN_WAPI_CERTIFICATE_DIR", QFile::encodeName(m_dir.path()));
    QCOMPARE(WapiCertificateModelPrivate::defaultDirectory(), m_dir.path());
    QCOMPARE(WapiCertificateModel().rowCount(), 5);
    // The setter wins over the environment.
    WapiCertificateModelPrivate::setDefaultDirectory(QStringLiteral("/nonexistent"));
    QCOMPARE(WapiCertificateModelPrivate::defaultDirectory(), QStringLiteral("/nonexistent"));
    WapiCertificateModelPrivate::setDefaultDirectory(QString());
    QCOMPARE(WapiCertificateModelPrivate::defaultDirectory(), m_dir.path());
    QCOMPARE(WapiCertificateModelPrivate::certificateDirectoryName, QStringLiteral("/home/user/MyDocs/wapi"));
}

void TestWapiCertificateModel::reading()
{
    WapiCertificateModelPrivate::setDefaultDirectory(m_dir.path());
    WapiCertificateModel model;
    QCOMPARE(model.filter(), WapiCertificateModel::AllCertificates);
    QCOMPARE(model.property("filter").toInt(), int(WapiCertificateModel::AllCertificates));
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(names(model), QStringList() << "Velin Root" << "Velin User" << "Other User" << "Velin Root");

    // Row 0: the none row, with a name and no Id at all.
    QCOMPARE(model.index(0, WapiCertificateModel::Name).data(), QVariant(QStringLiteral("qtn_conn_none")));
    const QVariant noneId = model.index(0, WapiCertificateModel::Id).data();
    QVERIFY(!noneId.isValid());

    QCOMPARE(model.index(1, WapiCertificateModel::Id).data().type(), QVariant::ByteArray);
    QCOMPARE(idAt(model, 1), expectedId(m_root, QByteArray("\x0a")));
    QCOMPARE(idAt(model, 2), expectedId(m_user, QByteArray("\x0b")));
    QCOMPARE(idAt(model, 3), expectedId(m_otherUser, QByteArray("\x15")));
    QCOMPARE(idAt(model, 4), expectedId(m_lookalike, QByteArray("\x1e")));
    QCOMPARE(model.rowForId(expectedId(m_user, QByteArray("\x0b"))), 2);
    QCOMPARE(model.rowForId(QByteArray()), -1);

    // Display role only; nothing past the last row or column.
    QVERIFY(!model.index(1, WapiCertificateModel::Name).data(Qt::EditRole).isValid());
    QVERIFY(!model.index(1, WapiCertificateModel::Id).data(Qt::ToolTipRole).isValid());
    QVERIFY(!model.data(model.index(5, 0)).isValid());
    QVERIFY(!model.data(model.index(1, 2)).isValid());
    QCOMPARE(model.rowCount(model.index(1, 0)), 0);
    QCOMPARE(model.columnCount(model.index(1, 0)), 0);
}

void TestWapiCertificateModel::missingOrEmptyDirectory()
{
    QTemporaryDir empty;
    for (const QString& path : {empty.path(), empty.path() + "/missing"}) {
        WapiCertificateModelPrivate::setDefaultDirectory(path);
        WapiCertificateModel model;
        QCOMPARE(model.rowCount(), 1);
        model.setFilter(WapiCertificateModel::RootCertificates);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.index(0, 0).data(), QVariant(QStringLiteral("qtn_conn_none")));
    }
}

void TestWapiCertificateModel::laterModelsSeeChangedFiles()
{
    QTemporaryDir dir;
    const QString first = QDir(dir.path()).filePath("first.pem");
    QVERIFY(CertificateFactory::writePem(first, m_root));
    WapiCertificateModelPrivate::setDefaultDirectory(dir.path());
    WapiCertificateModel before;
    QCOMPARE(names(before), QStringList("Velin Root"));

    // Rewritten at once: within the same moment, perhaps the same size.
    QVERIFY(CertificateFactory::writePem(first, m_lookalike));
    QVERIFY(CertificateFactory::writePem(QDir(dir.path()).filePath("second.pem"), m_user));
    WapiCertificateModel after;
    QCOMPARE(names(after), QStringList() << "Velin Root" << "Velin User");
    QCOMPARE(idAt(after, 1), expectedId(m_lookalike, QByteArray("\x1e")));
    // The first model read once and keeps what it read.
    QCOMPARE(names(before), QStringList("Velin Root"));
    QCOMPARE(idAt(before, 1), expectedId(m_root, QByteArray("\x0a")));

    QVERIFY(QFile::remove(first));
    WapiCertificateModel removed;
    QCOMPARE(names(removed), QStringList("Velin User"));
}

void TestWapiCertificateModel::filters_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("root");   // whose id goes to setUserCertificateFilter; empty: none called
    QTest::addColumn<QStringList>("shown");

    const int all = WapiCertificateModel::AllCertificates;
    const int roots = WapiCertificateModel::RootCertificates;
    const int users = WapiCertificateModel::UserCertificates;
    const QStringList both = QStringList() << "Velin Root" << "Velin Root";

    QTest::newRow("all") << all << "" << (QStringList() << "Velin Root" << "Velin User" << "Other User" << "Velin Root");
    // The lookalike is self-signed too: names decide, not keys.
    QTest::newRow("roots") << roots << "" << both;
    QTest::newRow("roots, a root chosen") << roots << "R" << both;
    QTest::newRow("users, no root chosen") << users << "" << QStringList();
    QTest::newRow("users of R") << users << "R" << QStringList("Velin User");
    QTest::newRow("users of the lookalike, by names") << users << "S" << QStringList("Velin User");
    QTest::newRow("users of a user") << users << "U" << QStringList();
    QTest::newRow("users of the none row") << users << "none" << QStringList();
    QTest::newRow("users of an unknown id") << users << "unknown" << QStringList();
}

void TestWapiCertificateModel::filters()
{
    QFETCH(int, filter);
    QFETCH(QString, root);
    QFETCH(QStringList, shown);

    WapiCertificateModelPrivate::setDefaultDirectory(m_dir.path());
    WapiCertificateModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QMap<QString, QByteArray> ids;
    ids["R"] = expectedId(m_root, QByteArray("\x0a"));
    ids["U"] = expectedId(m_user, QByteArray("\x0b"));
    ids["S"] = expectedId(m_lookalike, QByteArray("\x1e"));
    ids["none"] = QByteArray();
    ids["unknown"] = ids["R"].left(ids["R"].size() - 1);

    model.setFilter(WapiCertificateModel::Filter(filter));
    if (!root.isEmpty())
        model.setUserCertificateFilter(ids.value(root));
    QCOMPARE(model.filter(), WapiCertificateModel::Filter(filter));
    QCOMPARE(names(model), shown);
    QCOMPARE(model.rowCount(), shown.size() + 1);
    if (filter == WapiCertificateModel::UserCertificates && !shown.isEmpty())
        QCOMPARE(idAt(model, 1), ids["U"]);

    // Back to every certificate, each announced to the view.
    model.setFilter(WapiCertificateModel::AllCertificates);
    QCOMPARE(model.rowCount(), 5);
}

void TestWapiCertificateModel::rowAnnouncements()
{
    WapiCertificateModelPrivate::setDefaultDirectory(m_dir.path());
    WapiCertificateModel model;
    QSignalSpy removing(&model, &QAbstractItemModel::rowsAboutToBeRemoved);
    QSignalSpy inserting(&model, &QAbstractItemModel::rowsAboutToBeInserted);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    int rowsWhenAnnounced = -1;
    connect(&model, &QAbstractItemModel::rowsAboutToBeInserted, this, [&] { rowsWhenAnnounced = model.rowCount(); });

    model.setFilter(WapiCertificateModel::RootCertificates);
    // Rows 1 to 4 go, the none row stays; then one row at a time at the end.
    QCOMPARE(removing.count(), 1);
    QCOMPARE(removing.at(0).at(0).toModelIndex(), QModelIndex());
    QCOMPARE(removing.at(0).at(1).toInt(), 1);
    QCOMPARE(removing.at(0).at(2).toInt(), 4);
    QCOMPARE(inserted.count(), 2);
    for (int i = 0; i < inserted.count(); ++i) {
        QCOMPARE(inserted.at(i).at(0).toModelIndex(), QModelIndex());
        QCOMPARE(inserted.at(i).at(1).toInt(), i + 1);
        QCOMPARE(inserted.at(i).at(2).toInt(), i + 1);
    }
    QCOMPARE(rowsWhenAnnounced, 2);

    // An empty user list removes nothing; the none row is never announced.
    removing.clear();
    inserted.clear();
    model.setFilter(WapiCertificateModel::UserCertificates);
    QCOMPARE(removing.count(), 1);
    QCOMPARE(inserted.count(), 0);
    removing.clear();
    model.setUserCertificateFilter(QByteArray("no such certificate"));
    QCOMPARE(removing.count(), 0);
    QCOMPARE(inserting.count(), 2);
}

void TestWapiCertificateModel::identifier_data()
{
    QTest::addColumn<quint64>("serial");
    QTest::addColumn<QByteArray>("serialHex");   // for serials beyond 64 bits
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("0") << quint64(0) << QByteArray() << QByteArray("\x00", 1);
    QTest::newRow("1") << quint64(1) << QByteArray() << QByteArray("\x01");
    QTest::newRow("255") << quint64(255) << QByteArray() << QByteArray("\xff");
    QTest::newRow("256") << quint64(256) << QByteArray() << QByteArray("\x01\x00", 2);
    QTest::newRow("0x12345: odd digit count") << quint64(0x12345) << QByteArray() << QByteArray("\x01\x23\x45");
    QTest::newRow("2^31-1") << quint64(2147483647) << QByteArray() << QByteArray("\x7f\xff\xff\xff");
    QTest::newRow("2^31") << quint64(2147483648ULL) << QByteArray() << QByteArray("\x00", 1);
    QTest::newRow("2^32+1") << quint64(4294967297ULL) << QByteArray() << QByteArray("\x00", 1);
    QTest::newRow("20 octets") << quint64(0) << QByteArray("7F0102030405060708090A0B0C0D0E0F10111213")
                               << QByteArray("\x00", 1);
}

void TestWapiCertificateModel::identifier()
{
    QFETCH(quint64, serial);
    QFETCH(QByteArray, serialHex);
    QFETCH(QByteArray, bytes);

    CertificateFactory::Options options;
    options.subject = subjectNamed(QStringLiteral("Serial Test"));
    options.serial = serial;
    options.serialHex = serialHex;
    const TestCertificate certificate = CertificateFactory::create(options, m_root);
    QVERIFY(!certificate.isNull());
    if (!serialHex.isEmpty())
        QCOMPARE(certificate.serialHex(), serialHex);

    QTemporaryDir dir;
    QVERIFY(CertificateFactory::writePem(QDir(dir.path()).filePath("user.pem"), certificate));
    WapiCertificateModelPrivate::setDefaultDirectory(dir.path());
    WapiCertificateModel model;
    QCOMPARE(model.rowCount(), 2);
    const QByteArray id = idAt(model, 1);
    QCOMPARE(id.toHex(), expectedId(certificate, bytes).toHex());

    // The layout: subject, issuer (the root's subject), tag, length, serial.
    const QByteArray subject = certificate.subjectNameDer();
    const QByteArray issuer = m_root.subjectNameDer();
    QVERIFY(id.startsWith(subject + issuer));
    QCOMPARE(id.mid(subject.size() + issuer.size()), QByteArray("\x02") + char(bytes.size()) + bytes);

    WapiCertificateModelPrivate helper(nullptr);
    QCOMPARE(helper.constructId(certificate.toQSslCertificate()), id);
}

void TestWapiCertificateModel::nullCertificateHasNoIdentifier()
{
    QTemporaryDir empty;
    WapiCertificateModelPrivate::setDefaultDirectory(empty.path());
    WapiCertificateModelPrivate helper(nullptr);
    QTest::ignoreMessage(QtWarningMsg, "WapiCertificateModel: Can't decode subject name for certificate");
    QVERIFY(helper.constructId(QSslCertificate()).isEmpty());
    QVERIFY(helper.isIssuerForCertificate(m_root.toQSslCertificate(), m_user.toQSslCertificate()));
    QVERIFY(!helper.isIssuerForCertificate(m_user.toQSslCertificate(), m_root.toQSslCertificate()));
    QVERIFY(helper.isIssuerForCertificate(m_lookalike.toQSslCertificate(), m_root.toQSslCertificate()));
}

void TestWapiCertificateModel::recordsAsQtGivesThem_data()
{
    QTest::addColumn<QStringList>("subject");
    QTest::addColumn<QStringList>("issuer");
    QTest::addColumn<QByteArray>("serialHex");

    const QStringList six{"C=FI", "ST=Uusimaa", "L=Espoo", "O=Velin", "OU=WAPI", "CN=Velin Root"};
    QTest::newRow("six fields") << six << six << QByteArray("0A");
    QTest::newRow("UTF-8 values")
        << QStringList{"C=FI", "O=Ünïcödé Oy", "CN=Jörg Ωμέγα 漢字 🔒"} << six << QByteArray("0");
    QTest::newRow("two common names, the later first")
        << QStringList{"CN=First", "O=A", "CN=Second", "O=B", "CN=Third"} << QStringList{"CN=One", "CN=Two"}
        << QByteArray("7FFFFFFF");
    QTest::newRow("multi-valued RDN") << QStringList{"CN=Alpha", "+OU=Beta", "+CN=Gamma", "L=Delta"} << six
                                      << QByteArray("80000000");
    QTest::newRow("string types")
        << QStringList{"CN/bmp=Bmp Äö", "O/t61=Tëst", "L/univ=Üni 𝄞", "OU/ia5=plain", "ST/bmp="} << six
        << QByteArray("-1");
    QTest::newRow("other fields only") << QStringList{"emailAddress=a@example.com", "1.2.3.4=x", "serialNumber=7"}
                                       << QStringList{"DC=example", "CN=Issuer"} << QByteArray("-80000000");
    QTest::newRow("empty names") << QStringList() << QStringList()
                                 << QByteArray("7F0102030405060708090A0B0C0D0E0F10111213");
}

void TestWapiCertificateModel::recordsAsQtGivesThem()
{
    QFETCH(QStringList, subject);
    QFETCH(QStringList, issuer);
    QFETCH(QByteArray, serialHex);

    const QByteArray der = derWithNames(m_root, subject, issuer, serialHex);
    QVERIFY(!der.isEmpty());
    // Read without decoding the certificate whole, as Qt decodes it.
    Certificate record;
    QVERIFY(WapiCertificateReader::readCertificate(der, &record));
    QCOMPARE(differenceFromQt(record, QSslCertificate(der, QSsl::Der)), QString());
}

void TestWapiCertificateModel::damagedCertificates_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("DER cut short") << "cut";
    QTest::newRow("DER byte inverted") << "invert";
    QTest::newRow("DER low bit flipped") << "flip";
    QTest::newRow("first of two DER blocks inverted") << "first of two";
    QTest::newRow("DER length in a byte more") << "long length";
    QTest::newRow("PEM cut short") << "cut PEM";
    QTest::newRow("PEM line end changed") << "line end";
}

void TestWapiCertificateModel::damagedCertificates()
{
    QFETCH(QString, damage);

    // Each damaged text is read as Qt reads it, a block that holds no
    // certificate with a warning; so is each damaged DER by the reader.
    const QByteArray der = m_user.der();
    const QByteArray pem = pemOf(der);
    const QByteArray twoBlocks = pem + m_root.pem();
    const QList<QByteArray> lineEnds{"\r\n", "\r", "  \n", "\t\n", " ", "", "x\n"};
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("damaged.pem");
    WapiCertificateModelPrivate::setDefaultDirectory(dir.path());
    const bool onPem = damage == "cut PEM" || damage == "line end";
    const int variants = damage == "cut PEM" ? pem.size()
        : damage == "line end"               ? twoBlocks.count('\n') * lineEnds.size()
        : damage == "long length"            ? 2
                                             : der.size();
    for (int i = 0; i < variants; ++i) {
        QByteArray damaged = der;
        QByteArray text;
        if (damage == "cut PEM") {
            text = pem.left(i);
        } else if (damage == "line end") {
            // The (i / lineEnds.size())-th line feed replaced.
            int at = -1;
            for (int n = 0; n <= i / lineEnds.size(); ++n)
                at = twoBlocks.indexOf('\n', at + 1);
            text = QByteArray(twoBlocks).replace(at, 1, lineEnds.at(i % lineEnds.size()));
        } else {
            if (damage == "cut") {
                damaged.truncate(i);
            } else if (damage == "long length") {
                // The certificate's length, or its signed part's (so the
                // certificate's grows by one), in three bytes, not two.
                const int at = i == 0 ? 0 : 4;
                QCOMPARE(damaged.at(at + 1), char(0x82));
                damaged[at + 1] = char(0x83);
                damaged.insert(at + 2, '\0');
                if (i == 1)
                    damaged[3] = char(damaged.at(3) + 1);
            } else {
                damaged[i] = char(damage == "flip" ? damaged.at(i) ^ 1 : ~damaged.at(i));
            }
            text = pemOf(damaged);
            if (damage == "first of two")
                text += m_root.pem();
        }
        QVERIFY(writeFile(path, text));

        const QList<QSslCertificate> expected = QSslCertificate::fromData(text, QSsl::Pem);
        if (text.count("-----BEGIN CERTIFICATE-----") > expected.size())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^WapiCertificateModel: .*damaged.pem: certificate \\d"));
        const WapiCertificateModelPrivate read(nullptr);
        QVERIFY2(read.certificates.size() == expected.size(), qPrintable(QString::number(i)));
        for (int k = 0; k < expected.size(); ++k)
            QCOMPARE(differenceFromQt(read.certificates.at(k), expected.at(k)), QString());

        Certificate record;
        if (!onPem && WapiCertificateReader::readCertificate(damaged, &record))
            QCOMPARE(differenceFromQt(record, QSslCertificate(damaged, QSsl::Der)), QString());
    }
}

QTEST_MAIN(TestWapiCertificateModel)
#include "tst_wapicertificatemodel.moc"
