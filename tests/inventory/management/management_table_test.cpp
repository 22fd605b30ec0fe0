#include "inventory/management/management_table.h"

#include <gtest/gtest.h>

#include "error_text.h"
#include "inventory/error.h"

namespace kestrel {
namespace {

TableService serviceWithOneProcessor() {
    ManagementTable table;
    table.add("Win32_Processor", {{"Name", "CPU A"}, {"CurrentClockSpeed", 2400}});
    table.add("win32_processor",
              {{"NAME", "CPU B"}, {"CurrentClockSpeed", InventoryValue::null()}});
    TableService service(std::move(table));
    service.connect(localCimv2Moniker());
    return service;
}

TEST(Moniker, JoinedFromItsFourPieces) {
    EXPECT_EQ(localCimv2Moniker(), R"(winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2)");
}

TEST(QueryEngine, ClassesAndPropertiesMatchWithoutRegardToCase) {
    TableService service = serviceWithOneProcessor();
    auto results = service.execQuery("SELECT * FROM WIN32_PROCESSOR");
    auto first = results->next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->property("name"), InventoryValue("CPU A"));
    auto second = results->next();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->property("Name"), InventoryValue("CPU B"));
    EXPECT_TRUE(second->property("currentclockspeed").isNull());
    EXPECT_FALSE(results->next());
    EXPECT_FALSE(service.execQuery("Select * from Win32_Bios")->next()) << "unknown class: none";
}

TEST(QueryEngine, RejectsEverythingButSelectStarFromClass) {
    TableService service = serviceWithOneProcessor();
    for (const char* query :
         {"Select Name from Win32_Processor", "Select * from",
          "Select * from Win32_Processor where Name = 'x'", "Delete * from Win32_Processor",
          "Select * from Win32-Processor", ""}) {
        EXPECT_THROW(service.execQuery(query), Error) << query;
    }
    EXPECT_NO_THROW(service.execQuery("  select*from   Win32_Processor "));
}

TEST(QueryEngine, UnknownPropertyNamesTheClass) {
    TableService service = serviceWithOneProcessor();
    auto object = service.execQuery("Select * from Win32_Processor")->next();
    EXPECT_EQ(test::errorOf([&] { object->property("ExtClock"); }),
              "Win32_Processor has no property \"ExtClock\"");
}

TEST(QueryEngine, NeedsAConnectionToTheLocalNamespace) {
    TableService service{ManagementTable{}};
    EXPECT_THROW(service.execQuery("Select * from Win32_Bios"), Error);
    EXPECT_THROW(service.connect(R"(winmgmts:\\server\root\default)"), Error);
}

}  // namespace
}  // namespace kestrel
