// Starting a program from a whole command line, as the chat links do.
#include "ui/win32/process_start.h"

#include "ui/win32/windows_api.h"

#include <gtest/gtest.h>

#include "error_text.h"

namespace kestrel::test {
namespace {

TEST(Win32ProcessStart, StartsAnUnquotedPathAndReportsAMissingProgram) {
    // The system splits an unquoted line itself: the program, then its arguments.
    EXPECT_EQ(errorOf([] {
                  win32::startCommandLine("C:\\windows\\system32\\cmd.exe /c exit", SW_SHOWNORMAL);
              }),
              "no error");
    EXPECT_EQ(errorOf([] {
                  win32::startCommandLine(
                      "C:\\Program Files\\No Such Browser\\nobrowser.exe http://127.0.0.1:9/",
                      SW_SHOWNORMAL);
              }),
              "cannot start C:\\Program Files\\No Such Browser\\nobrowser.exe http://127.0.0.1:9/");
}

}  // namespace
}  // namespace kestrel::test
