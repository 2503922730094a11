#pragma once

#include "wlanui/wlanuiglobal.h"

#include "wlanui/security/wapicertificatemodel.h"

#include <QByteArray>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Velin {

/*!
 * The state and the rules of a WapiCertificateModel: reading the
 * certificate directory, the certificate identifier and the filters.
 *
 * The directory read is defaultDirectory(): certificateDirectoryName on the
 * device.  Tests and developer tools point models at another directory
 * without touching the constant, either with the environment variable
 * VELIN_WAPI_CERTIFICATE_DIR or with setDefaultDirectory(), which wins over
 * the variable.  Models made afterwards read the chosen directory.
 */
class VELINWLANUI_EXPORT WapiCertificateModelPrivate
{
public:
    //! Where the device keeps WAPI certificates: "/home/user/MyDocs/wapi".
    static const QString certificateDirectoryName;

    //! The directory that new models read (see the class comment).
    static QString defaultDirectory();
    //! Chooses the directory for models made from now on; empty goes back
    //! to $VELIN_WAPI_CERTIFICATE_DIR or certificateDirectoryName.
    static void setDefaultDirectory(const QString& directory);

    //! The name fields that decide who issued a certificate, in the order
    //! isIssuerForCertificate() compares them.
    static const QSslCertificate::SubjectInfo issuerFields[6];

    /*!
     * What a model keeps of a certificate it read: everything its rows and
     * filters use, each exactly as QSslCertificate gives it.  Decoding a
     * whole certificate costs far more than reading these, so a
     * QSslCertificate is made only when one is asked for.
     */
    struct Certificate
    {
        //! The whole certificate, as QSslCertificate::toDer() gives it.
        QByteArray der;
        //! constructId() of the certificate.
        QByteArray id;
        //! The Name column: subjectInfo(CommonName), joined with ", ".
        QString commonName;
        //! subjectInfo() and issuerInfo() of issuerFields, index for index.
        QStringList subjectInfo[6];
        QStringList issuerInfo[6];

        QSslCertificate toCertificate() const;
    };

    //! Reads every certificate of the directory, then applies the filter.
    explicit WapiCertificateModelPrivate(WapiCertificateModel* model);
    virtual ~WapiCertificateModelPrivate();

    /*!
     * True when \a issuer's subject names \a certificate's issuer: the
     * organisation, common name, locality, organisational unit, country and
     * state all equal as text (empty equals empty).  Signatures, key
     * identifiers and dates are not looked at.
     */
    bool isIssuerForCertificate(const QSslCertificate& issuer, const QSslCertificate& certificate) const;
    //! The same rule over certificates read.
    static bool isIssuerForCertificate(const Certificate& issuer, const Certificate& certificate);

    /*!
     * The certificate identifier: DER subject name, DER issuer name, 0x02,
     * the length of the serial bytes, then the serial number big-endian
     * (0 for a serial outside 0..2147483647).  Empty, with a warning, when a
     * name cannot be encoded.
     */
    QByteArray constructId(const QSslCertificate& certificate) const;

    //! Rebuilds the filtered rows by the current filter, announcing the
    //! rows removed and each row inserted.
    void filterCertificates();

    WapiCertificateModel* const q;
    WapiCertificateModel::Filter filter = WapiCertificateModel::AllCertificates;
    //! Every certificate read, in reading order.
    QVector<Certificate> certificates;
    //! The certificates shown from row 1 on, as indexes into certificates.
    QVector<int> filteredCertificates;
    //! The chosen root (an owned copy), or null.
    Certificate* rootFilter = nullptr;

private:
    Q_DISABLE_COPY(WapiCertificateModelPrivate)
    friend class WapiCertificateModel;
    void readDirectory(const QString& path);
    // Off until the model is complete: the first filtering happens while it
    // is being built, before any view can watch (and before it can count).
    bool announcing = false;
    bool takes(const Certificate& certificate) const;
};

} // namespace Velin
