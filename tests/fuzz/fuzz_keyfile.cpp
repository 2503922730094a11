// The key-file reader on arbitrary file contents.  Where the contents are
// plain ASCII (no carriage return or vertical tab, whose handling belongs to
// the text stream), the answer must be the one the file format gives: the
// second field of the first line of two or more fields whose first field is
// the SSID.  For any contents, a key found holds no white space, and neither
// does the SSID it was found for.

#include "fuzzinput.h"

#include "wlanui/prompts/wlankeyfile_p.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\f';
}

bool hasAsciiSpace(const QString& text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u == ' ' || (u >= '\t' && u <= '\r'))
            return true;
    }
    return false;
}

// A line's fields: split at runs of white space, empty fields kept (a line
// that starts or ends with white space has an empty first or last field).
QList<QByteArray> fields(const QByteArray& line)
{
    QList<QByteArray> result;
    QByteArray field;
    int i = 0;
    while (i < line.size()) {
        if (isSpace(line.at(i))) {
            result.append(field);
            field.clear();
            while (i < line.size() && isSpace(line.at(i)))
                ++i;
        } else {
            field.append(line.at(i++));
        }
    }
    result.append(field);
    return result;
}

QList<QByteArray> lines(const QByteArray& contents)
{
    if (contents.isEmpty())
        return {};
    QList<QByteArray> result = contents.split('\n');
    if (contents.endsWith('\n'))
        result.removeLast();
    return result;
}

// QString::fromLatin1(QByteArray) would stop at a NUL.
QString latin1(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

bool plainAscii(const QByteArray& contents)
{
    for (const char c : contents) {
        if (uchar(c) >= 0x80 || c == '\r' || c == '\v')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::application();
    static QTemporaryDir directory(Fuzz::scratchDirectoryTemplate());
    static const QString path = directory.filePath(QStringLiteral("wlankeys.txt"));
    static const bool pointed = (qputenv("VELIN_WLAN_KEY_FILE", QFile::encodeName(path)), true);
    Q_UNUSED(pointed)

    Fuzz::Input in(data, size);
    const uint8_t choice = in.byte();
    const QByteArray contents = size > 1 ? QByteArray(reinterpret_cast<const char*>(data) + 1, int(size - 1))
                                         : QByteArray();
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the key file can be written");
        FUZZ_CHECK(file.write(contents) == contents.size(), "the key file can be written");
    }

    // Mostly the first field of one of the lines, so that lookups hit.
    const QList<QByteArray> fileLines = lines(contents);
    QString ssid;
    if (!fileLines.isEmpty() && choice < 0xF0)
        ssid = latin1(fields(fileLines.at(choice % fileLines.size())).constFirst());
    else
        ssid = latin1(contents.left(choice & 0x0F));

    QString key = QStringLiteral("untouched");
    const bool found = Velin::WlanKeyFile::findKey(ssid, &key);
    if (found) {
        FUZZ_CHECK(!hasAsciiSpace(key), "a key found holds no white space");
        FUZZ_CHECK(!hasAsciiSpace(ssid), "an SSID with white space never matches");
    } else {
        FUZZ_CHECK(key == QLatin1String("untouched"), "the key is left alone when there is none");
    }

    if (plainAscii(contents)) {
        bool expectedFound = false;
        QByteArray expectedKey;
        for (const QByteArray& line : fileLines) {
            const QList<QByteArray> parts = fields(line);
            if (parts.size() >= 2 && latin1(parts.at(0)) == ssid) {
                expectedFound = true;
                expectedKey = parts.at(1);
                break;
            }
        }
        FUZZ_CHECK(found == expectedFound, "the SSID is found exactly when a line names it");
        if (found)
            FUZZ_CHECK(key == latin1(expectedKey), "the key is the first matching line's");
    }
    return 0;
}
