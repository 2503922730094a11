#pragma once

#include <QTemporaryDir>

// The platform data that the gallery's screens read, set up the way the
// framework host sets it up: the shipped EAP catalogue (compiled at build
// time) and the device's "wapi_enabled" flag through a dconf profile of our
// own, and one sample client certificate for the EAP certificate choice.
// Lives as long as the gallery.
class GallerySampleData
{
public:
    GallerySampleData();

private:
    QTemporaryDir m_directory;
};
