#include <gtest/gtest.h>

#include <stdexcept>

#include "recording_window.h"

namespace kestrel::test {
namespace {

class WindowRuntimeTest : public ::testing::Test {
  protected:
    RecordingRuntime rt;
    EventLog log;
    RecordingWindow first{"first", rt.runtime, log};
};

TEST_F(WindowRuntimeTest, AnErrorLeavingAHandlerIsShownAndEndsTheProcess) {
    first.show();
    int laterHandlers = 0;
    rt.runtime.handle([] { throw Error("Win32_Bios.Version = x: not a number"); });
    rt.runtime.handle([&] { ++laterHandlers; });
    EXPECT_EQ(rt.messages.texts,
              std::vector<std::string>{"Run-time error: Win32_Bios.Version = x: not a number"});
    EXPECT_EQ(rt.endStatuses, std::vector<int>{forms::WindowRuntime::kUntrappedErrorStatus});
    EXPECT_EQ(laterHandlers, 0);
    first.unload();
    EXPECT_EQ(rt.endStatuses.size(), 1u) << "no unload handling after the end";
}

TEST_F(WindowRuntimeTest, ErrorsOfTheStandardLibraryAreCaughtToo) {
    rt.runtime.handle([] { throw std::out_of_range("index 7"); });
    EXPECT_EQ(rt.messages.texts, std::vector<std::string>{"Run-time error: index 7"});
    EXPECT_EQ(rt.endStatuses, std::vector<int>{forms::WindowRuntime::kUntrappedErrorStatus});
}

TEST_F(WindowRuntimeTest, EndStopsEveryLaterHandler) {
    int handlers = 0;
    rt.runtime.end(0);
    rt.runtime.handle([&] { ++handlers; });
    EXPECT_EQ(handlers, 0);
    EXPECT_EQ(rt.endStatuses, std::vector<int>{0});
}

}  // namespace
}  // namespace kestrel::test
