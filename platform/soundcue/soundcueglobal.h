#pragma once

#include <QtGlobal>

#if defined(SOUNDCUE_LIBRARY)
#  define SOUNDCUE_EXPORT Q_DECL_EXPORT
#else
#  define SOUNDCUE_EXPORT Q_DECL_IMPORT
#endif
