#pragma once

#include <string>
#include <string_view>

namespace tallimo {

// Cell texts are Windows-1252 bytes, as the files hold them; the shells show UTF-8.
std::string windows1252ToUtf8(std::string_view bytes);
// A character without a Windows-1252 byte (or a malformed sequence) becomes "?".
std::string utf8ToWindows1252(std::string_view text);

} // namespace tallimo
