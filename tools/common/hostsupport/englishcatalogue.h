#pragma once

class QTranslator;

// Loads the compiled English catalogue of the logical text ids into
// translator: from $VELIN_QM_DIR, the build tree, or the installed data.
// The tools show texts; the libraries only ever use ids.
bool loadEnglishCatalogue(QTranslator* translator);
