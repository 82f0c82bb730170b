#pragma once
// Finding and starting the operating system's system-information program. On Windows the program
// is found through the registry; this part is plain C++ over the Windows API so that it builds with
// any Windows compiler without Qt.

#include <string>

namespace sysinfo {

enum class Root { LocalMachine };

// Reads a string value of the registry. False, with an empty value, when the key or value is not
// there or cannot be read. Finds nothing on systems without a registry.
bool GetKeyValue(Root root, const std::string &keyPath, const std::string &valueName, std::string &value);

// The registered system-information program: the path stored under the first key as it stands,
// else "\MSINFO32.EXE" in the folder stored under the second key when that file exists. Empty when
// neither is found (always on systems without a registry).
std::string registeredProgram();

// Starts the program as a separate process, its window shown normally and given the focus; does not
// wait for it. False when it could not be started.
bool startProgram(const std::string &path);

} // namespace sysinfo
