#pragma once
// The version text of the toolbar-style controls, which every control of the family reports in its
// read-only Version property.

namespace tilvaro {

inline constexpr char kControlsVersion[] = "1.0";

}  // namespace tilvaro
