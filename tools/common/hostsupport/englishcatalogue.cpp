#include "hostsupport/englishcatalogue.h"

#include <QStringList>
#include <QTranslator>

bool loadEnglishCatalogue(QTranslator* translator)
{
    const QStringList dirs = {qEnvironmentVariable("VELIN_QM_DIR"), QStringLiteral(VELIN_BUILD_QM_DIR),
                              QStringLiteral(VELIN_INSTALLED_QM_DIR)};
    for (const QString& dir : dirs) {
        if (!dir.isEmpty() && translator->load(QStringLiteral("velin-wlan_en"), dir))
            return true;
    }
    return false;
}
