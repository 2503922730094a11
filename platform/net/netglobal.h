#pragma once

#include <QtGlobal>

#if defined(VELINNET_LIBRARY)
#  define VELINNET_EXPORT Q_DECL_EXPORT
#else
#  define VELINNET_EXPORT Q_DECL_IMPORT
#endif
