// The user's display preferences that the menu drawing reads: from the
// registry on Windows, none elsewhere.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/desktop_preferences.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zembrot {
namespace {

#ifdef _WIN32

constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kThemeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

// Sets a value of the current user's registry for the length of a test and
// puts back what was there (or removes it) afterwards.
class ScopedUserValue {
 public:
  ScopedUserValue(const char* key, const char* value) : value_(value) {
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &handle_, nullptr),
              ERROR_SUCCESS);
    DWORD size = 0;
    if (RegQueryValueExA(handle_, value_, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      saved_.resize(size);
      had_ = RegQueryValueExA(handle_, value_, nullptr, &type_, saved_.data(), &size) == ERROR_SUCCESS;
    }
  }
  ~ScopedUserValue() {
    if (had_) {
      RegSetValueExA(handle_, value_, 0, type_, saved_.data(), static_cast<DWORD>(saved_.size()));
    } else {
      RegDeleteValueA(handle_, value_);
    }
    RegCloseKey(handle_);
  }
  ScopedUserValue(const ScopedUserValue&) = delete;
  ScopedUserValue& operator=(const ScopedUserValue&) = delete;

  void Set(DWORD type, const std::vector<BYTE>& data) {
    ASSERT_EQ(RegSetValueExA(handle_, value_, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
  }
  void Remove() { RegDeleteValueA(handle_, value_); }

 private:
  HKEY handle_ = nullptr;
  const char* value_;
  DWORD type_ = REG_NONE;
  std::vector<BYTE> saved_;
  bool had_ = false;
};

TEST(DesktopPreferences, KeyboardCuesAreBitFiveOfTheFirstMaskByte) {
  struct Case {
    const char* name;
    std::vector<BYTE> mask;  // empty: no value at all
    std::optional<bool> expected;
  };
  const Case cases[] = {
      {"CuesOn", {0xBE, 0x3E, 0x07, 0x80, 0x12, 0x00, 0x00, 0x00}, true},
      {"CuesOff", {0x9E, 0x3E, 0x07, 0x80, 0x12, 0x00, 0x00, 0x00}, false},
      {"OnlyBitFive", {0x20, 0, 0, 0, 0, 0, 0, 0}, true},
      {"FourBytesAreUnreadable", {0x20, 0, 0, 0}, std::nullopt},
      {"NoValue", {}, std::nullopt},
  };
  ScopedUserValue mask(kDesktopKey, "UserPreferencesMask");
  for (const Case& c : cases) {
    if (c.mask.empty()) {
      mask.Remove();
    } else {
      mask.Set(REG_BINARY, c.mask);
    }
    EXPECT_EQ(KeyboardCuesPreference(), c.expected) << c.name;
  }
}

TEST(DesktopPreferences, VisualStyleColourNameIsReadAsItStands) {
  ScopedUserValue colorName(kThemeKey, "ColorName");
  colorName.Set(REG_SZ, {'H', 'o', 'm', 'e', 'S', 't', 'e', 'a', 'd', 0});
  EXPECT_EQ(VisualStyleColorName(), "HomeStead");
  colorName.Remove();
  EXPECT_EQ(VisualStyleColorName(), "");
}

#else

TEST(DesktopPreferences, NoSuchSettingOutsideWindows) {
  EXPECT_EQ(KeyboardCuesPreference(), std::nullopt);
  EXPECT_EQ(VisualStyleColorName(), "");
}

#endif

}  // namespace
}  // namespace zembrot
