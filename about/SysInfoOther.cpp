// Systems without a registry: nothing is registered, so the About box falls back to the desktop's
// own information tool.
#include "about/SysInfo.h"

#ifndef _WIN32

namespace sysinfo {

bool GetKeyValue(Root, const std::string &, const std::string &, std::string &value)
{
    value.clear();
    return false;
}

std::string registeredProgram()
{
    return {};
}

bool startProgram(const std::string &)
{
    return false;
}

} // namespace sysinfo

#endif // !_WIN32
