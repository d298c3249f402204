#pragma once

// Symbols of the host's support library, VtlLibrary.
#if defined(VTL_BUILDING_LIBRARY)
#define VTL_EXPORT __attribute__((visibility("default")))
#else
#define VTL_EXPORT
#endif
