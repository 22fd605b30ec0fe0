#pragma once

#include "ui/win32/windows_api.h"

#include <chrono>
#include <functional>

#include "ui/win32/message_loop.h"

namespace kestrel::test {

// Delivers this thread's messages as the program's loop would, until done() says so or
// patience runs out; returns done()'s last answer.
inline bool pumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds patience = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) win32::deliverMessage(message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

// Delivers the messages already queued, and those they cause, for a little while.
inline void pumpAWhile() {
    pumpUntil([] { return false; }, std::chrono::milliseconds(200));
}

}  // namespace kestrel::test
