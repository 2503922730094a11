#include "wlanui/security/wapicertificatereader_p.h"

#include <openssl/asn1.h>
#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/objects.h>
#include <openssl/x509.h>

#include <QDir>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>

namespace Velin {

// The order of the fields compared, and their OpenSSL identifiers.
const QSslCertificate::SubjectInfo WapiCertificateModelPrivate::issuerFields[6] = {
    QSslCertificate::Organization,
    QSslCertificate::CommonName,
    QSslCertificate::LocalityName,
    QSslCertificate::OrganizationalUnitName,
    QSslCertificate::CountryName,
    QSslCertificate::StateOrProvinceName,
};

namespace {

const int FieldNids[6] = {
    NID_organizationName, NID_commonName, NID_localityName, NID_organizationalUnitName, NID_countryName,
    NID_stateOrProvinceName,
};
const int CommonNameField = 1;

const char BeginLine[] = "-----BEGIN CERTIFICATE-----";
const char EndLine[] = "-----END CERTIFICATE-----";

// Skips the spaces that may end a PEM line, then its line feed (LF or
// CR LF); false when the line goes on with anything else or the text ends.
bool skipLineEnd(const QByteArray& pem, int* offset)
{
    char ch = 0;
    while (*offset < pem.size() && (ch = pem.at(*offset)) == ' ')
        ++*offset;
    if (ch == '\n') {
        *offset += 1;
        return true;
    }
    if (ch == '\r' && *offset + 1 < pem.size() && pem.at(*offset + 1) == '\n') {
        *offset += 2;
        return true;
    }
    return false;
}

// One DER element: its tag, its contents and its end.
struct Element
{
    uchar tag = 0;
    const uchar* begin = nullptr;
    const uchar* contents = nullptr;
    const uchar* end = nullptr;
    long size() const { return long(end - begin); }
};

// Reads the element at *at, which must lie wholly before limit, and moves
// *at past it.  Only strict DER is taken (a one-byte tag, a definite length
// in the fewest bytes); other forms go to the full decoder.
bool readElement(const uchar** at, const uchar* limit, Element* element)
{
    const uchar* p = *at;
    if (limit - p < 2 || (p[0] & 0x1f) == 0x1f)
        return false;
    const uchar tag = p[0];
    size_t length = p[1];
    p += 2;
    if (length & 0x80) {
        const int count = int(length & 0x7f);
        if (count == 0 || count > 4 || limit - p < count || p[0] == 0)
            return false;
        length = 0;
        for (int i = 0; i < count; ++i)
            length = (length << 8) | p[i];
        p += count;
        if (length < 0x80)
            return false;
    }
    if (size_t(limit - p) < length)
        return false;
    element->tag = tag;
    element->begin = *at;
    element->contents = p;
    element->end = p + length;
    *at = element->end;
    return true;
}

bool readElement(const uchar** at, const uchar* limit, uchar tag, Element* element)
{
    return readElement(at, limit, element) && element->tag == tag;
}

template <typename T>
using Owned = std::unique_ptr<T, void (*)(T*)>;

// The element decoded by OpenSSL's decoder for its type (the one that
// decoding the whole certificate uses for that part); null unless it
// decodes and uses the element exactly.
template <typename T>
Owned<T> decode(T* (*d2i)(T**, const unsigned char**, long), void (*release)(T*), const Element& element)
{
    const unsigned char* p = element.begin;
    Owned<T> value(d2i(nullptr, &p, element.size()), release);
    if (!value || p != element.end) {
        ERR_clear_error();
        return Owned<T>(nullptr, release);
    }
    return value;
}

template <typename T>
bool decodes(T* (*d2i)(T**, const unsigned char**, long), void (*release)(T*), const Element& element)
{
    return bool(decode(d2i, release, element));
}

// Outside its signed part a decoded certificate is encoded afresh, so its
// bytes stay the same only when that part re-encodes to what it was.
template <typename T>
bool reencodes(T* (*d2i)(T**, const unsigned char**, long), void (*release)(T*),
               int (*i2d)(const T*, unsigned char**), const Element& element)
{
    const Owned<T> value = decode(d2i, release, element);
    if (!value)
        return false;
    unsigned char* buffer = nullptr;
    const int length = i2d(value.get(), &buffer);
    const bool same = length == element.size() && memcmp(buffer, element.begin, size_t(length)) == 0;
    OPENSSL_free(buffer);
    return same;
}

void freeExtensions(X509_EXTENSIONS* extensions)
{
    sk_X509_EXTENSION_pop_free(extensions, X509_EXTENSION_free);
}

// The DER encoding of an X.509 name; empty when it cannot be made.
QByteArray derName(const X509_NAME* name)
{
    if (!name)
        return QByteArray();
    unsigned char* buffer = nullptr;
    const int length = i2d_X509_NAME(name, &buffer);
    if (length <= 0 || !buffer) {
        ERR_clear_error();
        return QByteArray();
    }
    const QByteArray der(reinterpret_cast<const char*>(buffer), length);
    OPENSSL_free(buffer);
    return der;
}

// The serial number as the identifier carries it: big-endian bytes of the
// serial when it fits a signed 32-bit integer and is not negative, else of 0.
QByteArray serialBytes(const ASN1_INTEGER* number)
{
    int64_t serial = 0;
    if (!number || !ASN1_INTEGER_get_int64(&serial, number)) {
        // Longer than 64 bits: fine, it is 0 here.
        ERR_clear_error();
        serial = 0;
    }
    if (serial < 0 || serial > std::numeric_limits<qint32>::max())
        serial = 0;
    // Lower-case hex without leading zeros, decoded in pairs from the right:
    // 0 is 0x00, 255 is 0xff, 256 is 0x01 0x00.
    return QByteArray::fromHex(QByteArray::number(qlonglong(serial), 16));
}

QByteArray composeId(const X509_NAME* subjectName, const X509_NAME* issuerName, const ASN1_INTEGER* serialNumber)
{
    const QByteArray subject = derName(subjectName);
    if (subject.isEmpty()) {
        qWarning("WapiCertificateModel: Can't decode subject name for certificate");
        return QByteArray();
    }
    const QByteArray issuer = derName(issuerName);
    if (issuer.isEmpty()) {
        qWarning("WapiCertificateModel: Can't decode issuer name for certificate");
        return QByteArray();
    }
    const QByteArray serial = serialBytes(serialNumber);
    QByteArray id;
    id.reserve(subject.size() + issuer.size() + 2 + serial.size());
    id += subject;
    id += issuer;
    id += char(0x02);
    id += char(serial.size());
    id += serial;
    return id;
}

// The six fields of a name as QSslCertificate lists them: every entry's
// value as UTF-8, a field's values the most recent entry first.
void readFields(const X509_NAME* name, QStringList* fields)
{
    const int count = X509_NAME_entry_count(name);
    for (int i = 0; i < count; ++i) {
        const X509_NAME_ENTRY* entry = X509_NAME_get_entry(name, i);
        const int nid = OBJ_obj2nid(X509_NAME_ENTRY_get_object(entry));
        const int* field = std::find(std::begin(FieldNids), std::end(FieldNids), nid);
        if (field == std::end(FieldNids))
            continue;
        unsigned char* utf8 = nullptr;
        const int size = ASN1_STRING_to_UTF8(&utf8, X509_NAME_ENTRY_get_data(entry));
        fields[field - FieldNids].prepend(QString::fromUtf8(reinterpret_cast<const char*>(utf8), size));
        OPENSSL_free(utf8);
    }
    ERR_clear_error();
}

} // namespace

// Each part is checked by OpenSSL's decoder for that part, which is what
// the full decoder uses for it, except the public key: the full decoder
// does not insist on its contents either.
bool WapiCertificateReader::readCertificate(const QByteArray& block, Certificate* certificate)
{
    const uchar* at = reinterpret_cast<const uchar*>(block.constData());
    const uchar* const limit = at + block.size();
    Element whole;
    if (!readElement(&at, limit, 0x30, &whole))
        return false;

    // Certificate: the signed part, the signature algorithm, the signature.
    Element signedPart, algorithm, signature;
    at = whole.contents;
    if (!readElement(&at, whole.end, 0x30, &signedPart) || !readElement(&at, whole.end, 0x30, &algorithm)
        || !readElement(&at, whole.end, 0x03, &signature) || at != whole.end)
        return false;
    if (!reencodes(d2i_X509_ALGOR, X509_ALGOR_free, i2d_X509_ALGOR, algorithm)
        || !reencodes(d2i_ASN1_BIT_STRING, ASN1_BIT_STRING_free, i2d_ASN1_BIT_STRING, signature))
        return false;

    // The signed part: [0] version (optional), serial number, signature
    // algorithm, issuer, validity, subject, public key, [3] extensions
    // (optional).  Unique identifiers are rare enough to leave to Qt.
    const uchar* const signedEnd = signedPart.end;
    at = signedPart.contents;
    Element element;
    if (!readElement(&at, signedEnd, &element))
        return false;
    if (element.tag == 0xa0) {
        const uchar* inner = element.contents;
        Element version;
        if (!readElement(&inner, element.end, 0x02, &version) || inner != element.end
            || !decodes(d2i_ASN1_INTEGER, ASN1_INTEGER_free, version) || !readElement(&at, signedEnd, &element))
            return false;
    }
    if (element.tag != 0x02)
        return false;
    const Owned<ASN1_INTEGER> serial = decode(d2i_ASN1_INTEGER, ASN1_INTEGER_free, element);
    if (!serial)
        return false;

    Element signedAlgorithm, issuerElement, validity, subjectElement, publicKey;
    if (!readElement(&at, signedEnd, 0x30, &signedAlgorithm)
        || !decodes(d2i_X509_ALGOR, X509_ALGOR_free, signedAlgorithm)
        || !readElement(&at, signedEnd, 0x30, &issuerElement) || !readElement(&at, signedEnd, 0x30, &validity)
        || !readElement(&at, signedEnd, 0x30, &subjectElement) || !readElement(&at, signedEnd, 0x30, &publicKey))
        return false;
    const Owned<X509_NAME> issuer = decode(d2i_X509_NAME, X509_NAME_free, issuerElement);
    const Owned<X509_NAME> subject = decode(d2i_X509_NAME, X509_NAME_free, subjectElement);
    if (!issuer || !subject)
        return false;

    const uchar* inner = validity.contents;
    Element notBefore, notAfter;
    if (!readElement(&inner, validity.end, &notBefore) || !readElement(&inner, validity.end, &notAfter)
        || inner != validity.end || !decodes(d2i_ASN1_TIME, ASN1_TIME_free, notBefore)
        || !decodes(d2i_ASN1_TIME, ASN1_TIME_free, notAfter))
        return false;

    inner = publicKey.contents;
    Element keyAlgorithm, key;
    if (!readElement(&inner, publicKey.end, 0x30, &keyAlgorithm) || !readElement(&inner, publicKey.end, 0x03, &key)
        || inner != publicKey.end || !decodes(d2i_X509_ALGOR, X509_ALGOR_free, keyAlgorithm)
        || !decodes(d2i_ASN1_BIT_STRING, ASN1_BIT_STRING_free, key))
        return false;

    if (at != signedEnd) {
        Element tagged, extensions;
        if (!readElement(&at, signedEnd, 0xa3, &tagged) || at != signedEnd)
            return false;
        inner = tagged.contents;
        if (!readElement(&inner, tagged.end, 0x30, &extensions) || inner != tagged.end
            || !decodes(d2i_X509_EXTENSIONS, freeExtensions, extensions))
            return false;
    }

    certificate->der = QByteArray(reinterpret_cast<const char*>(whole.begin), int(whole.size()));
    certificate->id = composeId(subject.get(), issuer.get(), serial.get());
    readFields(subject.get(), certificate->subjectInfo);
    readFields(issuer.get(), certificate->issuerInfo);
    certificate->commonName = certificate->subjectInfo[CommonNameField].join(QStringLiteral(", "));
    return true;
}

QSslCertificate WapiCertificateModelPrivate::Certificate::toCertificate() const
{
    return QSslCertificate(der, QSsl::Der);
}

void WapiCertificateReader::readPem(const QByteArray& pem, const QString& source, QVector<Certificate>* certificates)
{
    // Blocks are found, and malformed framing ends the reading, exactly as
    // QSslCertificate::fromData() does it.
    int offset = 0;
    for (int block = 1;; ++block) {
        int start = pem.indexOf(BeginLine, offset);
        if (start < 0)
            return;
        start += int(sizeof BeginLine) - 1;
        if (!skipLineEnd(pem, &start)) {
            qWarning("WapiCertificateModel: %s: certificate %d: its begin line goes on with other text;"
                     " the rest of the file is not read",
                     qPrintable(QDir::toNativeSeparators(source)), block);
            return;
        }
        const int end = pem.indexOf(EndLine, start);
        if (end < 0) {
            qWarning("WapiCertificateModel: %s: certificate %d has no end line; the rest of the file is not read",
                     qPrintable(QDir::toNativeSeparators(source)), block);
            return;
        }
        offset = end + int(sizeof EndLine) - 1;
        if (offset < pem.size() && !skipLineEnd(pem, &offset)) {
            qWarning("WapiCertificateModel: %s: certificate %d: its end line goes on with other text;"
                     " the rest of the file is not read",
                     qPrintable(QDir::toNativeSeparators(source)), block);
            return;
        }
        const QByteArray der = QByteArray::fromBase64(QByteArray::fromRawData(pem.constData() + start, end - start));
        Certificate certificate;
        if (readCertificate(der, &certificate)) {
            certificates->append(certificate);
            continue;
        }
        const QSslCertificate decoded(der, QSsl::Der);
        if (decoded.isNull()) {
            qWarning("WapiCertificateModel: %s: certificate %d is not a valid certificate and is left out",
                     qPrintable(QDir::toNativeSeparators(source)), block);
            continue;
        }
        certificates->append(describe(decoded));
    }
}

WapiCertificateReader::Certificate WapiCertificateReader::describe(const QSslCertificate& certificate)
{
    Certificate described;
    described.der = certificate.toDer();
    described.id = identifier(certificate);
    for (int i = 0; i < 6; ++i) {
        described.subjectInfo[i] = certificate.subjectInfo(WapiCertificateModelPrivate::issuerFields[i]);
        described.issuerInfo[i] = certificate.issuerInfo(WapiCertificateModelPrivate::issuerFields[i]);
    }
    described.commonName = described.subjectInfo[CommonNameField].join(QStringLiteral(", "));
    return described;
}

QByteArray WapiCertificateReader::identifier(const QSslCertificate& certificate)
{
    const auto x509 = static_cast<const X509*>(certificate.handle());
    if (!x509) {
        qWarning("WapiCertificateModel: Can't decode subject name for certificate");
        return QByteArray();
    }
    return composeId(X509_get_subject_name(x509), X509_get_issuer_name(x509), X509_get0_serialNumber(x509));
}

} // namespace Velin
