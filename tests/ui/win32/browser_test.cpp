// The embedded browser's request and the probe's, with the user's Internet settings sending
// web traffic through a loopback proxy.
#include <gtest/gtest.h>

#include "loopback_http_server.h"
#include "message_pump.h"
#include "net/probe.h"
#include "net/wininet_page_reader.h"
#include "scoped_proxy.h"
#include "ui/layout/layout_names.h"
#include "ui/win32/form_window.h"
#include "ui/win32/layout_table.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/web_browser.h"

namespace kestrel::test {
namespace {

std::wstring proxyAddress(const LoopbackHttpServer& proxy) {
    return L"127.0.0.1:" + std::to_wstring(proxy.port());
}

TEST(Win32Browser, NavigateSendsTheAddressUnchangedThroughTheSystemProxy) {
    LoopbackHttpServer proxy({.body = "<html><body>selector</body></html>"});
    const ScopedSystemProxy settings(proxyAddress(proxy));
    const win32::OleSession ole;
    win32::FormWindow form1(layout::windowLayout(layout::form1::kWindow), {});
    ASSERT_NE(form1.browser(), nullptr);

    const std::string address =
        "http://www.kestrel-memory.example/selector.aspx?manufacturer=ACME%20Corp&model=X%201";
    form1.browser()->navigate(address);
    ASSERT_TRUE(pumpUntil([&] { return proxy.connectionsAccepted() > 0; }));
    const std::vector<Exchange> served = proxy.exchanges(1);
    ASSERT_EQ(served.size(), 1u);
    // Wine's request to a proxy names the default port; Windows' does not.
    std::string requestLine = served[0].requestLine;
    if (const auto port = requestLine.find(".example:80/"); port != std::string::npos) {
        requestLine.erase(port + 8, 3);
    }
    EXPECT_EQ(requestLine, "GET " + address + " HTTP/1.1");
}

TEST(Win32Browser, TheProbeGoesDirectWhateverTheSystemProxy) {
    LoopbackHttpServer site({.body = "direct"});
    LoopbackHttpServer proxy({.body = "via the proxy"});
    const ScopedSystemProxy settings(proxyAddress(proxy));

    WinInetPageReader reader;
    EXPECT_EQ(probeText(reader, site.url()), "direct" + std::string(1000 - 6, ' '));
    EXPECT_EQ(site.exchanges(1).at(0).requestLine, "GET / HTTP/1.1");
    EXPECT_EQ(proxy.connectionsAccepted(), 0u);
}

}  // namespace
}  // namespace kestrel::test
