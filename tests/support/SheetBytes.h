#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace tallimo::test {

// Builds time sheet files byte by byte, so a test shows exactly what a file holds.
class SheetBytes {
public:
    // Appended byte by byte: GCC 12 at -O3 takes a range insert into a small vector for an
    // overflow (a false -Wstringop-overflow).
    SheetBytes& raw(std::initializer_list<std::uint8_t> values) {
        for (const std::uint8_t value : values) {
            bytes.push_back(value);
        }
        return *this;
    }
    SheetBytes& u16(std::uint16_t value) {
        return raw({static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
    }
    SheetBytes& u32(std::uint32_t value) {
        return u16(static_cast<std::uint16_t>(value)).u16(static_cast<std::uint16_t>(value >> 16));
    }
    SheetBytes& str(std::string_view text) {
        if (text.size() < 255) {
            raw({static_cast<std::uint8_t>(text.size())});
        } else if (text.size() < 0xFFFE) {
            raw({0xFF}).u16(static_cast<std::uint16_t>(text.size()));
        } else {
            raw({0xFF}).u16(0xFFFF).u32(static_cast<std::uint32_t>(text.size()));
        }
        for (const char c : text) {
            bytes.push_back(static_cast<std::uint8_t>(c));
        }
        return *this;
    }
    // Magic, format number 3 and the count word (with the squad count after it when given).
    SheetBytes& header(std::uint32_t countWord, std::initializer_list<std::uint32_t> squadCount,
                       std::uint32_t minDate, std::uint32_t maxDate) {
        str("ZRB").u32(3).u32(countWord);
        for (const auto count : squadCount) {
            u32(count);
        }
        return u32(minDate).u32(maxDate);
    }
    SheetBytes& workRow(std::string_view date, std::string_view enter = "",
                        std::string_view leave = "", std::string_view comment = "",
                        std::string_view standBy = "") {
        return str(date).str(enter).str(leave).str(comment).str(standBy);
    }
    SheetBytes& squadRow(std::string_view start, std::string_view end = "",
                         std::string_view incident = "", std::string_view description = "") {
        return str(start).str(end).str(incident).str(description);
    }

    std::vector<std::uint8_t> bytes;
};

} // namespace tallimo::test
