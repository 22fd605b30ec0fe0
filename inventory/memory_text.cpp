#include "inventory/memory_text.h"

namespace kestrel {

std::string memoryText(double roundedGB, double exactMB, const ValueFormat& format) {
    if (roundedGB >= 1) return format.text(roundedGB) + " GB";
    return format.text(roundToCents(exactMB)) + " MB";
}

}  // namespace kestrel
