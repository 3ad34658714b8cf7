#include "base/desktop_preferences.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zembrot {

#ifdef _WIN32

namespace {

// Reads a value of the current user's registry; false when the key or the
// value is missing or does not fit `size` bytes.
bool ReadUserValue(const char* key, const char* value, void* data, DWORD& size) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  const LONG result = RegQueryValueExA(handle, value, nullptr, nullptr, static_cast<BYTE*>(data), &size);
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

}  // namespace

std::optional<bool> KeyboardCuesPreference() {
  // Eight bytes on every Windows this program runs on (version 6 and later);
  // a shorter value counts as unreadable.
  unsigned char mask[8] = {};
  DWORD size = sizeof mask;
  if (!ReadUserValue("Control Panel\\Desktop", "UserPreferencesMask", mask, size) || size != sizeof mask) {
    return std::nullopt;
  }
  return (mask[0] & 0x20) != 0;
}

std::string VisualStyleColorName() {
  char name[256] = {};
  DWORD size = sizeof name - 1;
  if (!ReadUserValue("Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", "ColorName", name, size)) {
    return std::string();
  }
  return std::string(name);
}

#else

std::optional<bool> KeyboardCuesPreference() { return std::nullopt; }

std::string VisualStyleColorName() { return std::string(); }

#endif

}  // namespace zembrot
