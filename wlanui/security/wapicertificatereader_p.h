#pragma once

#include "wlanui/security/wapicertificatemodelprivate.h"

#include <QByteArray>
#include <QSslCertificate>
#include <QString>
#include <QVector>

namespace Velin {

/*!
 * Reads the certificates of PEM text into the records a
 * WapiCertificateModel keeps, with the results QSslCertificate would give
 * but without decoding each certificate whole: the blocks are found as
 * QSslCertificate::fromData(pem, QSsl::Pem) finds them, and of each
 * certificate only the names, the serial number and the frame around them
 * are decoded.  A block in any form that this does not check closely is
 * handed to QSslCertificate instead, so the outcome is Qt's either way.
 */
class VELINWLANUI_EXPORT WapiCertificateReader
{
public:
    using Certificate = WapiCertificateModelPrivate::Certificate;

    //! Appends every certificate of \a pem to \a certificates, in order;
    //! warns, naming \a source, about each block that is no certificate.
    static void readPem(const QByteArray& pem, const QString& source, QVector<Certificate>* certificates);

    /*!
     * Reads the certificate at the start of \a der (what follows it is
     * ignored, as by the full decoder) when it is in strict DER, without
     * decoding it whole.  False for every other form, valid or not:
     * readPem() leaves those to QSslCertificate.
     */
    static bool readCertificate(const QByteArray& der, Certificate* certificate);

    //! The record of a certificate that QSslCertificate decoded.
    static Certificate describe(const QSslCertificate& certificate);

    //! WapiCertificateModelPrivate::constructId().
    static QByteArray identifier(const QSslCertificate& certificate);
};

} // namespace Velin
