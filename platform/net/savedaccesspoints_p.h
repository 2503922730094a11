#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace Velin {

// Saved WLAN access points in the settings store: one directory per id under
// /system/ravo/connectivity/wlan/, named by the percent-encoded id, holding
// one key per property plus "type" and "network_attributes".
namespace SavedAccessPoints {

QString root();
QString directory(const QString& id);
// The id a directory name (last path component) stands for: the decoded
// bytes read as Latin-1, as WLAN ids are.
QString idFromComponent(const QString& component);

bool isSaved(const QString& id);
QStringList ids();

// False when nothing is saved for id.
bool read(const QString& id, QList<QVariant>* data, QMap<QString, QVariant>* properties);
bool write(const QString& id, const QString& networkType, uint attributes,
           const QMap<QString, QVariant>& properties);
bool remove(const QString& id);

extern const char typeKey[];
extern const char attributesKey[];

} // namespace SavedAccessPoints

} // namespace Velin
