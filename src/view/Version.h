#pragma once

namespace tallimo {

// What `--version` prints, for the desktop and the terminal alike.
inline constexpr const char* kVersionText = "Tallimo Version 1.3.0.45 Feature Pack 3";

} // namespace tallimo
