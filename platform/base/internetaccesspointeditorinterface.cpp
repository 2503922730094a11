#include "base/internetaccesspointeditorinterface.h"

InternetAccessPointEditorInterface::InternetAccessPointEditorInterface(QObject* parent)
    : QObject(parent)
{
}

InternetAccessPointEditorInterface::~InternetAccessPointEditorInterface() = default;
