#include "platform/linux/udev_memory.h"

#include <gtest/gtest.h>

namespace kestrel::linux_machine {
namespace {

TEST(UdevMemory, OnlyMemoryKeysCountAndOddValuesBecomeNull) {
    EXPECT_FALSE(UdevMemory::parse("I:1234\nE:ID_VENDOR=x\nG:systemd\n"));
    const auto memory = UdevMemory::parse(
        "I:99\nE:MEMORY_ARRAY_NUM_DEVICES=2\n"
        "E:MEMORY_DEVICE_10_SIZE=17179869184\nE:MEMORY_DEVICE_10_TYPE=DDR5\n"
        "E:MEMORY_DEVICE_10_SPEED_MTS=0\nE:MEMORY_DEVICE_10_LOCATOR=B\n"
        "E:MEMORY_DEVICE_2_SIZE=huge\nE:MEMORY_DEVICE_2_TYPE=Brand-New-RAM\n"
        "E:MEMORY_DEVICE_2_LOCATOR=A=1\nE:MEMORY_DEVICE_x_SIZE=1\nE:MEMORY_DEVICE_3_PRESENT=0\n");
    ASSERT_TRUE(memory);
    const auto modules = memory->modules();
    ASSERT_EQ(modules.size(), 2u) << "devices by index, the empty one left out";
    EXPECT_EQ(modules[0].capacityBytes, std::nullopt);
    EXPECT_EQ(modules[0].memoryType, std::nullopt);
    EXPECT_EQ(modules[0].deviceLocator, "A=1");
    EXPECT_EQ(modules[0].manufacturer, std::nullopt);
    EXPECT_EQ(modules[1].capacityBytes, 17179869184);
    EXPECT_EQ(modules[1].memoryType, 34);
    EXPECT_EQ(modules[1].speedMts, std::nullopt) << "0 MT/s means unknown";

    const auto arrays = memory->arrays();
    ASSERT_EQ(arrays.size(), 1u);
    EXPECT_EQ(arrays[0].maxCapacityKiB, std::nullopt);
    EXPECT_EQ(arrays[0].memoryDevices, 2);
}

TEST(UdevMemory, TheMakersCodeAsTheTableHoldsIt) {
    const auto memory = UdevMemory::parse(
        "E:MEMORY_DEVICE_0_SIZE=1\nE:MEMORY_DEVICE_0_MODULE_MANUFACTURER_ID=Bank 1, Hex 0xCE\n"
        "E:MEMORY_DEVICE_1_SIZE=1\nE:MEMORY_DEVICE_1_MODULE_MANUFACTURER_ID=Bank 6, Hex 0x9B\n"
        "E:MEMORY_DEVICE_2_SIZE=1\nE:MEMORY_DEVICE_2_MODULE_MANUFACTURER_ID=Bank 0, Hex 0x9B\n"
        "E:MEMORY_DEVICE_3_SIZE=1\nE:MEMORY_DEVICE_3_MODULE_MANUFACTURER_ID=Bank 1, Hex 0xCE0\n"
        "E:MEMORY_DEVICE_4_SIZE=1\n"
        "E:MEMORY_DEVICE_5_SIZE=1\nE:MEMORY_DEVICE_5_MODULE_MANUFACTURER_ID=Bank 128, Hex 0xCE\n"
        "E:MEMORY_DEVICE_6_SIZE=1\nE:MEMORY_DEVICE_6_MODULE_MANUFACTURER_ID=Bank 1, Hex 0x00\n");
    ASSERT_TRUE(memory);
    const auto modules = memory->modules();
    ASSERT_EQ(modules.size(), 7u);
    EXPECT_EQ(modules[0].manufacturerId, "00CE");
    EXPECT_EQ(modules[1].manufacturerId, "059B");
    for (std::size_t i = 2; i < 5; ++i) EXPECT_EQ(modules[i].manufacturerId, std::nullopt) << i;
    EXPECT_EQ(modules[5].manufacturerId, "Bank 128, Hex 0xCE")
        << "a code no maker we know holds is kept as udev wrote it";
    EXPECT_EQ(modules[6].manufacturerId, std::nullopt) << "0 is no code";
}

TEST(UdevMemory, CountsAndSizesThatCannotBeOneAreUnknownAndNamed) {
    const auto memory = UdevMemory::parse(
        "E:MEMORY_ARRAY_NUM_DEVICES=-9223372036854775808\nE:MEMORY_ARRAY_MAX_CAPACITY=-1\n"
        "E:MEMORY_DEVICE_0_SIZE=-1\nE:MEMORY_DEVICE_0_SPEED_MTS=1e3\n"
        "E:MEMORY_DEVICE_1_TYPE=Flash\n");
    ASSERT_TRUE(memory);
    const auto arrays = memory->arrays();
    EXPECT_TRUE(arrays.empty()) << "neither count nor capacity is known";
    EXPECT_EQ(memory->modules().at(0).capacityBytes, std::nullopt);
    ASSERT_EQ(memory->notices.size(), 4u);
    EXPECT_EQ(memory->notices[0],
              "the udev database's MEMORY_ARRAY_NUM_DEVICES is \"-9223372036854775808\", not a "
              "count or size; it is taken as unknown");

    // A megabyte of digits is quoted in part: the notice stays one readable line.
    const auto flooded =
        UdevMemory::parse("E:MEMORY_DEVICE_0_SIZE=x" + std::string(1 << 20, '9') + "\n");
    ASSERT_EQ(flooded->notices.size(), 1u);
    EXPECT_LT(flooded->notices[0].size(), 400u);

    const auto largest =
        UdevMemory::parse("E:MEMORY_ARRAY_NUM_DEVICES=0\nE:MEMORY_DEVICE_0_TYPE=Flash\n");
    EXPECT_EQ(largest->arrays().at(0).memoryDevices, 0)
        << "the firmware's flash is taken off, down to no slot";
}

TEST(UdevMemory, NoArrayKeysNoArray) {
    const auto memory = UdevMemory::parse("E:MEMORY_DEVICE_0_SIZE=1024\n");
    ASSERT_TRUE(memory);
    EXPECT_TRUE(memory->arrays().empty());
    EXPECT_EQ(memory->modules().size(), 1u);
}

}  // namespace
}  // namespace kestrel::linux_machine
