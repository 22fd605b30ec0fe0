#include "scan_fixture.h"

#include <fstream>
#include <sstream>

#include "platform/fixture/fixture_reader.h"

namespace kestrel::test {

ScanRun::ScanRun(const std::string& fixtureJson, std::string decimalSeparator)
    : service(parseFixture(fixtureJson, "fixture")), format(std::move(decimalSeparator)) {}

void ScanRun::run() { inventory = InventoryScan(service, format, kTestSite).run(); }

std::vector<std::string> ScanRun::rows(std::string SystemInventory::ModuleRow::*column) const {
    std::vector<std::string> texts;
    for (const auto& row : inventory.moduleRows) texts.push_back(row.*column);
    return texts;
}

std::string acmeFixture() {
    std::ifstream file(KESTREL_TEST_DATA "/fixtures/acme.json");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace kestrel::test
