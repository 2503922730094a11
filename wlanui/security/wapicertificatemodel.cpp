#include "wlanui/security/wapicertificatemodel.h"
#include "wlanui/security/wapicertificatemodelprivate.h"
#include "wlanui/security/wapicertificatereader_p.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Velin {

namespace {

const char DirectoryVariable[] = "VELIN_WAPI_CERTIFICATE_DIR";

bool directoryChosen = false;
QString& chosenDirectory()
{
    static QString directory;
    return directory;
}

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
    for (const QFileInfo& entry : entries) {
        // Directories hold no certificate, and opening a pipe or a device
        // could block the user interface.
        if (!entry.isFile())
            continue;
        QFile file(entry.absoluteFilePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // The same as reading the PEM certificates from the open file.
        WapiCertificateReader::readPem(file.readAll(), file.fileName(), &certificates);
    }
}

bool WapiCertificateModelPrivate::isIssuerForCertificate(const QSslCertificate& issuer,
                                                         const QSslCertificate& certificate) const
{
    for (QSslCertificate::SubjectInfo field : issuerFields) {
        if (issuer.subjectInfo(field) != certificate.issuerInfo(field))
            return false;
    }
    return true;
}

bool WapiCertificateModelPrivate::isIssuerForCertificate(const Certificate& issuer, const Certificate& certificate)
{
    for (int i = 0; i < 6; ++i) {
        if (issuer.subjectInfo[i] != certificate.issuerInfo[i])
            return false;
    }
    return true;
}

QByteArray WapiCertificateModelPrivate::constructId(const QSslCertificate& certificate) const
{
    return WapiCertificateReader::identifier(certificate);
}

bool WapiCertificateModelPrivate::takes(const Certificate& certificate) const
{
    switch (filter) {
    case WapiCertificateModel::AllCertificates:
        return true;
    case WapiCertificateModel::RootCertificates:
        return isIssuerForCertificate(certificate, certificate);
    case WapiCertificateModel::UserCertificates:
        // Equal as QSslCertificate compares: the whole encoding.
        return rootFilter && !isIssuerForCertificate(certificate, certificate) && certificate.der != rootFilter->der
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
        if (announce)
            q->endRemoveRows();
    }
    for (int i = 0; i < certificates.size(); ++i) {
        if (!takes(certificates.at(i)))
            continue;
        // Every filter announces its rows, all certificates too: a view
        // attached before setFilter(AllCertificates) must learn of them.
        const int row = filteredCertificates.size() + 1;
        if (announce)
            q->beginInsertRows(QModelIndex(), row, row);
        filteredCertificates.append(i);
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
        return d->certificates.at(d->filteredCertificates.at(row - 1)).commonName;
    case Id:
        if (row == 0)
            return QVariant();
        return d->certificates.at(d->filteredCertificates.at(row - 1)).id;
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
    for (const WapiCertificateModelPrivate::Certificate& certificate : qAsConst(d->certificates)) {
        if (certificate.id == id) {
            d->rootFilter = new WapiCertificateModelPrivate::Certificate(certificate);
            break;
        }
    }
    d->filterCertificates();
}

int WapiCertificateModel::rowForId(const QByteArray& id) const
{
    for (int i = 0; i < d->filteredCertificates.size(); ++i) {
        if (d->certificates.at(d->filteredCertificates.at(i)).id == id)
            return i + 1;
    }
    return -1;
}

} // namespace Velin
