#pragma once

#include <utility>

namespace tallimo {

// The paper size of the user's LC_PAPER locale as width and height in millimetres; A4's
// (210, 297) where the locale cannot be read.
std::pair<int, int> localePaperSizeMm();

} // namespace tallimo
