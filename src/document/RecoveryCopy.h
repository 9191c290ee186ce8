#pragma once

#include "document/Result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tallimo {

// The helper file beside a month that keeps the unsaved changes of a program that was ended
// before it could save them.
std::string recoveryFileOf(const std::string& monthPath);

// Writes the recovery copy with the same care as a save; the month itself is never touched.
Result writeRecoveryCopy(const std::string& monthPath, std::span<const std::uint8_t> bytes);

struct RecoveryCopy {
    std::vector<std::uint8_t> bytes;
    std::int64_t written = 0;    // when it was written (seconds)
    bool olderThanMonth = false; // the month was saved after it
};

// The month's recovery copy; nothing where there is none (or it cannot be read).
std::optional<RecoveryCopy> readRecoveryCopy(const std::string& monthPath);
bool hasRecoveryCopy(const std::string& monthPath);
void removeRecoveryCopy(const std::string& monthPath);

} // namespace tallimo
