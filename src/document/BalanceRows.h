#pragma once

#include "document/CellTable.h"
#include "document/OvertimeBalance.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tallimo {

inline constexpr std::array<const char*, 5> kBalanceHeadings = {"Month", "Overtime", "Stand-by",
                                                                "Balance", "File"};

// One line of the balance table as both programs show it.
struct BalanceRow {
    std::array<std::string, 5> cells;     // Month, Overtime, Stand-by, Balance, File (as stored)
    std::string error;                    // why the file could not be read; empty when it could
    std::optional<Colour> overtimeColour; // the overtime's text colour, by its sign
};

// The starting balance, one row per month file ("unreadable" or "duplicate" where it does not
// count) and the total.
std::vector<BalanceRow> balanceRows(const Balance& balance);

} // namespace tallimo
