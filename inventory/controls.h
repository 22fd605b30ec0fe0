#pragma once

#include <array>
#include <string_view>

// Names of the main window's controls that the scan writes. They are the object names in the
// window's layout, so the scan and the window meet on them.
namespace kestrel::controls {

inline constexpr std::string_view kSystemManufacturer = "Label21";
inline constexpr std::string_view kSystemModel = "Label22";
inline constexpr std::string_view kProductVendor = "Label23";
inline constexpr std::string_view kProductVersion = "Label24";
inline constexpr std::string_view kIdentifyingNumber = "Label25";
inline constexpr std::string_view kSystemType = "Label26";
inline constexpr std::string_view kProcessorName = "Label27";
inline constexpr std::string_view kProcessorManufacturer = "Label28";
inline constexpr std::string_view kProcessorExtClock = "Label29";
inline constexpr std::string_view kBoardManufacturer = "Label30";
inline constexpr std::string_view kBoardProduct = "Label31";
inline constexpr std::string_view kBiosManufacturer = "Label32";
inline constexpr std::string_view kBiosVersion = "Label33";
inline constexpr std::string_view kMemoryManufacturer = "Label34";
inline constexpr std::string_view kInstalledMemory = "Label35";
inline constexpr std::string_view kMaximumMemory = "Label36";
inline constexpr std::string_view kSlotSummary = "Label37";
inline constexpr std::string_view kProcessorClockSpeed = "Label41";

// The 18 value labels in the order the load handler blanks them.
inline constexpr std::array<std::string_view, 18> kValueLabels = {
    "Label21", "Label22", "Label23", "Label24", "Label25", "Label26",
    "Label27", "Label28", "Label29", "Label30", "Label31", "Label32",
    "Label33", "Label34", "Label35", "Label36", "Label37", "Label41"};

inline constexpr std::string_view kSlotsList = "slotsLst";
inline constexpr std::string_view kMemoryList = "memoryLst";
inline constexpr std::string_view kSpeedList = "speedLst";

}  // namespace kestrel::controls
