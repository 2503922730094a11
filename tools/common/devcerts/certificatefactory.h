#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QSharedPointer>
#include <QSslCertificate>
#include <QString>

#include <openssl/types.h>

// Subject (and issuer) name fields; empty fields are left out of the name.
struct CertificateSubject
{
    QString commonName;         // CN
    QString organization;       // O
    QString organizationalUnit; // OU
    QString locality;           // L
    QString state;              // ST
    QString country;            // C (two letters)
};

struct TestCertificateData;

// A real X.509 certificate with its EC P-256 key, made by CertificateFactory.
class TestCertificate
{
public:
    TestCertificate();

    bool isNull() const;
    QByteArray pem() const;
    QByteArray der() const;
    // The DER encodings of the subject and issuer names (i2d_X509_NAME).
    QByteArray subjectNameDer() const;
    QByteArray issuerNameDer() const;
    QByteArray privateKeyPem() const;
    QSslCertificate toQSslCertificate() const;
    CertificateSubject subject() const;
    // The serial number in upper-case hex, without leading zeros ("0" for zero).
    QByteArray serialHex() const;

    // Owned by this object (and its copies).
    X509* x509() const;
    EVP_PKEY* key() const;

private:
    friend class CertificateFactory;
    QSharedPointer<TestCertificateData> d;
};

// Makes certificates with OpenSSL: self-signed roots, certificates issued by
// another one with a chosen serial number, and PEM files holding them.
class CertificateFactory
{
public:
    struct Options
    {
        CertificateSubject subject;
        quint64 serial = 1;
        // When not empty: the serial as hex digits, for values beyond 64 bits.
        QByteArray serialHex;
        // Null: one day ago / one year from now.
        QDateTime notBefore;
        QDateTime notAfter;
        bool certificateAuthority = false;
    };

    // Self-signed, a certificate authority.
    static TestCertificate createRoot(const CertificateSubject& subject, quint64 serial = 1);
    // Signed by issuer's key, with issuer's subject as issuer name.
    static TestCertificate createIssued(const CertificateSubject& subject, const TestCertificate& issuer,
                                        quint64 serial);
    // issuer null: self-signed.
    static TestCertificate create(const Options& options, const TestCertificate& issuer = TestCertificate());

    static bool writePem(const QString& path, const QList<TestCertificate>& certificates);
    static bool writePem(const QString& path, const TestCertificate& certificate);
    static bool writeDer(const QString& path, const TestCertificate& certificate);
};
