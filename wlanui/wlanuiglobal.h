#pragma once

#include <QtGlobal>

#if defined(VELINWLANUI_LIBRARY)
#  define VELINWLANUI_EXPORT Q_DECL_EXPORT
#else
#  define VELINWLANUI_EXPORT Q_DECL_IMPORT
#endif
