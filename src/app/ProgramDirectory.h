#pragma once

#include <windows.h>

#include <string>

namespace app {

// The module path cut at its last backslash, stepping through the path one character
// at a time in `codePage`, so the 0x5C trail byte of a double-byte character is never
// taken for a backslash. `length` is what GetModuleFileNameA returned: a path that
// filled the whole buffer may have lost its end (and its zero), so it gives "".
std::string DirectoryOfModulePath(const char* path, DWORD length, DWORD bufferSize, UINT codePage);

// GetModuleFileNameA of the running executable, cut as above in the ANSI code page.
std::string FormProgramDirectory();

}  // namespace app
