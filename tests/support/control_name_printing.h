#pragma once

#include <ostream>

#include "ui/layout/control_name.h"

// Test messages name a control by its layout name.
namespace kestrel::layout {

template <ControlKind Kind>
std::ostream& operator<<(std::ostream& out, ControlName<Kind> control) {
    return out << control.name;
}

}  // namespace kestrel::layout
