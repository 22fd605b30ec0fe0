#pragma once

#include <string>
#include <string_view>

namespace kestrel {

// The character set that 8-bit text is read in. On Linux that of the program's LC_CTYPE locale,
// as iconv names it ("UTF-8", "ISO-8859-1", "ANSI_X3.4-1968" in the C locale; the application
// sets its locale from the environment at start). On Windows the system's ANSI code page, as
// "CP" and its number ("CP1252").
std::string localeCharset();

// bytes read in charset, as UTF-8. Every byte that charset cannot read (including a multi-byte
// sequence cut short at the end) becomes U+FFFD, so the result is always valid UTF-8. Throws
// Error when no converter from charset exists (on Windows: charset is neither "UTF-8" nor a
// code page the system has).
std::string toUtf8(std::string_view bytes, const std::string& charset);

}  // namespace kestrel
