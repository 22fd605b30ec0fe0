#include "scan_fixture.h"

#include <fstream>
#include <sstream>

#include "platform/fixture/fixture_reader.h"

namespace kestrel::test {

ScanRun::ScanRun(const std::string& fixtureJson, std::string decimalSeparator)
    : service(parseFixture(fixtureJson, "fixture")), format(std::move(decimalSeparator)) {}

std::string ScanRun::run() {
    InventoryScan scan(service, target, inventory, format, kTestSite);
    return ValueFormat().text(scan.run());
}

std::string acmeFixture() {
    std::ifstream file(KESTREL_TEST_DATA "/fixtures/acme.json");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace kestrel::test
