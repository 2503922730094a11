#include "fuzzinput.h"

#include <QDir>
#include <QFileInfo>
#include <QPoint>
#include <QUrl>

namespace Fuzz {

MessageCounts& messages()
{
    static MessageCounts counts;
    return counts;
}

namespace {

void countMessage(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type == QtWarningMsg)
        ++messages().warnings;
    else if (type == QtFatalMsg)
        std::abort();
    else
        ++messages().others;
}

} // namespace

QApplication* application()
{
    static QApplication* app = nullptr;
    if (!app) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velin-fuzz-session");
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velin-fuzz-system");
        qInstallMessageHandler(countMessage);
        static int argc = 1;
        static char name[] = "velin-fuzz";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
    }
    return app;
}

QString scratchDirectoryTemplate()
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString base = memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    return base + QStringLiteral("/velin-fuzz-XXXXXX");
}

QByteArray Input::bytes(int maximum)
{
    const int length = below(maximum + 1);
    QByteArray result;
    result.reserve(length);
    for (int i = 0; i < length && !atEnd(); ++i)
        result.append(char(byte()));
    return result;
}

QString Input::utf16(int maximum)
{
    const int length = below(maximum + 1);
    QString result;
    result.reserve(length);
    for (int i = 0; i < length && !atEnd(); ++i)
        result.append(QChar(word16()));
    return result;
}

QString Input::text(int maximum)
{
    if (flag())
        return utf16(maximum);
    const int length = below(maximum + 1);
    QString result;
    result.reserve(length);
    for (int i = 0; i < length && !atEnd(); ++i)
        result.append(QChar(ushort(byte())));
    return result;
}

QVariant Input::variant(int depth)
{
    switch (below(20)) {
    case 0:
        return QVariant();
    case 1:
        return QVariant(int(word32()));
    case 2:
        return QVariant(uint(word32()));
    case 3:
        return QVariant(qlonglong(word64()));
    case 4:
        return QVariant(qulonglong(word64()));
    case 5:
        return QVariant::fromValue(short(word16()));
    case 6:
        return QVariant::fromValue(ushort(word16()));
    case 7:
        return QVariant::fromValue(uchar(byte()));
    case 8:
        return QVariant::fromValue(char(byte()));
    case 9:
        return QVariant::fromValue(qint8(byte()));
    case 10:
        return QVariant(flag());
    case 11: {
        const uint64_t bits = word64();
        double number;
        static_assert(sizeof number == sizeof bits, "double is 64 bits");
        memcpy(&number, &bits, sizeof number);
        return QVariant(number);
    }
    case 12:
    case 13:
        return QVariant(text(40));
    case 14:
    case 15:
        return QVariant(bytes(40));
    case 16: {
        QStringList list;
        const int count = below(4);
        for (int i = 0; i < count; ++i)
            list.append(text(8));
        return QVariant(list);
    }
    case 17: {
        QVariantList list;
        if (depth < 3) {
            const int count = below(4);
            for (int i = 0; i < count; ++i)
                list.append(variant(depth + 1));
        }
        return QVariant(list);
    }
    case 18: {
        QVariantMap map;
        if (depth < 3) {
            const int count = below(3);
            for (int i = 0; i < count; ++i)
                map.insert(text(8), variant(depth + 1));
        }
        return QVariant(map);
    }
    default:
        // Types no D-Bus argument or data list has.
        return flag() ? QVariant(QPoint(int(word16()), int(word16()))) : QVariant(QUrl(text(20)));
    }
}

} // namespace Fuzz
