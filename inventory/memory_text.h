#pragma once

#include <string>

#include "inventory/inventory_value.h"

namespace kestrel {

// "7.9 GB" from 1 GB up; below that the megabyte figure, rounded to 2 decimals, "384 MB".
// The choice is made on the rounded gigabyte figure; the megabytes come from the exact size.
std::string memoryText(double roundedGB, double exactMB, const ValueFormat& format);

}  // namespace kestrel
