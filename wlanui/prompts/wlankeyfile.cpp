#include "wlanui/prompts/wlankeyfile_p.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace Velin {
namespace WlanKeyFile {

QString path()
{
    const QString overridden = qEnvironmentVariable("VELIN_WLAN_KEY_FILE");
    if (!overridden.isEmpty())
        return overridden;
    return QStringLiteral("/usr/share/velin-wlan/wlankeys.txt");
}

bool findKey(const QString& ssid, QString* key)
{
    // Devices without the file are the normal case: nothing to report.
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;

    // ASCII white space only: an SSID may hold a no-break space or another
    // Unicode space, and the file has always been split this way.
    static const QRegularExpression whiteSpace(QStringLiteral("\\s+"));
    QTextStream stream(&file);
    bool found = false;
    QString line;
    while (stream.readLineInto(&line)) {
        const QStringList parts = line.split(whiteSpace, Qt::KeepEmptyParts);
        if (parts.size() < 2)
            continue;
        if (parts.at(0) == ssid) {
            if (key)
                *key = parts.at(1);
            found = true;
            break;
        }
    }
    file.close();
    return found;
}

} // namespace WlanKeyFile
} // namespace Velin
