#include "platform/smbios/entry_point.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>

#include "inventory/error.h"
#include "platform/smbios/byte_order.h"

namespace kestrel::smbios {
namespace {

// 2.x: a 31-byte "_SM_" block with an intermediate "_DMI_" block at 0x10, each checksummed.
constexpr std::size_t kLength32 = 0x1F;
constexpr std::size_t kIntermediate = 0x10;
constexpr std::size_t kIntermediateLength = 0x0F;
// 3.x: one 24-byte "_SM3_" block.
constexpr std::size_t kLength64 = 0x18;

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view anchor) {
    return bytes.size() >= anchor.size() &&
           std::equal(anchor.begin(), anchor.end(), bytes.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

void checkSum(std::span<const std::uint8_t> bytes, const char* what) {
    const auto sum = std::accumulate(
        bytes.begin(), bytes.end(), std::uint8_t{0},
        [](std::uint8_t a, std::uint8_t b) { return static_cast<std::uint8_t>(a + b); });
    if (sum != 0) {
        throw Error(std::string("SMBIOS entry point: the checksum of the ") + what +
                    " is wrong (its " + std::to_string(bytes.size()) + " bytes add up to " +
                    std::to_string(sum) + ", not 0)");
    }
}

// The block must hold every field read, and its declared length must lie within the bytes given.
std::size_t declaredLength(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t needed,
                           std::size_t shortestDeclared, const char* anchor) {
    if (bytes.size() < needed) {
        throw Error(std::string("SMBIOS entry point: the ") + anchor + " block is cut short (" +
                    std::to_string(bytes.size()) + " of " + std::to_string(needed) + " bytes)");
    }
    const std::size_t length = bytes[at];
    if (length < shortestDeclared || length > bytes.size()) {
        throw Error(std::string("SMBIOS entry point: the ") + anchor + " block says it is " +
                    std::to_string(length) + " bytes long; expected " +
                    std::to_string(shortestDeclared) + " up to the " +
                    std::to_string(bytes.size()) + " bytes given");
    }
    return length;
}

EntryPoint parse32(std::span<const std::uint8_t> bytes) {
    // Some 2.1 firmware declares 0x1E for its 0x1F-byte block; the checksum covers what it
    // declares.
    const std::size_t length = declaredLength(bytes, 0x05, kLength32, kLength32 - 1, "_SM_");
    checkSum(bytes.first(length), "_SM_ block");
    if (!startsWith(bytes.subspan(kIntermediate), "_DMI_")) {
        throw Error("SMBIOS entry point: the _SM_ block lacks its _DMI_ part");
    }
    checkSum(bytes.subspan(kIntermediate, kIntermediateLength), "_DMI_ block");
    return EntryPoint{
        .majorVersion = bytes[0x06],
        .minorVersion = bytes[0x07],
        .is64Bit = false,
        .tableAddress = littleEndian(bytes.subspan(0x18, 4)),
        .tableLength = static_cast<std::uint32_t>(littleEndian(bytes.subspan(0x16, 2))),
    };
}

EntryPoint parse64(std::span<const std::uint8_t> bytes) {
    const std::size_t length = declaredLength(bytes, 0x06, kLength64, kLength64, "_SM3_");
    checkSum(bytes.first(length), "_SM3_ block");
    return EntryPoint{
        .majorVersion = bytes[0x07],
        .minorVersion = bytes[0x08],
        .is64Bit = true,
        .tableAddress = littleEndian(bytes.subspan(0x10, 8)),
        .tableLength = static_cast<std::uint32_t>(littleEndian(bytes.subspan(0x0C, 4))),
    };
}

}  // namespace

EntryPoint parseEntryPoint(std::span<const std::uint8_t> bytes) {
    if (startsWith(bytes, "_SM3_")) return parse64(bytes);
    if (startsWith(bytes, "_SM_")) return parse32(bytes);
    throw Error("no SMBIOS entry point: the data starts with neither \"_SM_\" nor \"_SM3_\"");
}

}  // namespace kestrel::smbios
