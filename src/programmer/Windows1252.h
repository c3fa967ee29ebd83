#pragma once

#include <string>

namespace brio {

// The program's texts are 8-bit Windows-1252; the windowing layer's text input and clipboard
// are UTF-8. These convert between the two.

// Each character that Windows-1252 can hold, as its byte; other characters and malformed
// bytes are left out.
std::string windows1252FromUtf8(const std::string& utf8);
// Each byte as its UTF-8 character; the code page's unused bytes are left out.
std::string utf8FromWindows1252(const std::string& text);

}  // namespace brio
