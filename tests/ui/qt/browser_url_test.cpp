#include <gtest/gtest.h>

#include "ui/qt/browser_url.h"

namespace kestrel::test {
namespace {

TEST(BrowserUrlTest, KeepsTheEncodedQueryAndEncodesOnlyTheBlanks) {
    const std::string address =
        "http://www.kestrel-memory.example/selector/kestrel.asp?manufacturer = "
        "A%26B%23C%20%C3%9C&mdlname=%25x%2B&bName=&maxmemory=4%20GB"
        "&totalslots=4%20%20(Currently%20Memory%20in%202%20Slots)&memoryspeeds=667%20MHz,"
        "&memorysize=1024%20MB,&processorspeed=2400&site=kestrel-memory.example";
    std::string expected = address;
    expected.replace(expected.find(" = "), 3, "%20=%20");
    EXPECT_EQ(browserUrl(address).toEncoded().toStdString(), expected);
    EXPECT_EQ(browserUrl(address).host().toStdString(), "www.kestrel-memory.example");
}

}  // namespace
}  // namespace kestrel::test
