#include "platform/smbios/smbios_table.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "inventory/error.h"
#include "platform/file_reader.h"
#include "platform/smbios/byte_order.h"
#include "platform/smbios/entry_point.h"

namespace kestrel::smbios {
namespace {

constexpr std::size_t kHeaderLength = 4;
constexpr std::uint8_t kInactive = 126;
constexpr std::uint8_t kEndOfTable = 127;

std::string hex(std::uint64_t value, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
    return text;
}

// Walks the structures of one table, stopping at Type 127, at the end of the bytes, or at the
// first structure that is not whole.
class TableWalker {
  public:
    explicit TableWalker(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    void walk(Table& table) {
        while (!ended_ && !table.damage && offset_ < bytes_.size()) {
            if (auto structure = next(table)) table.structures.push_back(std::move(*structure));
        }
    }

    bool ended() const { return ended_; }
    std::size_t offset() const { return offset_; }

  private:
    std::optional<Structure> next(Table& table) {
        const std::size_t start = offset_;
        const auto broken = [&](const std::string& why) {
            std::string where = "the structure at table offset " + hex(start, 4);
            if (bytes_.size() - start >= kHeaderLength) {
                where += " (type " + std::to_string(bytes_[start]) + ", handle " +
                         hex(littleEndian(bytes_.subspan(start + 2, 2)), 4) + ")";
            }
            table.damage = where + " " + why;
            return std::nullopt;
        };
        if (bytes_.size() - start < kHeaderLength) return broken("is cut short inside its header");
        const std::uint8_t type = bytes_[start];
        const std::size_t length = bytes_[start + 1];
        if (length < kHeaderLength) {
            return broken("says it is " + std::to_string(length) +
                          " bytes long, shorter than its header");
        }
        if (length > bytes_.size() - start) return broken("runs past the end of the table");
        // The strings end with an empty string: two NULs in a row, even when there are none.
        const auto formatted = bytes_.subspan(start, length);
        const auto strings = bytes_.subspan(start + length);
        const std::array<std::uint8_t, 2> terminator{0, 0};
        const auto stringsEnd =
            std::search(strings.begin(), strings.end(), terminator.begin(), terminator.end());
        if (stringsEnd == strings.end()) {
            return broken("has strings without their terminating double NUL");
        }
        offset_ = start + length + static_cast<std::size_t>(stringsEnd - strings.begin()) + 2;
        if (type == kEndOfTable) ended_ = true;
        if (type == kEndOfTable || type == kInactive) return std::nullopt;
        return Structure(
            {formatted.begin(), formatted.end()},
            splitStrings(strings.first(static_cast<std::size_t>(stringsEnd - strings.begin()))));
    }

    static std::vector<std::string> splitStrings(std::span<const std::uint8_t> area) {
        std::vector<std::string> strings;
        strings.reserve(static_cast<std::size_t>(std::count(area.begin(), area.end(), 0)) + 1);
        // An empty string ends the set, as it does for every other reader of the table.
        auto begin = area.begin();
        while (begin != area.end() && *begin != 0) {
            const auto stop = std::find(begin, area.end(), std::uint8_t{0});
            strings.emplace_back(begin, stop);
            begin = stop == area.end() ? stop : stop + 1;
        }
        return strings;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
    bool ended_ = false;
};

}  // namespace

Table decode(std::span<const std::uint8_t> entryPoint, std::span<const std::uint8_t> table) {
    Table result{.entryPoint = parseEntryPoint(entryPoint), .structures = {}};
    const std::size_t announced = result.entryPoint.tableLength;
    TableWalker walker(table.first(std::min(table.size(), announced)));
    walker.walk(result);
    if (!walker.ended() && !result.damage && table.size() < announced) {
        result.damage = "the table ends after " + std::to_string(table.size()) +
                        " bytes, short of the " + std::to_string(announced) +
                        " its entry point announces";
    }
    if (result.damage && result.structures.empty() && walker.offset() == 0) {
        throw Error("SMBIOS table is broken: " + *result.damage);
    }
    // An empty table is damage too: taking it as a machine with nothing to tell would hide the
    // facts that other sources still have.
    if (result.structures.empty()) {
        throw Error("SMBIOS table holds no structures (its entry point announces " +
                    std::to_string(announced) + " bytes)");
    }
    return result;
}

std::optional<std::string> damageNotice(const Table& table, const std::filesystem::path& file) {
    if (!table.damage) return std::nullopt;
    return "warning: " + file.string() + ": " + *table.damage + "; using the " +
           std::to_string(table.structures.size()) + " structures before it";
}

Table decodeDump(std::span<const std::uint8_t> dump) {
    const EntryPoint entryPoint = parseEntryPoint(dump);
    if (entryPoint.tableAddress > dump.size()) {
        throw Error("the entry point puts the SMBIOS table at offset " +
                    hex(entryPoint.tableAddress, 0) + ", past the end of the dump (" +
                    std::to_string(dump.size()) + " bytes)");
    }
    return decode(dump, dump.subspan(static_cast<std::size_t>(entryPoint.tableAddress)));
}

Table readDumpFile(const std::filesystem::path& file) {
    const std::string dump = readWholeFile(file, kLargestTableFile);
    try {
        return decodeDump(
            std::span(reinterpret_cast<const std::uint8_t*>(dump.data()), dump.size()));
    } catch (const Error& e) {
        throw Error(file.string() + ": " + e.what());
    }
}

}  // namespace kestrel::smbios
