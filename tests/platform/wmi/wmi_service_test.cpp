// The provider against this system's own instrumentation (Wine's, when the tests run there).
#include "platform/wmi/wmi_service.h"

#include <gtest/gtest.h>

#include <windows.h>
#include "error_text.h"

#include <functional>
#include <variant>

#include "inventory/error.h"
#include "wine.h"

namespace kestrel::wmi {
namespace {

using kestrel::test::errorOf;

std::unique_ptr<WmiService> connectedService() {
    auto service = std::make_unique<WmiService>();
    service->connect(localCimv2Moniker());
    return service;
}

std::unique_ptr<ManagementObject> onlyObject(ManagementService& service, const char* className) {
    const auto results = service.execQuery(std::string("Select * from ") + className);
    auto object = results->next();
    EXPECT_TRUE(object) << className;
    EXPECT_FALSE(results->next()) << className << ": more than one object";
    return object;
}

TEST(WmiService, QueriesNeedAConnectionAndTheSelectStarForm) {
    WmiService service;
    EXPECT_EQ(errorOf([&] { service.execQuery("Select * from Win32_Bios"); }),
              "query \"Select * from Win32_Bios\" sent before connecting to the service");
    service.connect(localCimv2Moniker());
    EXPECT_TRUE(errorOf([&] {
                    service.execQuery("Select Name from Win32_Bios");
                }).starts_with("unsupported query"));
}

TEST(WmiService, AFailedConnectionNamesTheCallAndItsHresult) {
    WmiService service;
    EXPECT_EQ(errorOf([&] {
                  service.connect(R"(winmgmts:{impersonationLevel=impersonate}!\\.\root\nosuch)");
              }),
              R"(IWbemLocator::ConnectServer(\\.\root\nosuch) failed with HRESULT 0x8004100E)");
}

TEST(WmiService, ReadsTheComputerSystem) {
    const auto service = connectedService();
    const auto system = onlyObject(*service, "Win32_ComputerSystem");
    ASSERT_TRUE(system);
    EXPECT_TRUE(std::holds_alternative<std::string>(system->property("manufacturer").storage()));
    // A 64-bit count of bytes, delivered as decimal text: the memory Windows itself reports.
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    ASSERT_TRUE(GlobalMemoryStatusEx(&memory));
    EXPECT_EQ(system->property("TotalPhysicalMemory"),
              InventoryValue(std::to_string(memory.ullTotalPhys)));
    EXPECT_EQ(errorOf([&] { system->property("Bogus"); }),
              "Win32_ComputerSystem has no property \"Bogus\"");
}

TEST(WmiService, ClockSpeedsArriveAsIntegers) {
    const auto service = connectedService();
    const auto results = service->execQuery("SELECT * FROM win32_processor");
    const auto processor = results->next();
    ASSERT_TRUE(processor);
    const InventoryValue value = processor->property("CurrentClockSpeed");
    const auto* speed = std::get_if<std::int64_t>(&value.storage());
    ASSERT_TRUE(speed) << describe(value);
    EXPECT_GT(*speed, 0);
}

TEST(WmiService, WhatWineReportsOfTheMemory) {
    if (!test::runningUnderWine()) GTEST_SKIP() << "Wine's fixed answers only";
    const auto service = connectedService();
    EXPECT_FALSE(service->execQuery("Select * from Win32_PhysicalMemoryArray")->next());
    const auto module = onlyObject(*service, "Win32_PhysicalMemory");
    ASSERT_TRUE(module);
    EXPECT_TRUE(module->property("Speed").isNull()) << "Wine's class has no Speed";
    EXPECT_EQ(module->property("MemoryType"), InventoryValue(9)) << "CIM code for RAM";
    const auto processor = onlyObject(*service, "Win32_Processor");
    ASSERT_TRUE(processor);
    EXPECT_TRUE(processor->property("ExtClock").isNull()) << "Wine's class has no ExtClock";
}

}  // namespace
}  // namespace kestrel::wmi
