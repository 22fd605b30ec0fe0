#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kestrel::windows {

// "0x8004100E": how an HRESULT is looked up in the documentation.
std::string hresultText(HRESULT result);

// Throws Error naming the call and its HRESULT when the call failed.
void check(HRESULT result, std::string_view call);

}  // namespace kestrel::windows
