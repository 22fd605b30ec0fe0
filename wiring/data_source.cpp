#include "wiring/data_source.h"

#include "inventory/management/machine_facts.h"
#include "inventory/management/management_table.h"
#include "platform/fixture/fixture_reader.h"
#include "platform/smbios/smbios_classes.h"
#include "platform/smbios/smbios_table.h"

namespace kestrel {
namespace {

OpenedSource open(const ThisMachine&) {
    OpenedSource opened;
    opened.service = openMachineService(&opened.sources);
    return opened;
}

OpenedSource open(const FixtureFile& fixture) {
    OpenedSource opened;
    opened.service = std::make_unique<TableService>(readFixtureFile(fixture.path));
    opened.sources.answered.push_back("fixture");
    return opened;
}

OpenedSource open(const DumpFile& dump) {
    const smbios::Table table = smbios::readDumpFile(dump.path);
    OpenedSource opened;
    if (auto notice = smbios::damageNotice(table, dump.path)) {
        opened.sources.notices.push_back(std::move(*notice));
    }
    // A dump's number past the width a property has (an extended maximum capacity of 4 TiB and
    // more, say) is taken as unknown with a notice, as on this machine, not made a scan error.
    opened.service = std::make_unique<TableService>(
        classTable(smbios::factsFromTable(table), opened.sources.notices));
    opened.sources.answered.push_back("smbios");
    return opened;
}

}  // namespace

OpenedSource openDataSource(const DataSource& source) {
    return std::visit([](const auto& chosen) { return open(chosen); }, source);
}

}  // namespace kestrel
