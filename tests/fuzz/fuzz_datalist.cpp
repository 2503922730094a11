// The plug-in's unpacking of the framework's data lists: lists of any
// length, entries of any type.  A list that does not unpack (not six
// entries, or a network type that is not WLAN) gets the empty answer and a
// warning from every function; one that does gets one of the answers the
// function has.  createInternetAccessPoint() is given only lists that do not
// unpack: the others open the credential sheets and wait for the user.

#include "fuzzinput.h"

#include "wlantype/wlaninternetaccesspointtype.h"

#include "net/internetaccesspoint.h"
#include "net/scanresult.h"

namespace {

QList<QVariant> dataList(Fuzz::Input& in, const QStringList& types)
{
    static const int lengths[] = {6, 6, 6, 6, 0, 1, 5, 7, 12};
    const int length = lengths[in.below(int(sizeof lengths / sizeof *lengths))];
    QList<QVariant> list;
    for (int i = 0; i < length; ++i) {
        // Mostly the type the entry should have, so that lists get far.
        const int form = in.below(4);
        if (form == 0) {
            list.append(in.variant());
        } else if (i == Velin::InternetAccessPoint::NetworkTypeEntry) {
            list.append(form == 1 ? QVariant(in.text(12)) : QVariant(types.at(in.below(types.size()))));
        } else if (i == Velin::InternetAccessPoint::ServiceAttributesEntry
                   || i == Velin::InternetAccessPoint::NetworkAttributesEntry) {
            list.append(QVariant(in.word32()));
        } else if (i == Velin::InternetAccessPoint::NetworkIdEntry) {
            list.append(QVariant(in.bytes(34)));
        } else {
            list.append(QVariant(in.text(12)));
        }
    }
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::application();
    static Velin::WLANInternetAccessPointType type;
    static const QStringList types = type.types();

    Fuzz::Input in(data, size);
    const QList<QVariant> list = dataList(in, types);
    const bool unpacks = list.size() == Velin::InternetAccessPoint::DataEntryCount
        && types.contains(list.at(Velin::InternetAccessPoint::NetworkTypeEntry).toString());

    int warnings = Fuzz::messages().warnings;
    const QString image = type.securityImageName(list);
    if (unpacks) {
        FUZZ_CHECK(image == QLatin1String("icon-s-wlan-wep") || image == QLatin1String("icon-s-wlan-wpa")
                       || (!image.isNull() && image.isEmpty()),
                   "a list that unpacks gets a security icon or the empty, non-null name");
    } else {
        FUZZ_CHECK(image.isNull(), "a list that does not unpack gets no security icon");
        FUZZ_CHECK(Fuzz::messages().warnings > warnings, "a list that does not unpack is reported");
    }

    const int strength = int(int8_t(in.byte()));
    FUZZ_CHECK(type.bearerImageName(list, strength).startsWith(QLatin1String("icon-m-common-wlan")),
               "every list gets the bearer icon");

    Velin::ScanResult result;
    result.setConfiguration(list);
    result.setId(in.bytes(34));
    result.setSaved(in.flag());
    result.setFound(in.flag());
    result.setSignalStrength(in.below(11));
    warnings = Fuzz::messages().warnings;
    const Velin::ScanResult filtered = type.filterScanResult(result);
    if (!unpacks) {
        FUZZ_CHECK(!filtered.isValid(), "a scan result whose list does not unpack is dropped");
        FUZZ_CHECK(Fuzz::messages().warnings > warnings, "a list that does not unpack is reported");
    } else if (filtered.isValid()) {
        FUZZ_CHECK(filtered == result, "a scan result that stays is passed on unchanged");
        const QByteArray id = list.at(Velin::InternetAccessPoint::NetworkIdEntry).toByteArray();
        FUZZ_CHECK(!id.isEmpty() && id != QByteArray(1, '\0'), "a network without an SSID is dropped");
    }

    if (!unpacks) {
        warnings = Fuzz::messages().warnings;
        const Velin::InternetAccessPoint iap = type.createInternetAccessPoint(list);
        FUZZ_CHECK(!iap.isValid(), "a list that does not unpack gives no access point");
        FUZZ_CHECK(Fuzz::messages().warnings > warnings, "a list that does not unpack is reported");
    }
    return 0;
}
