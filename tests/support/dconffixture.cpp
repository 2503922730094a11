// GLib first: its headers use identifiers Qt may define as macros.
#include <glib.h>

#include "dconffixture.h"

#include "touch/settingsitem.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtDebug>

class DconfFixturePrivate
{
public:
    bool writeFile(const QString& path, const QByteArray& contents);
    bool compile(const QByteArray& keyfile);

    QTemporaryDir directory{QDir::tempPath() + QStringLiteral("/velin-dconf-XXXXXX")};
    bool userDatabase = false;
    bool hadProfile = false;
    QByteArray savedProfile;
};

bool DconfFixturePrivate::writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size()) {
        qWarning("DconfFixture: cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

bool DconfFixturePrivate::compile(const QByteArray& keyfile)
{
    const QString base = directory.path();
    const QString sourceDir = base + QStringLiteral("/db.d");
    QDir().mkpath(sourceDir);
    if (!writeFile(sourceDir + QStringLiteral("/00-fixture"), keyfile))
        return false;

    QProcess dconf;
    dconf.setProcessChannelMode(QProcess::MergedChannels);
    dconf.start(QStringLiteral("dconf"), {QStringLiteral("compile"), base + QStringLiteral("/db"), sourceDir});
    if (!dconf.waitForFinished(30000) || dconf.exitStatus() != QProcess::NormalExit || dconf.exitCode() != 0) {
        qWarning("DconfFixture: dconf compile failed: %s %s", qPrintable(dconf.errorString()),
                 dconf.readAll().constData());
        return false;
    }

    QByteArray profile;
    if (userDatabase)
        profile += "user-db:user\n";
    profile += "file-db:" + QFile::encodeName(base + QStringLiteral("/db")) + '\n';
    if (!writeFile(base + QStringLiteral("/profile"), profile))
        return false;
    qputenv("DCONF_PROFILE", QFile::encodeName(base + QStringLiteral("/profile")));
    Touch::SettingsItem::reload();
    return true;
}

DconfFixture::DconfFixture()
    : d(new DconfFixturePrivate)
{
    d->hadProfile = qEnvironmentVariableIsSet("DCONF_PROFILE");
    d->savedProfile = qgetenv("DCONF_PROFILE");
    if (!d->directory.isValid())
        qWarning("DconfFixture: cannot create a temporary directory");
}

DconfFixture::~DconfFixture()
{
    if (d->hadProfile)
        qputenv("DCONF_PROFILE", d->savedProfile);
    else
        qunsetenv("DCONF_PROFILE");
    Touch::SettingsItem::reload();
    delete d;
}

void DconfFixture::setUserDatabaseEnabled(bool enabled)
{
    d->userDatabase = enabled;
}

bool DconfFixture::load(const QMap<QString, QVariant>& values)
{
    GKeyFile* keyfile = g_key_file_new();
    bool ok = true;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const QString& path = it.key();
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        if (!path.startsWith(QLatin1Char('/')) || slash == path.size() - 1) {
            qWarning("DconfFixture: \"%s\" is not a key path", qPrintable(path));
            ok = false;
            continue;
        }
        // Keyfile groups are directories without the slashes around them; the root is "/".
        const QString group = slash == 0 ? QStringLiteral("/") : path.mid(1, slash - 1);
        const QString text = gvariantText(it.value());
        if (text.isEmpty()) {
            qWarning("DconfFixture: cannot store a %s in %s", it.value().typeName(), qPrintable(path));
            ok = false;
            continue;
        }
        g_key_file_set_value(keyfile, group.toUtf8().constData(), path.mid(slash + 1).toUtf8().constData(),
                             text.toUtf8().constData());
    }
    gsize length = 0;
    gchar* data = g_key_file_to_data(keyfile, &length, nullptr);
    const QByteArray contents(data, int(length));
    g_free(data);
    g_key_file_free(keyfile);
    return d->compile(contents) && ok;
}

bool DconfFixture::loadKeyfile(const QString& keyfile)
{
    return d->compile(keyfile.toUtf8());
}

QString DconfFixture::databasePath() const
{
    return d->directory.path() + QStringLiteral("/db");
}

QString DconfFixture::profilePath() const
{
    return d->directory.path() + QStringLiteral("/profile");
}

QString DconfFixture::gvariantText(const QVariant& value)
{
    GVariant* variant = nullptr;
    switch (int(value.userType())) {
    case QMetaType::Bool:
        variant = g_variant_new_boolean(value.toBool());
        break;
    case QMetaType::Int:
        variant = g_variant_new_int32(value.toInt());
        break;
    case QMetaType::UInt:
        variant = g_variant_new_uint32(value.toUInt());
        break;
    case QMetaType::LongLong:
        variant = g_variant_new_int64(value.toLongLong());
        break;
    case QMetaType::ULongLong:
        variant = g_variant_new_uint64(value.toULongLong());
        break;
    case QMetaType::Short:
        variant = g_variant_new_int16(value.value<short>());
        break;
    case QMetaType::UShort:
        variant = g_variant_new_uint16(value.value<ushort>());
        break;
    case QMetaType::UChar:
        variant = g_variant_new_byte(value.value<uchar>());
        break;
    case QMetaType::Double:
        variant = g_variant_new_double(value.toDouble());
        break;
    case QMetaType::QString:
        variant = g_variant_new_string(value.toString().toUtf8().constData());
        break;
    case QMetaType::QStringList: {
        GVariantBuilder builder;
        g_variant_builder_init(&builder, G_VARIANT_TYPE_STRING_ARRAY);
        for (const QString& item : value.toStringList())
            g_variant_builder_add(&builder, "s", item.toUtf8().constData());
        variant = g_variant_builder_end(&builder);
        break;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        variant = g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, bytes.constData(), gsize(bytes.size()), 1);
        break;
    }
    default:
        return QString();
    }
    g_variant_ref_sink(variant);
    // With type annotations, so that "uint32 7" stays a uint32 and "@as []" an array of strings.
    gchar* text = g_variant_print(variant, TRUE);
    const QString result = QString::fromUtf8(text);
    g_free(text);
    g_variant_unref(variant);
    return result;
}
