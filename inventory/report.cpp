#include "inventory/report.h"

#include <array>
#include <utility>

#include "inventory/inventory_fields.h"

namespace kestrel {
namespace {

constexpr std::size_t kLineCount = 35;
constexpr std::string_view kLineEnd = "\r\n";

// Each section's header line; the line after it and the line before the next header are blank.
constexpr std::array<std::pair<int, std::string_view>, 5> kHeaders = {
    {{1, "System"}, {9, "Motherboard"}, {14, "Processor"}, {21, "Bios"}, {26, "Memory Details"}}};

// Every field line falls on a line of its own that no header or blank line takes.
constexpr bool fieldLinesFit() {
    std::array<bool, kLineCount + 1> taken{};
    for (const auto& [line, title] : kHeaders) {
        taken.at(static_cast<std::size_t>(line)) = true;
        taken.at(static_cast<std::size_t>(line + 1)) = true;
        if (line > 1) taken.at(static_cast<std::size_t>(line - 1)) = true;
    }
    for (const InventoryField& field : kInventoryFields) {
        if (field.reportLine == 0) continue;
        if (taken.at(static_cast<std::size_t>(field.reportLine))) return false;
        taken.at(static_cast<std::size_t>(field.reportLine)) = true;
    }
    return true;
}
static_assert(fieldLinesFit(), "two report lines share a place");

}  // namespace

std::string buildReport(const SystemInventory& inv) {
    std::array<std::string, kLineCount> lines;
    for (const auto& [line, title] : kHeaders) {
        lines[static_cast<std::size_t>(line - 1)] =
            "************" + std::string(title) + "**********";
    }
    // shownText blanks a value's own line breaks: they must not add or forge lines.
    for (const InventoryField& field : kInventoryFields) {
        if (field.reportLine == 0) continue;
        lines[static_cast<std::size_t>(field.reportLine - 1)] =
            std::string(field.reportLabel) + shownText(inv, field.member);
    }
    std::string report;
    for (const std::string& line : lines) (report += line) += kLineEnd;
    return report;
}

}  // namespace kestrel
