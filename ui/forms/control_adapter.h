#pragma once

#include <string>
#include <string_view>

namespace kestrel::forms {

// The adapter a window runtime keeps for one of its controls, keyed by the control's layout
// name: made by make() on first use, then the same one for the window's life, so handlers
// registered on it stay registered.
template <class Adapter, class Map, class Make>
Adapter& controlAdapter(Map& adapters, std::string_view name, Make make) {
    auto found = adapters.find(name);
    if (found == adapters.end()) found = adapters.emplace(std::string(name), make()).first;
    return *found->second;
}

}  // namespace kestrel::forms
