#include <gtest/gtest.h>

#include "ui/qt/browser_url.h"

namespace kestrel::test {
namespace {

TEST(BrowserUrlTest, KeepsTheEncodedAddressAsItIs) {
    const std::string address =
        "http://www.kestrel-memory.example/selector/kestrel.asp?manufacturer%20=%20"
        "A%26B%23C%20%C3%9C%27&mdlname=%25x%2B&bName=&maxmemory=4%20GB"
        "&totalslots=4%20%20(Currently%20Memory%20in%202%20Slots)&memoryspeeds=667%20MHz,"
        "&memorysize=1024%20MB,&processorspeed=2400&site=kestrel-memory.example";
    EXPECT_EQ(browserUrl(address).toEncoded().toStdString(), address);
    EXPECT_EQ(browserUrl(address).host().toStdString(), "www.kestrel-memory.example");
}

}  // namespace
}  // namespace kestrel::test
