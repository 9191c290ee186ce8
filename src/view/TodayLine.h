#pragma once

#include "calc/TimeValue.h"

#include <string>

namespace tallimo {

class CTagrolView;

// Where today stands, for the second band of the tool bar: since when the user is in, when the
// forecast sends them home (or when they left and today's overtime), and the month's overtime.
// Text in the cells' code page.
std::string todayLine(const CTagrolView& view, Instant now);

} // namespace tallimo
