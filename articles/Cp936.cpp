// Code page 936 through the system: on Windows, MultiByteToWideChar of kernel32; elsewhere none.
#include "articles/Cp936.h"

#ifdef _WIN32

#include <windows.h>

#include <climits>

namespace cp936 {

bool toUtf16(std::string_view bytes, std::u16string &text)
{
    constexpr UINT kCodePage = 936;
    text.clear();
    if (bytes.empty())
        return true;
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        return false;
    const int size = static_cast<int>(bytes.size());
    // Each byte gives at most one UTF-16 unit; the first call measures, the second writes.
    const int units = MultiByteToWideChar(kCodePage, 0, bytes.data(), size, nullptr, 0);
    if (units <= 0)
        return false;
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    if (MultiByteToWideChar(kCodePage, 0, bytes.data(), size, wide.data(), units) != units)
        return false;
    // wchar_t is UTF-16 on Windows.
    text.assign(wide.begin(), wide.end());
    return true;
}

} // namespace cp936

#else

namespace cp936 {

bool toUtf16(std::string_view, std::u16string &text)
{
    text.clear();
    return false;
}

} // namespace cp936

#endif // _WIN32
