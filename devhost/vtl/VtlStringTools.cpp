#include "host/VtlStringTools.h"

namespace Vantrel {

QString VtlStringTools::fromStdStringUTF8(const std::string& text) {
    // The toolkit's conversion from std::string is UTF-8 in both Qt 5 and 6.
    return QString::fromStdString(text);
}

}  // namespace Vantrel
