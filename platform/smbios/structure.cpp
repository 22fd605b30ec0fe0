#include "platform/smbios/structure.h"

#include <string>
#include <utility>

#include "inventory/error.h"
#include "inventory/text_helpers.h"
#include "platform/smbios/byte_order.h"

namespace kestrel::smbios {
namespace {

constexpr std::size_t kHeaderLength = 4;  // type, length, handle

}  // namespace

Structure::Structure(std::vector<std::uint8_t> formatted, std::vector<std::string> strings)
    : formatted_(std::move(formatted)), strings_(std::move(strings)) {
    if (formatted_.size() < kHeaderLength) {
        throw Error("an SMBIOS structure needs at least its 4-byte header, not " +
                    std::to_string(formatted_.size()) + " bytes");
    }
    for (auto& text : strings_) text.resize(trimTrailingBlanks(text).size());
}

std::uint16_t Structure::handle() const {
    return static_cast<std::uint16_t>(littleEndian(std::span(formatted_).subspan(2, 2)));
}

std::optional<std::uint64_t> Structure::field(std::size_t offset, std::size_t size) const {
    if (offset > formatted_.size() || formatted_.size() - offset < size) return std::nullopt;
    return littleEndian(std::span(formatted_).subspan(offset, size));
}

std::optional<std::uint8_t> Structure::byte(std::size_t offset) const {
    const auto value = field(offset, 1);
    return value ? std::optional(static_cast<std::uint8_t>(*value)) : std::nullopt;
}

std::optional<std::uint16_t> Structure::word(std::size_t offset) const {
    const auto value = field(offset, 2);
    return value ? std::optional(static_cast<std::uint16_t>(*value)) : std::nullopt;
}

std::optional<std::uint32_t> Structure::dword(std::size_t offset) const {
    const auto value = field(offset, 4);
    return value ? std::optional(static_cast<std::uint32_t>(*value)) : std::nullopt;
}

std::optional<std::uint64_t> Structure::qword(std::size_t offset) const { return field(offset, 8); }

std::optional<std::string> Structure::string(std::size_t offset) const {
    const auto index = byte(offset);
    if (!index || *index == 0 || *index > strings_.size()) return std::nullopt;
    return strings_[*index - 1];
}

}  // namespace kestrel::smbios
