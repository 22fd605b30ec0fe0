// The whole scan of a machine with many memory modules, the module lists and texts being the
// part that grows with their number. The goal: 32,767 modules (the most a scan counts) well
// under 50 ms, and as many distinct makers within twice the time of one shared maker.
#include <benchmark/benchmark.h>

#include <string>

#include "inventory/inventory_scan.h"
#include "inventory/management/management_table.h"

namespace {

kestrel::ManagementTable machineWithModules(std::int64_t count, bool distinctMakers) {
    kestrel::ManagementTable table;
    for (std::int64_t i = 0; i < count; ++i) {
        table.add(
            "Win32_PhysicalMemory",
            kestrel::PropertyMap{{"Capacity", std::int64_t{8589934592}},
                                 {"MemoryType", 26},
                                 {"Speed", 3200},
                                 {"DeviceLocator", "DIMM " + std::to_string(i)},
                                 {"Manufacturer", distinctMakers ? "Maker " + std::to_string(i)
                                                                 : std::string("Maker")}});
    }
    return table;
}

void scanModules(benchmark::State& state) {
    kestrel::TableService service(machineWithModules(state.range(0), state.range(1) != 0));
    for (auto _ : state) {
        kestrel::InventoryScan scan(service, kestrel::ValueFormat("."),
                                    {"selector.example", "example"});
        benchmark::DoNotOptimize(scan.run());
    }
}
// Arguments: the number of modules; whether each has a maker of its own.
BENCHMARK(scanModules)
    ->ArgsProduct({{8000, 16000, 32767}, {0, 1}})
    ->ArgNames({"modules", "distinctMakers"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
