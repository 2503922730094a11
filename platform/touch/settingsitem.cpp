// GLib's headers come first: they use identifiers that Qt may define as macros.
#include <dconf.h>

#include "touch/settingsitem.h"

#include <QByteArray>
#include <QMutex>
#include <QMutexLocker>
#include <QtDebug>

#include <limits>

namespace Touch {

namespace {

// One client for the whole process: opening the databases is the expensive
// part of a read, so it is done once, on first use.
QBasicMutex clientMutex;
DConfClient* sharedClient = nullptr;

// Returns a new reference to the shared client (created on first use).
DConfClient* acquireClient()
{
    QMutexLocker locker(&clientMutex);
    if (!sharedClient)
        sharedClient = dconf_client_new();
    return static_cast<DConfClient*>(g_object_ref(sharedClient));
}

class ClientRef
{
public:
    ClientRef() : client(acquireClient()) {}
    ~ClientRef() { g_object_unref(client); }
    ClientRef(const ClientRef&) = delete;
    ClientRef& operator=(const ClientRef&) = delete;
    DConfClient* const client;
};

template <typename T>
QVariant integerVariant(T number)
{
    if (number >= T(std::numeric_limits<int>::min()) && number <= T(std::numeric_limits<int>::max()))
        return QVariant(int(number));
    return QVariant(qlonglong(number));
}

QVariant unsignedVariant(quint64 number)
{
    if (number <= quint64(std::numeric_limits<int>::max()))
        return QVariant(int(number));
    if (number <= quint64(std::numeric_limits<qlonglong>::max()))
        return QVariant(qlonglong(number));
    return QVariant(qulonglong(number));
}

QVariant toQVariant(GVariant* value, const QByteArray& key)
{
    if (g_variant_is_of_type(value, G_VARIANT_TYPE("av"))) {
        QVariantList list;
        const gsize count = g_variant_n_children(value);
        for (gsize i = 0; i < count; ++i) {
            GVariant* boxed = g_variant_get_child_value(value, i);
            GVariant* item = g_variant_get_variant(boxed);
            const QVariant converted = toQVariant(item, key);
            g_variant_unref(item);
            g_variant_unref(boxed);
            // An item without counterpart makes the whole list unreadable
            // rather than silently shorter.
            if (!converted.isValid())
                return QVariant();
            list.append(converted);
        }
        return QVariant(list);
    }
    const GVariantType* type = g_variant_get_type(value);
    if (g_variant_type_equal(type, G_VARIANT_TYPE_INT32))
        return QVariant(int(g_variant_get_int32(value)));
    if (g_variant_type_equal(type, G_VARIANT_TYPE_BOOLEAN))
        return QVariant(bool(g_variant_get_boolean(value)));
    if (g_variant_type_equal(type, G_VARIANT_TYPE_STRING)
        || g_variant_type_equal(type, G_VARIANT_TYPE_OBJECT_PATH)) {
        gsize length = 0;
        const gchar* text = g_variant_get_string(value, &length);
        return QVariant(QString::fromUtf8(text, int(length)));
    }
    if (g_variant_type_equal(type, G_VARIANT_TYPE_UINT32))
        return unsignedVariant(g_variant_get_uint32(value));
    if (g_variant_type_equal(type, G_VARIANT_TYPE_INT64))
        return integerVariant<qint64>(g_variant_get_int64(value));
    if (g_variant_type_equal(type, G_VARIANT_TYPE_UINT64))
        return unsignedVariant(g_variant_get_uint64(value));
    if (g_variant_type_equal(type, G_VARIANT_TYPE_INT16))
        return QVariant(int(g_variant_get_int16(value)));
    if (g_variant_type_equal(type, G_VARIANT_TYPE_UINT16))
        return QVariant(int(g_variant_get_uint16(value)));
    if (g_variant_type_equal(type, G_VARIANT_TYPE_BYTE))
        return QVariant(int(g_variant_get_byte(value)));
    if (g_variant_type_equal(type, G_VARIANT_TYPE_DOUBLE))
        return QVariant(double(g_variant_get_double(value)));
    if (g_variant_type_equal(type, G_VARIANT_TYPE_STRING_ARRAY)) {
        QStringList list;
        const gsize count = g_variant_n_children(value);
        list.reserve(int(count));
        for (gsize i = 0; i < count; ++i) {
            GVariant* child = g_variant_get_child_value(value, i);
            gsize length = 0;
            const gchar* text = g_variant_get_string(child, &length);
            list.append(QString::fromUtf8(text, int(length)));
            g_variant_unref(child);
        }
        return QVariant(list);
    }
    if (g_variant_type_equal(type, G_VARIANT_TYPE_BYTESTRING)) {
        gsize length = 0;
        const void* bytes = g_variant_get_fixed_array(value, &length, sizeof(guchar));
        return QVariant(QByteArray(static_cast<const char*>(bytes), int(length)));
    }
    qWarning("Touch::SettingsItem: %s holds a value of type \"%s\", which is not supported",
             key.constData(), g_variant_get_type_string(value));
    return QVariant();
}

// Returns a floating reference, or null (with a warning) for unsupported types.
GVariant* toGVariant(const QVariant& value, const QByteArray& key)
{
    switch (int(value.userType())) {
    case QMetaType::Bool:
        return g_variant_new_boolean(value.toBool());
    case QMetaType::Int:
        return g_variant_new_int32(value.toInt());
    case QMetaType::UInt:
        return g_variant_new_uint32(value.toUInt());
    case QMetaType::LongLong:
        return g_variant_new_int64(value.toLongLong());
    case QMetaType::ULongLong:
        return g_variant_new_uint64(value.toULongLong());
    case QMetaType::Double:
        return g_variant_new_double(value.toDouble());
    case QMetaType::QString:
        return g_variant_new_string(value.toString().toUtf8().constData());
    case QMetaType::QStringList: {
        GVariantBuilder builder;
        g_variant_builder_init(&builder, G_VARIANT_TYPE_STRING_ARRAY);
        const QStringList list = value.toStringList();
        for (const QString& item : list)
            g_variant_builder_add(&builder, "s", item.toUtf8().constData());
        return g_variant_builder_end(&builder);
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, bytes.constData(), gsize(bytes.size()),
                                         sizeof(guchar));
    }
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        QList<GVariant*> items;
        for (const QVariant& item : list) {
            GVariant* converted = toGVariant(item, key);
            if (!converted) {
                for (GVariant* done : qAsConst(items))
                    g_variant_unref(g_variant_ref_sink(done));
                return nullptr;
            }
            items.append(g_variant_new_variant(converted));
        }
        GVariantBuilder builder;
        g_variant_builder_init(&builder, G_VARIANT_TYPE("av"));
        for (GVariant* item : qAsConst(items))
            g_variant_builder_add_value(&builder, item);
        return g_variant_builder_end(&builder);
    }
    default:
        break;
    }
    qWarning("Touch::SettingsItem: cannot store a value of type %s in %s",
             value.typeName() ? value.typeName() : "(unknown)", key.constData());
    return nullptr;
}

} // namespace

class SettingsItemPrivate
{
public:
    SettingsItemPrivate(SettingsItem* item, const QString& path)
        : q(item)
        , key(path)
        , keyBytes(path.toUtf8())
    {
        isKey = dconf_is_key(keyBytes.constData(), nullptr);
        dirBytes = keyBytes.endsWith('/') ? keyBytes : keyBytes + '/';
        isDir = !keyBytes.isEmpty() && dconf_is_dir(dirBytes.constData(), nullptr);
    }

    QStringList children(bool directories) const;

    bool write(GVariant* value);

    SettingsItem* const q;
    const QString key;
    const QByteArray keyBytes;
    QByteArray dirBytes;
    bool isKey = false;
    bool isDir = false;
};

bool SettingsItemPrivate::write(GVariant* value)
{
    ClientRef ref;
    GError* error = nullptr;
    if (!dconf_client_write_sync(ref.client, keyBytes.constData(), value, nullptr, nullptr, &error)) {
        qWarning("Touch::SettingsItem: could not write %s: %s", keyBytes.constData(),
                 error ? error->message : "unknown error");
        if (error)
            g_error_free(error);
        return false;
    }
    return true;
}

SettingsItem::SettingsItem(const QString& key, QObject* parent)
    : QObject(parent)
    , d(new SettingsItemPrivate(this, key))
{
    if (!d->isKey && !d->isDir)
        qWarning("Touch::SettingsItem: \"%s\" is not a valid settings path", d->keyBytes.constData());
}

SettingsItem::~SettingsItem()
{
    delete d;
}

QString SettingsItem::key() const
{
    return d->key;
}

QVariant SettingsItem::value() const
{
    if (!d->isKey)
        return QVariant();
    ClientRef ref;
    GVariant* value = dconf_client_read(ref.client, d->keyBytes.constData());
    if (!value)
        return QVariant();
    const QVariant result = toQVariant(value, d->keyBytes);
    g_variant_unref(value);
    return result;
}

QVariant SettingsItem::value(const QVariant& defaultValue) const
{
    const QVariant result = value();
    return result.isValid() ? result : defaultValue;
}

// Full paths of the children of the item's directory: the directories (whose
// names dconf ends with '/', dropped here) or the keys.
QStringList SettingsItemPrivate::children(bool directories) const
{
    QStringList paths;
    if (!isDir)
        return paths;
    ClientRef ref;
    gint count = 0;
    gchar** names = dconf_client_list(ref.client, dirBytes.constData(), &count);
    const QString prefix = QString::fromUtf8(dirBytes);
    for (gint i = 0; i < count; ++i) {
        const QByteArray name(names[i]);
        if (name.endsWith('/') != directories)
            continue;
        paths.append(prefix + QString::fromUtf8(directories ? name.left(name.size() - 1) : name));
    }
    g_strfreev(names);
    paths.sort();
    return paths;
}

QStringList SettingsItem::listDirs() const
{
    return d->children(true);
}

QStringList SettingsItem::listKeys() const
{
    return d->children(false);
}

bool SettingsItem::set(const QVariant& value)
{
    if (!d->isKey) {
        qWarning("Touch::SettingsItem: cannot write \"%s\": not a key path", d->keyBytes.constData());
        return false;
    }
    if (!value.isValid())
        return d->write(nullptr);
    GVariant* gvalue = toGVariant(value, d->keyBytes);
    if (!gvalue)
        return false;
    return d->write(gvalue);
}

bool SettingsItem::unset()
{
    return set(QVariant());
}

bool SettingsItem::resetDirectory(const QString& path)
{
    QByteArray dir = path.toUtf8();
    if (!dir.endsWith('/'))
        dir += '/';
    // An empty path would otherwise become the root, and reset everything.
    if (path.isEmpty() || !dconf_is_dir(dir.constData(), nullptr)) {
        qWarning("Touch::SettingsItem: cannot reset \"%s\": not a directory path", path.toUtf8().constData());
        return false;
    }
    ClientRef ref;
    GError* error = nullptr;
    // A directory with no value resets everything below it.
    if (!dconf_client_write_sync(ref.client, dir.constData(), nullptr, nullptr, nullptr, &error)) {
        qWarning("Touch::SettingsItem: could not reset %s: %s", dir.constData(),
                 error ? error->message : "unknown error");
        if (error)
            g_error_free(error);
        return false;
    }
    return true;
}

void SettingsItem::reload()
{
    DConfClient* old = nullptr;
    {
        QMutexLocker locker(&clientMutex);
        old = sharedClient;
        sharedClient = nullptr;
    }
    if (old)
        g_object_unref(old);
}

} // namespace Touch
