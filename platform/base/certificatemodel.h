#pragma once

#include "base/baseglobal.h"

#include <QAbstractTableModel>
#include <QString>

namespace Velin {

class CertificateModelPrivate;

// The client certificates a user can pick for EAP: row 0 is "none", then one
// row per file of the certificate directory that holds a PEM certificate.
// Column 0 is the name shown, column 1 the value stored (the file's path).
class VELINBASE_EXPORT CertificateModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_PROPERTY(QString directory READ directory CONSTANT)

public:
    enum Column {
        NameColumn = 0,
        PathColumn = 1
    };

    explicit CertificateModel(QObject* parent = nullptr);
    CertificateModel(const QString& directory, QObject* parent);
    ~CertificateModel() override;

    // VELIN_CERTIFICATE_DIR when set, else /home/user/MyDocs/certificates,
    // unless setDefaultDirectory() chose one.
    static QString defaultDirectory();
    static void setDefaultDirectory(const QString& directory);

    QString directory() const;

    // Scans the directory again.
    void reload();

    // Row whose path column equals path (0 for the empty path), -1 if none.
    int rowForValue(const QString& path) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    CertificateModelPrivate* const d;
};

} // namespace Velin
