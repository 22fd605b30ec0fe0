#pragma once

namespace kestrel::test {

// Whether this Windows program runs under Wine, whose instrumentation answers with fixed
// values (one memory module, no memory array, no Speed or ExtClock) that tests can expect.
bool runningUnderWine();

}  // namespace kestrel::test
