// The Windows half of the system-information launcher: registry look-ups and process start through
// advapi32 and kernel32. Compiled into Windows builds only.
#include "about/SysInfo.h"

#ifdef _WIN32

#include <windows.h>

#include <vector>

namespace sysinfo {

namespace {

// Access rights the look-up asks for when it opens a key.
constexpr REGSAM kKeyAccess = 0x2003F;
constexpr DWORD kBufferSize = 1024;
constexpr DWORD kStringType = 1; // REG_SZ

HKEY rootKey(Root root)
{
    switch (root) {
    case Root::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    }
    return HKEY_LOCAL_MACHINE;
}

bool fileExists(const std::string &path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool GetKeyValue(Root root, const std::string &keyPath, const std::string &valueName, std::string &value)
{
    value.clear();
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootKey(root), keyPath.c_str(), 0, kKeyAccess, &key) != ERROR_SUCCESS)
        return false;

    std::vector<char> buffer(kBufferSize, '\0');
    DWORD type = 0;
    DWORD size = kBufferSize;
    const LONG status =
        RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size);
    if (status != ERROR_SUCCESS) {
        RegCloseKey(key);
        return false;
    }

    // The data ends in a zero byte when the value was stored with its terminator; drop it.
    std::size_t length = size;
    if (length > buffer.size())
        length = buffer.size();
    if (length > 0 && buffer[length - 1] == '\0')
        --length;
    if (type == kStringType)
        value.assign(buffer.data(), length);

    RegCloseKey(key);
    return true;
}

std::string registeredProgram()
{
    std::string path;
    if (GetKeyValue(Root::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path))
        return path;

    std::string folder;
    if (GetKeyValue(Root::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder)) {
        const std::string candidate = folder + "\\MSINFO32.EXE";
        if (fileExists(candidate))
            return candidate;
    }
    return {};
}

bool startProgram(const std::string &path)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};

    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace sysinfo

#endif // _WIN32
