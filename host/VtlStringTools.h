#pragma once

#include <string>

#include <QString>

#include "host/VtlExport.h"

namespace Vantrel {

class VTL_EXPORT VtlStringTools {
public:
    // Decodes UTF-8 bytes; malformed sequences become replacement characters.
    static QString fromStdStringUTF8(const std::string& text);
};

}  // namespace Vantrel
