// The typing checks of the SSID, WEP key, WPA pre-shared key and WAPI
// pre-shared key fields on arbitrary UTF-16 (lone surrogates, NULs and
// control characters included).  Every input goes through all five checks.
// Each must refuse exactly the texts that break its rule, accept every other
// one, and never change the text or the cursor position.

#include "fuzzinput.h"

#include "wlanui/discovery/ssidvalidator.h"
#include "wlanui/prompts/wepkeyvalidator.h"
#include "wlanui/prompts/wpapskvalidator.h"
#include "wlanui/security/wapipresharedkeytextedit.h"
#include "wlanui/security/wapipskvalidator.h"

namespace {

bool printableAscii(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

bool hexadecimal(const QString& text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            return false;
    }
    return true;
}

void check(const QValidator& validator, const QString& text, int cursor, bool allowed, const char* what)
{
    QString input = text;
    int position = cursor;
    const QValidator::State state = validator.validate(input, position);
    FUZZ_CHECK(input == text, what);
    FUZZ_CHECK(position == cursor, what);
    if (allowed)
        FUZZ_CHECK(state == QValidator::Acceptable, what);
    else
        FUZZ_CHECK(state == QValidator::Invalid, what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::application();
    static const Velin::SSIDValidator ssid;
    static const Velin::WepKeyValidator wep;
    static const Velin::WpaPskValidator wpa;
    static Velin::WapiPresharedKeyTextEdit* const wapiEdit = new Velin::WapiPresharedKeyTextEdit;
    static const Velin::WapiPskValidator wapi(wapiEdit);

    Fuzz::Input in(data, size);
    const QString text = in.text(80);
    const int cursor = in.below(text.size() + 1);
    const int length = text.size();
    const bool ascii = printableAscii(text);

    check(ssid, text, cursor, ascii && length <= 32, "SSID: printable ASCII, at most 32 characters");
    check(wep, text, cursor, ascii && length <= 26, "WEP key: printable ASCII, at most 26 characters");
    check(wpa, text, cursor, ascii && (length <= 63 || (length == 64 && hexadecimal(text))),
          "WPA-PSK: printable ASCII, at most 63 characters or 64 hexadecimal digits");
    wapiEdit->setAsciiMode();
    check(wapi, text, cursor, ascii && length <= 64, "WAPI ASCII key: printable ASCII, at most 64 characters");
    wapiEdit->setHexMode();
    check(wapi, text, cursor, hexadecimal(text) && length <= 64, "WAPI hexadecimal key: at most 64 digits");
    return 0;
}
