#include "hostsupport/englishcatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTranslator>

bool loadEnglishCatalogue(QTranslator* translator)
{
    // An installed program reads the catalogue installed beside it; one run
    // from the build tree finds nothing there and reads the built one.
    const QString installed = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(VELIN_QM_DIR_FROM_BIN));
    const QStringList dirs = {qEnvironmentVariable("VELIN_QM_DIR"), installed, QStringLiteral(VELIN_BUILD_QM_DIR)};
    for (const QString& dir : dirs) {
        if (!dir.isEmpty() && translator->load(QStringLiteral("velin-wlan_en"), dir))
            return true;
    }
    return false;
}
