#include "net/locale_text.h"

#include <iconv.h>
#include <langinfo.h>

#include <array>
#include <cerrno>
#include <memory>

#include "inventory/error.h"

namespace kestrel {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

struct IconvCloser {
    void operator()(void* converter) const { iconv_close(static_cast<iconv_t>(converter)); }
};

}  // namespace

std::string localeCharset() { return nl_langinfo(CODESET); }

std::string toUtf8(std::string_view bytes, const std::string& charset) {
    const iconv_t opened = iconv_open("UTF-8", charset.c_str());
    if (opened == reinterpret_cast<iconv_t>(-1)) {
        throw Error("no conversion from character set " + charset + " to UTF-8");
    }
    const std::unique_ptr<void, IconvCloser> converter(opened);

    std::string input(bytes);  // iconv takes its input through a non-const pointer
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::string text;
    std::array<char, 4096> chunk{};
    while (inLeft > 0) {
        char* out = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t converted = iconv(opened, &in, &inLeft, &out, &outLeft);
        text.append(chunk.data(), chunk.size() - outLeft);
        if (converted == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL: the byte at `in` has no reading in charset.
            text += kReplacementCharacter;
            ++in;
            --inLeft;
        }
    }
    return text;
}

}  // namespace kestrel
