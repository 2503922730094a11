#pragma once

#include <QtGlobal>

#if defined(VELINBASE_LIBRARY)
#  define VELINBASE_EXPORT Q_DECL_EXPORT
#else
#  define VELINBASE_EXPORT Q_DECL_IMPORT
#endif
