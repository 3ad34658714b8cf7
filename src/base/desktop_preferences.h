#pragma once

// The two per-user display preferences that the menu drawing consults. Only
// Windows keeps them; elsewhere there is no such setting.

#include <optional>
#include <string>

namespace zembrot {

// Whether the user has keyboard cues (accelerator underlines) switched on;
// no value where the platform has no such preference or it cannot be read.
// Read anew at every call: the user may change it while the program runs.
std::optional<bool> KeyboardCuesPreference();

// The colour name of the user's visual style ("NormalColor", "HomeStead",
// "Metallic", ...); empty where there is none.
std::string VisualStyleColorName();

}  // namespace zembrot
