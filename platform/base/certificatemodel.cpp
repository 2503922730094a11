#include "base/certificatemodel.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/objects.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVector>
#include <QtDebug>

namespace Velin {

namespace {

const char defaultCertificateDirectory[] = "/home/user/MyDocs/certificates";
// Certificate files are small; anything much larger is not one.
const qint64 maximumFileSize = 1024 * 1024;

bool defaultDirectoryChosen = false;
QString& chosenDefaultDirectory()
{
    static QString directory;
    return directory;
}

QString commonName(X509* certificate)
{
    X509_NAME* subject = X509_get_subject_name(certificate);
    const int index = subject ? X509_NAME_get_index_by_NID(subject, NID_commonName, -1) : -1;
    if (index < 0)
        return QString();
    ASN1_STRING* data = X509_NAME_ENTRY_get_data(X509_NAME_get_entry(subject, index));
    unsigned char* utf8 = nullptr;
    const int length = ASN1_STRING_to_UTF8(&utf8, data);
    if (length < 0)
        return QString();
    const QString name = QString::fromUtf8(reinterpret_cast<const char*>(utf8), length);
    OPENSSL_free(utf8);
    return name;
}

// The subject common name of the first PEM certificate in contents; found is
// false when there is no certificate at all.
QString firstCertificateName(const QByteArray& contents, bool* found)
{
    *found = false;
    BIO* bio = BIO_new_mem_buf(contents.constData(), contents.size());
    if (!bio)
        return QString();
    // Skips PEM blocks of other kinds (keys, requests) before the certificate.
    X509* certificate = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr);
    BIO_free(bio);
    // A file without a certificate leaves "no start line" on the error queue.
    ERR_clear_error();
    if (!certificate)
        return QString();
    *found = true;
    const QString name = commonName(certificate);
    X509_free(certificate);
    return name;
}

} // namespace

struct CertificateEntry
{
    QString name;
    QString path;
};

class CertificateModelPrivate
{
public:
    CertificateModelPrivate(CertificateModel* model, const QString& directory)
        : q(model)
        , directory(directory)
    {
    }

    void scan();

    CertificateModel* const q;
    const QString directory;
    QVector<CertificateEntry> entries; // without the empty choice of row 0
};

void CertificateModelPrivate::scan()
{
    entries.clear();
    QDir dir(directory);
    if (directory.isEmpty() || !dir.exists())
        return;
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& info : files) {
        if (info.size() > maximumFileSize)
            continue;
        QFile file(info.absoluteFilePath());
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning("Velin::CertificateModel: cannot read %s: %s", qPrintable(file.fileName()),
                     qPrintable(file.errorString()));
            continue;
        }
        bool found = false;
        const QString name = firstCertificateName(file.readAll(), &found);
        if (!found)
            continue;
        entries.append({name.isEmpty() ? info.fileName() : name, info.absoluteFilePath()});
    }
}

CertificateModel::CertificateModel(QObject* parent)
    : CertificateModel(defaultDirectory(), parent)
{
}

CertificateModel::CertificateModel(const QString& directory, QObject* parent)
    : QAbstractTableModel(parent)
    , d(new CertificateModelPrivate(this, directory))
{
    d->scan();
}

CertificateModel::~CertificateModel()
{
    delete d;
}

QString CertificateModel::defaultDirectory()
{
    if (defaultDirectoryChosen)
        return chosenDefaultDirectory();
    const QString fromEnvironment = qEnvironmentVariable("VELIN_CERTIFICATE_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QLatin1String(defaultCertificateDirectory);
}

void CertificateModel::setDefaultDirectory(const QString& directory)
{
    chosenDefaultDirectory() = directory;
    defaultDirectoryChosen = true;
}

QString CertificateModel::directory() const
{
    return d->directory;
}

void CertificateModel::reload()
{
    beginResetModel();
    d->scan();
    endResetModel();
}

int CertificateModel::rowForValue(const QString& path) const
{
    if (path.isEmpty())
        return 0;
    for (int i = 0; i < d->entries.size(); ++i) {
        if (d->entries.at(i).path == path)
            return i + 1;
    }
    return -1;
}

int CertificateModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : d->entries.size() + 1;
}

int CertificateModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant CertificateModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= 2)
        return QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    if (index.row() == 0)
        return index.column() == NameColumn ? qtTrId("qtn_conn_none") : QString(QLatin1String(""));
    const CertificateEntry& entry = d->entries.at(index.row() - 1);
    return index.column() == NameColumn ? entry.name : entry.path;
}

} // namespace Velin
