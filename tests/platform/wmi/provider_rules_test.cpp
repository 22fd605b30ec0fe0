#include "platform/wmi/provider_rules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "error_text.h"
#include "inventory/management/management_table.h"

namespace kestrel::wmi {
namespace {

// An object as a class delivers it; the map must outlive the lookup.
PropertyLookup lookupIn(const PropertyMap& properties) {
    return [&properties](std::string_view name) -> std::optional<InventoryValue> {
        const auto found = properties.find(name);
        if (found == properties.end()) return std::nullopt;
        return found->second;
    };
}

TEST(ProviderRules, OnlyMemoryArraysOfSystemMemoryAreReported) {
    const PropertyMap system{{"Use", 3}, {"MaxCapacity", 33554432}};
    const PropertyMap video{{"Use", 4}, {"MaxCapacity", 524288}};
    const PropertyMap flash{{"Use", 5}};
    const PropertyMap unknown{{"Use", InventoryValue::null()}};
    const PropertyMap noUse{{"MaxCapacity", 4194304}};
    EXPECT_TRUE(isReported("Win32_PhysicalMemoryArray", lookupIn(system)));
    EXPECT_TRUE(isReported("win32_physicalmemoryarray", lookupIn(system)));
    EXPECT_FALSE(isReported("Win32_PhysicalMemoryArray", lookupIn(video)));
    EXPECT_FALSE(isReported("Win32_PhysicalMemoryArray", lookupIn(flash)));
    EXPECT_FALSE(isReported("Win32_PhysicalMemoryArray", lookupIn(unknown)));
    EXPECT_FALSE(isReported("Win32_PhysicalMemoryArray", lookupIn(noUse)));
}

TEST(ProviderRules, ObjectsOfOtherClassesAreAllReported) {
    const PropertyMap module{{"Capacity", "4294967296"}};
    const PropertyMap usedAsSomethingElse{{"Use", 4}};
    EXPECT_TRUE(isReported("Win32_PhysicalMemory", lookupIn(module)));
    EXPECT_TRUE(isReported("Win32_Processor", lookupIn(usedAsSomethingElse)));
}

TEST(ProviderRules, DeliveredValuesPassUnchanged) {
    const PropertyMap processor{{"Name", "CPU"},
                                {"ExtClock", InventoryValue::null()},
                                {"CurrentClockSpeed", 2400},
                                {"Caption", "not read by the scan"}};
    EXPECT_EQ(readProperty("Win32_Processor", "name", lookupIn(processor)), InventoryValue("CPU"));
    EXPECT_TRUE(readProperty("Win32_Processor", "ExtClock", lookupIn(processor)).isNull());
    EXPECT_EQ(readProperty("Win32_Processor", "CurrentClockSpeed", lookupIn(processor)),
              InventoryValue(2400));
    EXPECT_EQ(readProperty("Win32_Processor", "Caption", lookupIn(processor)),
              InventoryValue("not read by the scan"));
}

TEST(ProviderRules, APropertyTheScanReadsButTheClassLacksReadsNull) {
    const PropertyMap processor{{"Name", "CPU"}};
    const PropertyMap module{{"Capacity", "1073741824"}, {"MemoryType", 24}};
    EXPECT_TRUE(readProperty("Win32_Processor", "extclock", lookupIn(processor)).isNull());
    EXPECT_TRUE(readProperty("Win32_PhysicalMemory", "Speed", lookupIn(module)).isNull());
    EXPECT_TRUE(readProperty("WIN32_PHYSICALMEMORY", "manufacturer", lookupIn(module)).isNull());
}

TEST(ProviderRules, AnyOtherMissingPropertyIsAnErrorNamingClassAndProperty) {
    const PropertyMap processor{{"Name", "CPU"}};
    const PropertyMap bios{{"Manufacturer", "Firmware Co"}};
    const PropertyMap nothing;
    // "Speed" and "Capacity" are read from modules, not from these classes.
    const std::vector<std::tuple<const char*, const char*, const PropertyMap*>> cases{
        {"Win32_Processor", "Bogus", &processor},
        {"Win32_Processor", "Speed", &processor},
        {"Win32_Bios", "Capacity", &bios},
        {"Win32_NoSuchClass", "Name", &nothing},
    };
    for (const auto& [className, name, properties] : cases) {
        // Captured by name: clang before 16 cannot capture a structured binding.
        EXPECT_EQ(test::errorOf([&className = className, &name = name, &properties = properties] {
                      readProperty(className, name, lookupIn(*properties));
                  }),
                  std::string(className) + " has no property \"" + name + "\"");
    }
}

TEST(ProviderRules, MemoryTypeIsTheCimCodeUnlessThatIsUnknown) {
    struct Case {
        PropertyMap module;
        InventoryValue expected;
        const char* why;
    };
    const std::vector<Case> cases{
        {{{"MemoryType", 24}, {"SMBIOSMemoryType", 24}}, InventoryValue(24), "CIM code known"},
        {{{"MemoryType", 21}, {"SMBIOSMemoryType", 26}}, InventoryValue(21), "CIM code wins"},
        {{{"MemoryType", 0}, {"SMBIOSMemoryType", 26}}, InventoryValue(26), "DDR4 on Windows 10"},
        {{{"MemoryType", InventoryValue::null()}, {"SMBIOSMemoryType", 34}},
         InventoryValue(34),
         "CIM code Null"},
        {{{"SMBIOSMemoryType", 26}}, InventoryValue(26), "no CIM code"},
        {{{"MemoryType", 0}}, InventoryValue(0), "older system without SMBIOSMemoryType"},
        {{{"MemoryType", 0}, {"SMBIOSMemoryType", InventoryValue::null()}},
         InventoryValue(0),
         "SMBIOS code Null"},
        {{{"Capacity", "1073741824"}}, InventoryValue::null(), "neither"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readProperty("Win32_PhysicalMemory", "memorytype", lookupIn(c.module)),
                  c.expected)
            << c.why;
    }
}

}  // namespace
}  // namespace kestrel::wmi
