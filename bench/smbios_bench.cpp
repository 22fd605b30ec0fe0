// Decoding and mapping the largest dump of the corpus, in process. bench/compare-dmidecode
// times whole processes instead.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/smbios/smbios_classes.h"
#include "platform/smbios/smbios_table.h"

namespace {

std::vector<std::uint8_t> largestDump() {
    std::ifstream in(KESTREL_BENCH_DUMP, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void decodeAndMap(benchmark::State& state) {
    const auto dump = largestDump();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            kestrel::smbios::classesFromTable(kestrel::smbios::decodeDump(dump)));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * dump.size()));
}
BENCHMARK(decodeAndMap);

void decodeOnly(benchmark::State& state) {
    const auto dump = largestDump();
    for (auto _ : state) benchmark::DoNotOptimize(kestrel::smbios::decodeDump(dump));
}
BENCHMARK(decodeOnly);

void mapOnly(benchmark::State& state) {
    const auto table = kestrel::smbios::decodeDump(largestDump());
    for (auto _ : state) benchmark::DoNotOptimize(kestrel::smbios::classesFromTable(table));
}
BENCHMARK(mapOnly);

void readFileDecodeAndMap(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            kestrel::smbios::classesFromTable(kestrel::smbios::readDumpFile(KESTREL_BENCH_DUMP)));
    }
}
BENCHMARK(readFileDecodeAndMap);

}  // namespace

BENCHMARK_MAIN();
