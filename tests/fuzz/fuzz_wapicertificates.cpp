// The WAPI certificate directory with a file of arbitrary contents.  The
// certificate reader promises Qt's results without Qt's full decoding, so
// every input is checked against QSslCertificate: the fast reader of one
// certificate, the PEM reader, and the model made over the directory must
// all give what QSslCertificate gives.
//
// The first byte chooses the form: the rest as a DER certificate (also
// wrapped into a PEM block for the file, so that mutations of the DER reach
// every reader), or the rest as the file's text.

#include "fuzzinput.h"

#include "wlanui/security/wapicertificatemodel.h"
#include "wlanui/security/wapicertificatemodelprivate.h"
#include "wlanui/security/wapicertificatereader_p.h"

#include <QFile>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QVector>

namespace {

using Velin::WapiCertificateReader;
using Certificate = WapiCertificateReader::Certificate;

bool sameRecord(const Certificate& a, const Certificate& b)
{
    if (a.der != b.der || a.id != b.id || a.commonName != b.commonName)
        return false;
    for (int i = 0; i < 6; ++i) {
        if (a.subjectInfo[i] != b.subjectInfo[i] || a.issuerInfo[i] != b.issuerInfo[i])
            return false;
    }
    return true;
}

QByteArray pemBlock(const QByteArray& der)
{
    QByteArray pem = "-----BEGIN CERTIFICATE-----\n";
    const QByteArray base64 = der.toBase64();
    for (int i = 0; i < base64.size(); i += 64)
        pem += base64.mid(i, 64) + '\n';
    pem += "-----END CERTIFICATE-----\n";
    return pem;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::application();
    static QTemporaryDir directory(Fuzz::scratchDirectoryTemplate());
    static const QString path = directory.filePath(QStringLiteral("certificate.pem"));
    static const bool pointed = (Velin::WapiCertificateModelPrivate::setDefaultDirectory(directory.path()), true);
    Q_UNUSED(pointed)

    Fuzz::Input in(data, size);
    const bool derForm = !(in.byte() & 1);
    const QByteArray rest = size > 1 ? QByteArray(reinterpret_cast<const char*>(data) + 1, int(size - 1))
                                     : QByteArray();

    if (derForm) {
        Certificate fast;
        if (WapiCertificateReader::readCertificate(rest, &fast)) {
            const QSslCertificate full(rest, QSsl::Der);
            FUZZ_CHECK(!full.isNull(), "what the fast reader reads is a certificate to Qt too");
            FUZZ_CHECK(sameRecord(fast, WapiCertificateReader::describe(full)),
                       "the fast reader gives what QSslCertificate gives");
        }
    }
    const QByteArray contents = derForm ? pemBlock(rest) : rest;

    QVector<Certificate> read;
    WapiCertificateReader::readPem(contents, path, &read);
    const QList<QSslCertificate> expected = QSslCertificate::fromData(contents, QSsl::Pem);
    FUZZ_CHECK(read.size() == expected.size(), "the PEM reader finds the certificates Qt finds");
    for (int i = 0; i < read.size(); ++i)
        FUZZ_CHECK(sameRecord(read.at(i), WapiCertificateReader::describe(expected.at(i))),
                   "each certificate is read as Qt reads it");

    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the file can be written");
        FUZZ_CHECK(file.write(contents) == contents.size(), "the file can be written");
    }
    const Velin::WapiCertificateModel model;
    FUZZ_CHECK(model.rowCount() == 1 + read.size(), "one row per certificate, after the none row");
    for (int i = 0; i < read.size(); ++i) {
        const int row = i + 1;
        const QByteArray id = model.data(model.index(row, Velin::WapiCertificateModel::Id)).toByteArray();
        FUZZ_CHECK(id == read.at(i).id, "each row has its certificate's identifier");
        FUZZ_CHECK(model.data(model.index(row, Velin::WapiCertificateModel::Name)).toString() == read.at(i).commonName,
                   "each row shows its certificate's common name");
        FUZZ_CHECK(model.rowForId(id) >= 1 && model.rowForId(id) <= row, "a row is found by its identifier");
    }
    return 0;
}
