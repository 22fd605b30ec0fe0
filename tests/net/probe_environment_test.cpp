// What the probe takes from its environment: the locale's character set, and nothing from the
// proxy variables.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>

#include "loopback_http_server.h"
#include "net/curl_page_reader.h"
#include "net/probe.h"

namespace kestrel::test {
namespace {

// Sets (or, given nullopt, removes) an environment variable for one scope.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    ~ScopedVariable() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// Switches LC_CTYPE for one scope; available() tells whether the machine has the locale.
class ScopedCharacterLocale {
  public:
    explicit ScopedCharacterLocale(const char* name) : old_(std::setlocale(LC_CTYPE, nullptr)) {
        available_ = std::setlocale(LC_CTYPE, name) != nullptr;
    }
    ~ScopedCharacterLocale() { std::setlocale(LC_CTYPE, old_.c_str()); }
    ScopedCharacterLocale(const ScopedCharacterLocale&) = delete;
    ScopedCharacterLocale& operator=(const ScopedCharacterLocale&) = delete;

    bool available() const { return available_; }

  private:
    std::string old_;
    bool available_ = false;
};

TEST(ProbeEnvironment, ProxyVariablesAreIgnored) {
    LoopbackHttpServer site({.body = "direct"});
    LoopbackHttpServer proxy({.body = "via the proxy"});
    const std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.port());
    const ScopedVariable variables[] = {{"http_proxy", proxyUrl},   {"HTTP_PROXY", proxyUrl},
                                        {"ALL_PROXY", proxyUrl},    {"all_proxy", proxyUrl},
                                        {"no_proxy", std::nullopt}, {"NO_PROXY", std::nullopt}};

    CurlPageReader reader;
    EXPECT_EQ(probeText(reader, site.url()), "direct" + std::string(1000 - 6, ' '));
    EXPECT_EQ(site.exchanges(1).at(0).requestLine, "GET / HTTP/1.1");
    EXPECT_EQ(proxy.connectionsAccepted(), 0u);
}

TEST(ProbeEnvironment, NonAsciiBytesAreReadInTheLocaleCharacterSet) {
    // "Grüße" in UTF-8, then in ISO-8859-1.
    const std::string body =
        "Gr\xC3\xBC\xC3\x9F"
        "e|Gr\xFC\xDF"
        "e";
    LoopbackHttpServer server({.body = body});
    CurlPageReader reader;
    const std::string padding(1000 - body.size(), ' ');
    {
        const ScopedCharacterLocale ascii("C");
        EXPECT_EQ(probeText(reader, server.url()),
                  "Gr\uFFFD\uFFFD\uFFFD\uFFFDe|Gr\uFFFD\uFFFDe" + padding);
    }
    {
        const ScopedCharacterLocale utf8("C.UTF-8");
        ASSERT_TRUE(utf8.available());
        EXPECT_EQ(probeText(reader, server.url()), "Grüße|Gr\uFFFD\uFFFDe" + padding);
    }
    const ScopedCharacterLocale latin1("de_DE.ISO-8859-1");
    if (!latin1.available()) GTEST_SKIP() << "de_DE.ISO-8859-1 is not generated on this machine";
    EXPECT_EQ(probeText(reader, server.url()), "GrÃ¼Ã\u009Fe|Grüße" + padding);
}

}  // namespace
}  // namespace kestrel::test
