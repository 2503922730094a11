#pragma once

#include "wlanui/wlanuiglobal.h"

#include <QAbstractTableModel>
#include <QByteArray>

namespace Velin {

class WapiCertificateModelPrivate;

/*!
 * The WAPI certificates of the device, for combo boxes: row 0 is the none
 * row (the empty choice), then one row per certificate that passes the
 * filter.  Column Name shows the subject's common name, column Id gives the
 * certificate identifier (its DER subject name, DER issuer name and serial
 * number) that the WAPI certificate properties store.
 *
 * Every PEM certificate of every file in the certificate directory is read
 * once, when the model is made (see WapiCertificateModelPrivate for the
 * directory and how tests and tools choose another one).  Files that change
 * later are seen by a model made later.
 *
 * Filters: all certificates; the root certificates (self-signed); or the
 * user certificates issued by the root chosen with setUserCertificateFilter().
 */
class VELINWLANUI_EXPORT WapiCertificateModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_PROPERTY(Filter filter READ filter WRITE setFilter)

public:
    enum Column { Name = 0, Id = 1 };
    Q_ENUM(Column)

    enum Filter { AllCertificates = 0, RootCertificates = 1, UserCertificates = 2 };
    Q_ENUM(Filter)

    explicit WapiCertificateModel(QObject* parent = nullptr);
    ~WapiCertificateModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    //! Display role only; the none row has a name and no Id.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    Filter filter() const;
    //! Stores the filter and refilters at once.
    void setFilter(Filter filter);

    /*!
     * Chooses as root the first certificate read whose identifier is \a id
     * byte for byte, and refilters; with no match there is no root, and the
     * user filter shows no certificate.
     */
    void setUserCertificateFilter(const QByteArray& id);

    //! The row whose Id is \a id, -1 when none (the none row has no Id).
    int rowForId(const QByteArray& id) const;

private:
    friend class WapiCertificateModelPrivate;
    WapiCertificateModelPrivate* const d;
};

} // namespace Velin
