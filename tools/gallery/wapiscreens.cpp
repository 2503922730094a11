// Gallery screens of the WAPI sheet: the pre-shared key variant fresh and
// with a hexadecimal key typed, the certificate variant fresh, with its root
// list open, and with a root and a user certificate chosen.  The
// certificates are made with OpenSSL when the first of these screens shows.
#include "galleryscreen.h"

#include "wlanui/security/wapicertificatemodelprivate.h"
#include "wlanui/security/wapipresharedkeytextedit.h"
#include "wlanui/security/wapisheet.h"

#include "touch/combobox.h"

#include "devcerts/certificatefactory.h"

#include <QDir>
#include <QGraphicsItem>
#include <QTemporaryDir>

namespace {

template <typename T>
QList<T *> findItems(const QGraphicsItem *root)
{
    QList<T *> found;
    const QList<QGraphicsItem *> children = root->childItems();
    for (QGraphicsItem *child : children) {
        if (QGraphicsObject *object = child->toGraphicsObject()) {
            if (T *match = qobject_cast<T *>(object))
                found << match;
        }
        found += findItems<T>(child);
    }
    return found;
}

CertificateSubject subject(const QString &commonName, const QString &organization)
{
    CertificateSubject s;
    s.commonName = commonName;
    s.organization = organization;
    s.organizationalUnit = QStringLiteral("WAPI");
    s.country = QStringLiteral("CN");
    return s;
}

// Two roots, each with its users, in a directory that lives as long as the
// gallery; the WAPI certificate models read it.  Left alone when
// $VELIN_WAPI_CERTIFICATE_DIR names the developer's own.
void provideCertificates()
{
    static bool done = false;
    if (done || qEnvironmentVariableIsSet("VELIN_WAPI_CERTIFICATE_DIR"))
        return;
    done = true;
    static QTemporaryDir directory(QDir::tempPath() + QStringLiteral("/velin-gallery-wapi-XXXXXX"));
    if (!directory.isValid()) {
        qWarning("Gallery: no temporary directory for the WAPI certificates");
        return;
    }
    const QDir dir(directory.path());
    const TestCertificate office = CertificateFactory::createRoot(subject(QStringLiteral("Office WAPI CA"),
                                                                          QStringLiteral("Example Corp")), 1);
    const TestCertificate campus = CertificateFactory::createRoot(subject(QStringLiteral("Campus WAPI CA"),
                                                                          QStringLiteral("Example University")), 1);
    const QList<TestCertificate> users = {
        CertificateFactory::createIssued(subject(QStringLiteral("handset-0042"), QStringLiteral("Example Corp")), office, 42),
        CertificateFactory::createIssued(subject(QStringLiteral("handset-0043"), QStringLiteral("Example Corp")), office, 43),
        CertificateFactory::createIssued(subject(QStringLiteral("student-7731"), QStringLiteral("Example University")),
                                         campus, 7731),
    };
    const bool written = CertificateFactory::writePem(dir.filePath(QStringLiteral("campus-ca.pem")), campus)
        && CertificateFactory::writePem(dir.filePath(QStringLiteral("office-ca.pem")), office)
        && CertificateFactory::writePem(dir.filePath(QStringLiteral("users.pem")), users);
    if (!written) {
        qWarning("Gallery: cannot write the WAPI certificates");
        return;
    }
    Velin::WapiCertificateModelPrivate::setDefaultDirectory(directory.path());
}

Velin::WapiSheet *wapiSheet(Velin::WapiSheet::Type type, Touch::ApplicationWindow *window)
{
    provideCertificates();
    auto sheet = new Velin::WapiSheet(QStringLiteral("Teahouse"), type);
    sheet->appear(window);
    return sheet;
}

Touch::SceneWindow *pskSheet(Touch::ApplicationWindow *window)
{
    return wapiSheet(Velin::WapiSheet::PreSharedKey, window);
}

// Hexadecimal chosen (which clears the field), then an odd number of digits.
Touch::SceneWindow *pskSheetHex(Touch::ApplicationWindow *window)
{
    Velin::WapiSheet *sheet = wapiSheet(Velin::WapiSheet::PreSharedKey, window);
    const QList<Touch::ComboBox *> combos = findItems<Touch::ComboBox>(sheet);
    const QList<Velin::WapiPresharedKeyTextEdit *> edits = findItems<Velin::WapiPresharedKeyTextEdit>(sheet);
    if (!combos.isEmpty() && !edits.isEmpty()) {
        combos.first()->setCurrentIndex(1);
        edits.first()->insert(QStringLiteral("0a1b2c3d4e5f607"));
    }
    return sheet;
}

Touch::SceneWindow *certificateSheet(Touch::ApplicationWindow *window)
{
    return wapiSheet(Velin::WapiSheet::Certificate, window);
}

Touch::SceneWindow *certificateSheetRootList(Touch::ApplicationWindow *window)
{
    Velin::WapiSheet *sheet = wapiSheet(Velin::WapiSheet::Certificate, window);
    const QList<Touch::ComboBox *> combos = findItems<Touch::ComboBox>(sheet);
    if (!combos.isEmpty())
        combos.first()->showPopup();
    return sheet;
}

// The office root (row 2: the none row, then the roots by file name), then
// its first user certificate: Connect is enabled.
Touch::SceneWindow *certificateSheetChosen(Touch::ApplicationWindow *window)
{
    Velin::WapiSheet *sheet = wapiSheet(Velin::WapiSheet::Certificate, window);
    const QList<Touch::ComboBox *> combos = findItems<Touch::ComboBox>(sheet);
    if (combos.size() == 2) {
        combos.at(0)->setCurrentIndex(2);
        combos.at(1)->setCurrentIndex(1);
    }
    return sheet;
}

const GalleryRegistration psk({270, QStringLiteral("wapi-psk-sheet"), QStringLiteral("WAPI sheet, pre-shared key"), pskSheet});
const GalleryRegistration pskHex({271, QStringLiteral("wapi-psk-sheet-hex"),
                                  QStringLiteral("WAPI sheet, hexadecimal key typed"), pskSheetHex});
const GalleryRegistration certificates({272, QStringLiteral("wapi-certificate-sheet"),
                                        QStringLiteral("WAPI sheet, certificates"), certificateSheet});
const GalleryRegistration rootList({273, QStringLiteral("wapi-certificate-sheet-roots"),
                                    QStringLiteral("WAPI sheet, root certificate list"), certificateSheetRootList});
const GalleryRegistration chosen({274, QStringLiteral("wapi-certificate-sheet-chosen"),
                                  QStringLiteral("WAPI sheet, root and user certificate chosen"), certificateSheetChosen});

} // namespace
