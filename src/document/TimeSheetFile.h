#pragma once

#include "document/InputFile.h"
#include "document/Result.h"
#include "document/TimeSheet.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// The first string of every time sheet file.
inline constexpr std::string_view kTimeSheetMagic = "ZRB";
inline constexpr std::uint32_t kTimeSheetFormat = 3;
// A count word of at least this much announces a squad count after it.
inline constexpr std::uint32_t kSquadCountMarker = 1000;

// Little-endian values and length-prefixed strings, as the framework's archive wrote them.
class ByteWriter {
public:
    void u32(std::uint32_t value);
    // Prefix: one byte below 255; 0xFF + u16 below 0xFFFE; else 0xFF, 0xFFFF + u32.
    void string(std::string_view text);
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    void u16(std::uint16_t value);

    std::vector<std::uint8_t> m_bytes;
};

// Reads what ByteWriter wrote, every read checked against the bytes that are there. The first
// failed read exhausts the reader, so every later read fails at once (the archive's end of file).
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool u32(std::uint32_t& value);
    bool string(std::string& text);
    // The length prefix of a string alone.
    bool stringLength(std::uint32_t& length);
    bool failed() const { return m_failed; }
    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }

private:
    bool take(std::size_t size, const std::uint8_t*& data);
    bool u8(std::uint8_t& value);
    bool u16(std::uint16_t& value);
    bool fail();

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

// What the first string of a file says: judged from its first kFileStartSize bytes (or all of a
// shorter file) and its size, before the rest of the file is read.
enum class FileStart { TooShort, NotTimeSheet, TimeSheet };
inline constexpr std::size_t kFileStartSize = 16;
FileStart judgeFileStart(std::span<const std::uint8_t> start, std::uint64_t fileSize);

// A file read for loading: its first string is judged before the rest is read, so that a file of
// another kind costs nothing more. `read` fails with the reason when the file cannot be read;
// `start` tells what the first string said, and `bytes` hold the whole file when it is a time
// sheet.
struct TimeSheetRead {
    Result read;
    FileStart start = FileStart::TooShort;
    FileStamp stamp;
    std::vector<std::uint8_t> bytes;
};
TimeSheetRead readTimeSheetFile(const std::string& path);

// The stored cells of both tables and the month's bounds as file bytes.
std::vector<std::uint8_t> storeTimeSheet(const TimeSheet& sheet);

// The sections whose damage the loader reports; bytes after the last declared row are damage
// too (a save would drop them without a word).
enum class LoadProblem { Header, WorkRows, SquadRows, TrailingBytes };
const char* loadProblemText(LoadProblem problem);

// Replaces both tables with the file's rows and sets every row up. Damaged data is reported
// through `report`, at most once per section, and loading goes on with what was read: the tables
// keep every row and cell read before the damage. Nothing is allocated or looped over by an
// announced count before its bytes are there. False when damage was reported.
bool loadTimeSheet(std::span<const std::uint8_t> bytes, TimeSheet& sheet, RowCalculator& calculator,
                   const std::function<void(LoadProblem)>& report);

} // namespace tallimo
