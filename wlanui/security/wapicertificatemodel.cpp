#include "wlanui/security/wapicertificatemodel.h"
#include "wlanui/security/wapicertificatemodelprivate.h"

#include <openssl/asn1.h>
#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/x509.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <limits>

namespace Velin {

namespace {

const char DirectoryVariable[] = "VELIN_WAPI_CERTIFICATE_DIR";

bool directoryChosen = false;
QString& chosenDirectory()
{
    static QString directory;
    return directory;
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
QByteArray serialBytes(const X509* certificate)
{
    int64_t serial = 0;
    if (!ASN1_INTEGER_get_int64(&serial, X509_get0_serialNumber(certificate))) {
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

// What a certificate file held when it was last read.  Decoding a
// certificate costs far more than reading its file (OpenSSL 3 takes about a
// fifth of a millisecond for each one), and every WAPI sheet and editor page
// makes its own models over the same files; so a file whose bytes are the
// same as last time is not decoded again.  Comparing the bytes, not times
// or sizes, keeps the result exactly that of a fresh read.
struct CachedFile
{
    QByteArray contents;
    QList<QSslCertificate> certificates;
    QVector<QByteArray> ids;
};

// The files of the directory read last.  Models live on the UI thread.
struct ReadCache
{
    QString directory;
    QHash<QString, CachedFile> files;
};

ReadCache& readCache()
{
    static ReadCache cache;
    return cache;
}

const QSslCertificate::SubjectInfo IssuerFields[] = {
    QSslCertificate::Organization,
    QSslCertificate::CommonName,
    QSslCertificate::LocalityName,
    QSslCertificate::OrganizationalUnitName,
    QSslCertificate::CountryName,
    QSslCertificate::StateOrProvinceName,
};

} // namespace

const QString WapiCertificateModelPrivate::certificateDirectoryName = QStringLiteral("/home/user/MyDocs/wapi");

QString WapiCertificateModelPrivate::defaultDirectory()
{
    if (directoryChosen)
        return chosenDirectory();
    const QString fromEnvironment = qEnvironmentVariable(DirectoryVariable);
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return certificateDirectoryName;
}

void WapiCertificateModelPrivate::setDefaultDirectory(const QString& directory)
{
    chosenDirectory() = directory;
    directoryChosen = !directory.isEmpty();
}

WapiCertificateModelPrivate::WapiCertificateModelPrivate(WapiCertificateModel* model)
    : q(model)
{
    readDirectory(defaultDirectory());
    filterCertificates();
}

WapiCertificateModelPrivate::~WapiCertificateModelPrivate()
{
    delete rootFilter;
}

void WapiCertificateModelPrivate::readDirectory(const QString& path)
{
    QDir dir(path);
    dir.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    const QFileInfoList entries = dir.entryInfoList();

    ReadCache& cache = readCache();
    const QString directory = dir.absolutePath();
    if (cache.directory != directory)
        cache.files.clear();
    QHash<QString, CachedFile> seen;
    for (const QFileInfo& entry : entries) {
        // Directories hold no certificate, and opening a pipe or a device
        // could block the user interface.
        if (!entry.isFile())
            continue;
        const QString filePath = entry.absoluteFilePath();
        QFile file(filePath);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray contents = file.readAll();
        file.close();
        CachedFile cached = cache.files.value(filePath);
        if (cached.contents.isNull() || cached.contents != contents) {
            cached = CachedFile();
            cached.contents = contents;
            // The same as reading the PEM certificates from the open file.
            cached.certificates = QSslCertificate::fromData(contents, QSsl::Pem);
            for (const QSslCertificate& certificate : qAsConst(cached.certificates))
                cached.ids.append(constructId(certificate));
        }
        certificates.append(cached.certificates);
        ids += cached.ids;
        seen.insert(filePath, cached);
    }
    // Only what the directory holds now stays remembered.
    cache.directory = directory;
    cache.files = seen;
}

void WapiCertificateModelPrivate::forgetReadFiles()
{
    readCache().directory.clear();
    readCache().files.clear();
}

bool WapiCertificateModelPrivate::isIssuerForCertificate(const QSslCertificate& issuer,
                                                         const QSslCertificate& certificate) const
{
    for (QSslCertificate::SubjectInfo field : IssuerFields) {
        if (issuer.subjectInfo(field) != certificate.issuerInfo(field))
            return false;
    }
    return true;
}

QByteArray WapiCertificateModelPrivate::constructId(const QSslCertificate& certificate) const
{
    const auto x509 = static_cast<const X509*>(certificate.handle());
    const QByteArray subject = x509 ? derName(X509_get_subject_name(x509)) : QByteArray();
    if (subject.isEmpty()) {
        qWarning("WapiCertificateModel: Can't decode subject name for certificate");
        return QByteArray();
    }
    const QByteArray issuer = derName(X509_get_issuer_name(x509));
    if (issuer.isEmpty()) {
        qWarning("WapiCertificateModel: Can't decode issuer name for certificate");
        return QByteArray();
    }
    const QByteArray serial = serialBytes(x509);
    QByteArray id;
    id.reserve(subject.size() + issuer.size() + 2 + serial.size());
    id += subject;
    id += issuer;
    id += char(0x02);
    id += char(serial.size());
    id += serial;
    return id;
}

bool WapiCertificateModelPrivate::takes(int index) const
{
    const QSslCertificate& certificate = certificates.at(index);
    switch (filter) {
    case WapiCertificateModel::AllCertificates:
        return true;
    case WapiCertificateModel::RootCertificates:
        return isIssuerForCertificate(certificate, certificate);
    case WapiCertificateModel::UserCertificates:
        return rootFilter && !isIssuerForCertificate(certificate, certificate) && certificate != *rootFilter
            && isIssuerForCertificate(*rootFilter, certificate);
    }
    return false;
}

void WapiCertificateModelPrivate::filterCertificates()
{
    const bool announce = q && announcing;
    // The none row, row 0, always stays.
    if (!filteredCertificates.isEmpty()) {
        if (announce)
            q->beginRemoveRows(QModelIndex(), 1, filteredCertificates.size());
        filteredCertificates.clear();
        filteredIds.clear();
        if (announce)
            q->endRemoveRows();
    }
    for (int i = 0; i < certificates.size(); ++i) {
        if (!takes(i))
            continue;
        // Every filter announces its rows, all certificates too: a view
        // attached before setFilter(AllCertificates) must learn of them.
        const int row = filteredCertificates.size() + 1;
        if (announce)
            q->beginInsertRows(QModelIndex(), row, row);
        filteredCertificates.append(certificates.at(i));
        filteredIds.append(ids.at(i));
        if (announce)
            q->endInsertRows();
    }
}

WapiCertificateModel::WapiCertificateModel(QObject* parent)
    : QAbstractTableModel(parent)
    , d(new WapiCertificateModelPrivate(this))
{
    d->announcing = true;
}

WapiCertificateModel::~WapiCertificateModel()
{
    delete d;
}

int WapiCertificateModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : d->filteredCertificates.size() + 1;
}

int WapiCertificateModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant WapiCertificateModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.parent().isValid())
        return QVariant();
    const int row = index.row();
    if (row < 0 || row > d->filteredCertificates.size())
        return QVariant();
    switch (index.column()) {
    case Name:
        if (row == 0)
            return qtTrId("qtn_conn_none");
        return d->filteredCertificates.at(row - 1).subjectInfo(QSslCertificate::CommonName).join(QStringLiteral(", "));
    case Id:
        if (row == 0)
            return QVariant();
        return d->filteredIds.at(row - 1);
    default:
        return QVariant();
    }
}

WapiCertificateModel::Filter WapiCertificateModel::filter() const
{
    return d->filter;
}

void WapiCertificateModel::setFilter(Filter filter)
{
    d->filter = filter;
    d->filterCertificates();
}

void WapiCertificateModel::setUserCertificateFilter(const QByteArray& id)
{
    delete d->rootFilter;
    d->rootFilter = nullptr;
    // Byte for byte, over everything read, not only the rows shown.
    const int index = d->ids.indexOf(id);
    if (index >= 0)
        d->rootFilter = new QSslCertificate(d->certificates.at(index));
    d->filterCertificates();
}

int WapiCertificateModel::rowForId(const QByteArray& id) const
{
    const int index = d->filteredIds.indexOf(id);
    return index < 0 ? -1 : index + 1;
}

} // namespace Velin
