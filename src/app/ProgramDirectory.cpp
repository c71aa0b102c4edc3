#include "app/ProgramDirectory.h"

namespace app {

std::string DirectoryOfModulePath(const char* path, DWORD length, DWORD bufferSize, UINT codePage) {
  if (path == nullptr || length == 0 || length >= bufferSize) return std::string();
  const char* lastBackslash = nullptr;
  for (DWORD i = 0; i < length; ++i) {
    if (path[i] == '\\') {
      lastBackslash = path + i;
    } else if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(path[i])) && i + 1 < length) {
      ++i;  // the trail byte may be 0x5C
    }
  }
  return lastBackslash == nullptr ? std::string() : std::string(path, lastBackslash);
}

std::string FormProgramDirectory() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return DirectoryOfModulePath(path, length, MAX_PATH, CP_ACP);
}

}  // namespace app
