#pragma once
// GBK text (code page 936) to UTF-16 through the operating system's own conversion, where it has
// one: Windows converts code page 936 itself, so article pages read there need no converter from the
// toolkit (whose GBK converter comes from a Unicode library that Windows builds may leave out).
// Plain C++ over the Windows API, so that it builds with any Windows compiler without Qt.

#include <string>
#include <string_view>

namespace cp936 {

// Converts the bytes as the system converts code page 936: a byte pair that the code page does not
// define becomes the system's default character. False, with an empty text, when the system has no
// such conversion (always off Windows) or the bytes are too many for one call.
bool toUtf16(std::string_view bytes, std::u16string &text);

} // namespace cp936
