#include "record_builder.h"

#include <numeric>

namespace kestrel::smbios::test {

Record::Record(std::uint8_t type, std::uint16_t handle, std::size_t length) : formatted_(length) {
    formatted_[0] = type;
    formatted_[1] = static_cast<std::uint8_t>(length);
    word(2, handle);
}

Record& Record::little(std::size_t offset, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) formatted_.at(offset + i) = (value >> (8 * i)) & 0xFF;
    return *this;
}

Record& Record::byte(std::size_t offset, std::uint8_t value) { return little(offset, value, 1); }
Record& Record::word(std::size_t offset, std::uint16_t value) { return little(offset, value, 2); }
Record& Record::dword(std::size_t offset, std::uint32_t value) { return little(offset, value, 4); }
Record& Record::qword(std::size_t offset, std::uint64_t value) { return little(offset, value, 8); }

Record& Record::strings(std::vector<std::string> strings) {
    strings_ = std::move(strings);
    return *this;
}

Record& Record::resize(std::size_t length) {
    formatted_.resize(length);
    formatted_[1] = static_cast<std::uint8_t>(length);
    return *this;
}

Bytes Record::bytes() const {
    Bytes bytes = formatted_;
    for (const auto& s : strings_) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        bytes.push_back(0);
    }
    if (strings_.empty()) bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

Structure Record::structure() const { return Structure(formatted_, strings_); }

Bytes tableOf(std::initializer_list<Record> records) {
    Bytes table;
    for (const auto& record : records) {
        const Bytes bytes = record.bytes();
        table.insert(table.end(), bytes.begin(), bytes.end());
    }
    return table;
}

Bytes joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

void fixChecksum(Bytes& bytes, std::size_t from, std::size_t count, std::size_t at) {
    bytes[at] = 0;
    const auto sum = std::accumulate(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(from + count), 0u);
    bytes[at] = static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

Bytes entryPoint32(std::size_t tableLength, std::uint32_t tableAddress, std::uint8_t major,
                   std::uint8_t minor) {
    Bytes ep{'_', 'S', 'M', '_', 0,   0x1F, major, minor, 0, 0, 0, 0, 0, 0, 0, 0,
             '_', 'D', 'M', 'I', '_', 0,    0,     0,     0, 0, 0, 0, 0, 0, 0};
    ep[0x16] = tableLength & 0xFF;
    ep[0x17] = (tableLength >> 8) & 0xFF;
    for (std::size_t i = 0; i < 4; ++i) ep[0x18 + i] = (tableAddress >> (8 * i)) & 0xFF;
    ep[0x1E] = static_cast<std::uint8_t>(major << 4 | minor);
    fixChecksum(ep, 0x10, 0x0F, 0x15);
    fixChecksum(ep, 0, 0x1F, 0x04);
    return ep;
}

Bytes entryPoint64(std::size_t tableLength, std::uint64_t tableAddress, std::uint8_t major,
                   std::uint8_t minor) {
    Bytes ep{'_', 'S', 'M', '3', '_', 0, 0x18, major, minor, 0, 1, 0,
             0,   0,   0,   0,   0,   0, 0,    0,     0,     0, 0, 0};
    for (std::size_t i = 0; i < 4; ++i) ep[0x0C + i] = (tableLength >> (8 * i)) & 0xFF;
    for (std::size_t i = 0; i < 8; ++i) ep[0x10 + i] = (tableAddress >> (8 * i)) & 0xFF;
    fixChecksum(ep, 0, 0x18, 0x05);
    return ep;
}

Bytes dumpOf(const Bytes& entryPoint, const Bytes& table) {
    Bytes dump = entryPoint;
    dump.resize(0x20, 0);
    dump.insert(dump.end(), table.begin(), table.end());
    return dump;
}

Table tableWith(std::initializer_list<Structure> structures) {
    return Table{.entryPoint = {3, 0, true, 0x20, 0}, .structures = structures};
}

}  // namespace kestrel::smbios::test
