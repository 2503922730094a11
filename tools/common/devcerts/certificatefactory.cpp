#include "devcerts/certificatefactory.h"

#include <openssl/asn1.h>
#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <QFile>
#include <QtDebug>

struct TestCertificateData
{
    ~TestCertificateData()
    {
        X509_free(certificate);
        EVP_PKEY_free(key);
    }

    X509* certificate = nullptr;
    EVP_PKEY* key = nullptr;
};

namespace {

void warnOpenSsl(const char* what)
{
    char buffer[256] = {0};
    ERR_error_string_n(ERR_get_error(), buffer, sizeof buffer);
    ERR_clear_error();
    qWarning("CertificateFactory: %s failed: %s", what, buffer);
}

bool addNameEntry(X509_NAME* name, const char* field, const QString& value)
{
    if (value.isEmpty())
        return true;
    const QByteArray utf8 = value.toUtf8();
    if (!X509_NAME_add_entry_by_txt(name, field, MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(utf8.constData()),
                                    utf8.size(), -1, 0)) {
        warnOpenSsl("X509_NAME_add_entry_by_txt");
        return false;
    }
    return true;
}

QString nameEntry(X509_NAME* name, int nid)
{
    const int index = X509_NAME_get_index_by_NID(name, nid, -1);
    if (index < 0)
        return QString();
    unsigned char* utf8 = nullptr;
    const int length = ASN1_STRING_to_UTF8(&utf8, X509_NAME_ENTRY_get_data(X509_NAME_get_entry(name, index)));
    if (length < 0)
        return QString();
    const QString result = QString::fromUtf8(reinterpret_cast<const char*>(utf8), length);
    OPENSSL_free(utf8);
    return result;
}

bool addExtension(X509* certificate, X509V3_CTX* context, int nid, const char* value)
{
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, context, nid, value);
    if (!extension) {
        warnOpenSsl("X509V3_EXT_conf_nid");
        return false;
    }
    const bool ok = X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
    return ok;
}

bool setTime(ASN1_TIME* time, const QDateTime& when)
{
    return ASN1_TIME_set(time, time_t(when.toSecsSinceEpoch())) != nullptr;
}

QByteArray bioContents(BIO* bio)
{
    char* data = nullptr;
    const long length = BIO_get_mem_data(bio, &data);
    return QByteArray(data, int(length));
}

} // namespace

TestCertificate::TestCertificate() = default;

bool TestCertificate::isNull() const
{
    return !d || !d->certificate;
}

QByteArray TestCertificate::pem() const
{
    if (isNull())
        return QByteArray();
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(bio, d->certificate);
    const QByteArray result = bioContents(bio);
    BIO_free(bio);
    return result;
}

namespace {

QByteArray nameDer(const X509_NAME* name)
{
    unsigned char* data = nullptr;
    const int length = name ? i2d_X509_NAME(name, &data) : -1;
    if (length < 0)
        return QByteArray();
    const QByteArray result(reinterpret_cast<const char*>(data), length);
    OPENSSL_free(data);
    return result;
}

} // namespace

QByteArray TestCertificate::subjectNameDer() const
{
    return isNull() ? QByteArray() : nameDer(X509_get_subject_name(d->certificate));
}

QByteArray TestCertificate::issuerNameDer() const
{
    return isNull() ? QByteArray() : nameDer(X509_get_issuer_name(d->certificate));
}

QByteArray TestCertificate::der() const
{
    if (isNull())
        return QByteArray();
    unsigned char* data = nullptr;
    const int length = i2d_X509(d->certificate, &data);
    if (length < 0)
        return QByteArray();
    const QByteArray result(reinterpret_cast<const char*>(data), length);
    OPENSSL_free(data);
    return result;
}

QByteArray TestCertificate::privateKeyPem() const
{
    if (isNull())
        return QByteArray();
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_PrivateKey(bio, d->key, nullptr, nullptr, 0, nullptr, nullptr);
    const QByteArray result = bioContents(bio);
    BIO_free(bio);
    return result;
}

QSslCertificate TestCertificate::toQSslCertificate() const
{
    return isNull() ? QSslCertificate() : QSslCertificate(der(), QSsl::Der);
}

CertificateSubject TestCertificate::subject() const
{
    CertificateSubject subject;
    if (isNull())
        return subject;
    X509_NAME* name = X509_get_subject_name(d->certificate);
    subject.commonName = nameEntry(name, NID_commonName);
    subject.organization = nameEntry(name, NID_organizationName);
    subject.organizationalUnit = nameEntry(name, NID_organizationalUnitName);
    subject.locality = nameEntry(name, NID_localityName);
    subject.state = nameEntry(name, NID_stateOrProvinceName);
    subject.country = nameEntry(name, NID_countryName);
    return subject;
}

QByteArray TestCertificate::serialHex() const
{
    if (isNull())
        return QByteArray();
    BIGNUM* number = ASN1_INTEGER_to_BN(X509_get0_serialNumber(d->certificate), nullptr);
    char* hex = BN_bn2hex(number);
    QByteArray result(hex);
    OPENSSL_free(hex);
    BN_free(number);
    while (result.size() > 1 && result.startsWith('0'))
        result.remove(0, 1);
    return result;
}

X509* TestCertificate::x509() const
{
    return d ? d->certificate : nullptr;
}

EVP_PKEY* TestCertificate::key() const
{
    return d ? d->key : nullptr;
}

TestCertificate CertificateFactory::createRoot(const CertificateSubject& subject, quint64 serial)
{
    Options options;
    options.subject = subject;
    options.serial = serial;
    options.certificateAuthority = true;
    return create(options);
}

TestCertificate CertificateFactory::createIssued(const CertificateSubject& subject, const TestCertificate& issuer,
                                                 quint64 serial)
{
    Options options;
    options.subject = subject;
    options.serial = serial;
    return create(options, issuer);
}

TestCertificate CertificateFactory::create(const Options& options, const TestCertificate& issuer)
{
    auto data = QSharedPointer<TestCertificateData>::create();
    data->key = EVP_EC_gen("P-256");
    data->certificate = X509_new();
    if (!data->key || !data->certificate) {
        warnOpenSsl("key generation");
        return TestCertificate();
    }
    X509* certificate = data->certificate;
    const bool selfSigned = issuer.isNull();
    X509* issuerCertificate = selfSigned ? certificate : issuer.x509();
    EVP_PKEY* signingKey = selfSigned ? data->key : issuer.key();

    X509_set_version(certificate, 2); // v3

    ASN1_INTEGER* serial = nullptr;
    if (options.serialHex.isEmpty()) {
        serial = ASN1_INTEGER_new();
        ASN1_INTEGER_set_uint64(serial, options.serial);
    } else {
        BIGNUM* number = nullptr;
        if (!BN_hex2bn(&number, options.serialHex.constData())) {
            warnOpenSsl("BN_hex2bn");
            return TestCertificate();
        }
        serial = BN_to_ASN1_INTEGER(number, nullptr);
        BN_free(number);
    }
    X509_set_serialNumber(certificate, serial);
    ASN1_INTEGER_free(serial);

    const QDateTime now = QDateTime::currentDateTimeUtc();
    setTime(X509_getm_notBefore(certificate), options.notBefore.isValid() ? options.notBefore : now.addDays(-1));
    setTime(X509_getm_notAfter(certificate), options.notAfter.isValid() ? options.notAfter : now.addDays(365));

    X509_NAME* name = X509_get_subject_name(certificate);
    const CertificateSubject& s = options.subject;
    if (!addNameEntry(name, "C", s.country) || !addNameEntry(name, "ST", s.state)
        || !addNameEntry(name, "L", s.locality) || !addNameEntry(name, "O", s.organization)
        || !addNameEntry(name, "OU", s.organizationalUnit) || !addNameEntry(name, "CN", s.commonName))
        return TestCertificate();
    X509_set_issuer_name(certificate, X509_get_subject_name(issuerCertificate));
    X509_set_pubkey(certificate, data->key);

    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuerCertificate, certificate, nullptr, nullptr, 0);
    const bool authority = options.certificateAuthority;
    if (!addExtension(certificate, &context, NID_basic_constraints, authority ? "critical,CA:TRUE" : "CA:FALSE")
        || !addExtension(certificate, &context, NID_key_usage,
                         authority ? "critical,keyCertSign,cRLSign" : "critical,digitalSignature,keyAgreement")
        || !addExtension(certificate, &context, NID_subject_key_identifier, "hash"))
        return TestCertificate();
    // The authority key id refers to the issuer's subject key id, so the
    // issuer must already be complete (a self-signed one is: it has its own).
    if (!addExtension(certificate, &context, NID_authority_key_identifier, "keyid:always"))
        return TestCertificate();

    if (X509_sign(certificate, signingKey, EVP_sha256()) <= 0) {
        warnOpenSsl("X509_sign");
        return TestCertificate();
    }

    TestCertificate result;
    result.d = data;
    return result;
}

bool CertificateFactory::writePem(const QString& path, const QList<TestCertificate>& certificates)
{
    QByteArray contents;
    for (const TestCertificate& certificate : certificates)
        contents += certificate.pem();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size()) {
        qWarning("CertificateFactory: cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

bool CertificateFactory::writePem(const QString& path, const TestCertificate& certificate)
{
    return writePem(path, QList<TestCertificate>{certificate});
}

bool CertificateFactory::writeDer(const QString& path, const TestCertificate& certificate)
{
    const QByteArray contents = certificate.der();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size()) {
        qWarning("CertificateFactory: cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}
