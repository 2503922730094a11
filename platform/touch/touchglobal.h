#pragma once

#include <QtGlobal>

#if defined(VELINTOUCH_LIBRARY)
#  define VELINTOUCH_EXPORT Q_DECL_EXPORT
#else
#  define VELINTOUCH_EXPORT Q_DECL_IMPORT
#endif
