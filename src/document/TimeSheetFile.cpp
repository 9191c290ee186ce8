#include "document/TimeSheetFile.h"

#include <algorithm>
#include <array>
#include <climits>

namespace tallimo {
namespace {

constexpr std::uint8_t kShortLengthLimit = 0xFF;
constexpr std::uint16_t kWideLengthMarker = 0xFFFF;
// The archive's marker of a two-byte string; our files never hold one.
constexpr std::uint16_t kUnicodeMarker = 0xFFFE;

constexpr int kStoredWorkColumns[] = {WorkColumn::Date, WorkColumn::Enter, WorkColumn::Leave,
                                      WorkColumn::Comment, WorkColumn::StandBy};
constexpr int kStoredSquadColumns[] = {SquadColumn::Start, SquadColumn::End, SquadColumn::Incident,
                                       SquadColumn::Description};

// Instants outside the file's unsigned 32-bit range cannot be stored; they wrap as the field does.
std::uint32_t fileTime(Instant instant) {
    return static_cast<std::uint32_t>(instant);
}

// Reads the stored cells of one row; the row exists once its first cell was read, with every
// cell read before a failure.
template <std::size_t N>
bool readRow(ByteReader& reader, CellTable& table, int row, const int (&columns)[N]) {
    std::array<std::string, WorkColumn::Count> texts;
    std::size_t read = 0;
    while (read < N && reader.string(texts[static_cast<std::size_t>(columns[read])])) {
        ++read;
    }
    if (read > 0) {
        table.InsertRow(row, std::span<const std::string>(texts).first(
                                 std::min<std::size_t>(texts.size(), table.columnCount())));
    }
    return read == N;
}

bool readHeader(ByteReader& reader, TimeSheet& sheet, std::uint32_t& workRows,
                std::uint32_t& squadRows) {
    std::string magic;
    std::uint32_t value = 0;
    if (!reader.string(magic) || !reader.u32(value) || !reader.u32(workRows)) {
        return false;
    }
    if (workRows >= kSquadCountMarker) {
        if (!reader.u32(squadRows)) {
            return false;
        }
        workRows -= kSquadCountMarker;
    }
    if (!reader.u32(value)) {
        return false;
    }
    sheet.minDate = value;
    if (!reader.u32(value)) {
        return false;
    }
    sheet.maxDate = value;
    return true;
}

} // namespace

void ByteWriter::u16(std::uint16_t value) {
    m_bytes.push_back(static_cast<std::uint8_t>(value));
    m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ByteWriter::u32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        m_bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void ByteWriter::string(std::string_view text) {
    const std::size_t length = text.size();
    if (length < kShortLengthLimit) {
        m_bytes.push_back(static_cast<std::uint8_t>(length));
    } else if (length < kUnicodeMarker) {
        m_bytes.push_back(kShortLengthLimit);
        u16(static_cast<std::uint16_t>(length));
    } else {
        m_bytes.push_back(kShortLengthLimit);
        u16(kWideLengthMarker);
        u32(static_cast<std::uint32_t>(length));
    }
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
}

bool ByteReader::fail() {
    m_failed = true;
    m_pos = m_bytes.size();
    return false;
}

bool ByteReader::take(std::size_t size, const std::uint8_t*& data) {
    if (m_failed || size > m_bytes.size() - m_pos) {
        return fail();
    }
    data = m_bytes.data() + m_pos;
    m_pos += size;
    return true;
}

bool ByteReader::u8(std::uint8_t& value) {
    const std::uint8_t* data = nullptr;
    if (!take(1, data)) {
        return false;
    }
    value = data[0];
    return true;
}

bool ByteReader::u16(std::uint16_t& value) {
    const std::uint8_t* data = nullptr;
    if (!take(2, data)) {
        return false;
    }
    value = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
    return true;
}

bool ByteReader::u32(std::uint32_t& value) {
    const std::uint8_t* data = nullptr;
    if (!take(4, data)) {
        return false;
    }
    value = static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
            (static_cast<std::uint32_t>(data[2]) << 16) |
            (static_cast<std::uint32_t>(data[3]) << 24);
    return true;
}

bool ByteReader::stringLength(std::uint32_t& length) {
    std::uint8_t shortLength = 0;
    if (!u8(shortLength)) {
        return false;
    }
    length = shortLength;
    if (shortLength == kShortLengthLimit) {
        std::uint16_t wide = 0;
        if (!u16(wide)) {
            return false;
        }
        if (wide == kUnicodeMarker) {
            return fail();
        }
        length = wide;
        if (wide == kWideLengthMarker && !u32(length)) {
            return false;
        }
    }
    return true;
}

bool ByteReader::string(std::string& text) {
    std::uint32_t length = 0;
    if (!stringLength(length)) {
        return false;
    }
    // The length is checked against the bytes that are there before anything is allocated.
    const std::uint8_t* data = nullptr;
    if (!take(length, data)) {
        return false;
    }
    text.assign(reinterpret_cast<const char*>(data), length);
    return true;
}

FileStart judgeFileStart(std::span<const std::uint8_t> start, std::uint64_t fileSize) {
    ByteReader reader(start);
    std::uint32_t length = 0;
    if (!reader.stringLength(length)) {
        // The start holds every byte of a short file; a longer one has its length prefix in it.
        return start.size() >= fileSize ? FileStart::TooShort : FileStart::NotTimeSheet;
    }
    if (reader.position() + std::uint64_t{length} > fileSize) {
        return FileStart::TooShort;
    }
    std::string magic;
    ByteReader whole(start);
    if (length != kTimeSheetMagic.size() || !whole.string(magic) || magic != kTimeSheetMagic) {
        return FileStart::NotTimeSheet;
    }
    return FileStart::TimeSheet;
}

TimeSheetRead readTimeSheetFile(const std::string& path) {
    TimeSheetRead file;
    InputFile input;
    file.read = input.open(path);
    if (file.read) {
        file.read = input.read(file.bytes, kFileStartSize);
    }
    if (file.read) {
        file.stamp = input.stamp();
        file.start = judgeFileStart(file.bytes, static_cast<std::uint64_t>(file.stamp.size));
        if (file.start == FileStart::TimeSheet) {
            file.read = input.readRest(file.bytes);
        }
    }
    return file;
}

std::vector<std::uint8_t> storeTimeSheet(const TimeSheet& sheet) {
    const auto workRows = static_cast<std::uint32_t>(sheet.work.rowCount());
    const auto squadRows = static_cast<std::uint32_t>(sheet.squad.rowCount());
    ByteWriter writer;
    writer.string(kTimeSheetMagic);
    writer.u32(kTimeSheetFormat);
    // A work list of 1000 rows or more would read back as a squad count: it takes the long form.
    if (squadRows != 0 || workRows >= kSquadCountMarker) {
        writer.u32(workRows + kSquadCountMarker);
        writer.u32(squadRows);
    } else {
        writer.u32(workRows);
    }
    writer.u32(fileTime(sheet.minDate));
    writer.u32(fileTime(sheet.maxDate));
    for (int row = 0; row < sheet.work.rowCount(); ++row) {
        for (const int column : kStoredWorkColumns) {
            writer.string(sheet.work.itemText(row, column));
        }
    }
    for (int row = 0; row < sheet.squad.rowCount(); ++row) {
        for (const int column : kStoredSquadColumns) {
            writer.string(sheet.squad.itemText(row, column));
        }
    }
    return writer.take();
}

const char* loadProblemText(LoadProblem problem) {
    switch (problem) {
    case LoadProblem::Header:
        return "Exception by loading file header.\r\nIf this is an old Tallimo file use the "
               "import feature to convert.";
    case LoadProblem::WorkRows:
        return "Exception by loading time data.\r\nIf this is an old Tallimo file use the import "
               "feature to convert.";
    case LoadProblem::SquadRows:
        return "Exception by loading squad data.\r\nIf this is an old Tallimo file use the "
               "import feature to convert.";
    case LoadProblem::TrailingBytes:
        return "Exception by loading file end.\r\nThe file holds data after its last row.";
    }
    return "";
}

bool loadTimeSheet(std::span<const std::uint8_t> bytes, TimeSheet& sheet, RowCalculator& calculator,
                   const std::function<void(LoadProblem)>& report) {
    // The problems are told once both tables are whole again, so that nothing looks at a table
    // that is still being refilled while the user reads the message.
    std::vector<LoadProblem> problems;
    {
        const CellTable::ResetScope workReset(sheet.work);
        const CellTable::ResetScope squadReset(sheet.squad);
        sheet.work.DeleteAllItems();
        sheet.squad.DeleteAllItems();
        ByteReader reader(bytes);
        std::uint32_t workRows = 0;
        std::uint32_t squadRows = 0;
        if (!readHeader(reader, sheet, workRows, squadRows)) {
            problems.push_back(LoadProblem::Header);
        }
        // Every stored row takes at least one byte per cell, which bounds what may be reserved.
        sheet.work.reserveRows(std::min<std::size_t>(workRows, reader.remaining() / 5));
        // Once a read failed the data is exhausted and every further row would fail alike, so
        // each section stops at its first failure and reports it once.
        for (std::uint32_t i = 0; i < workRows && i < INT_MAX; ++i) {
            const int row = static_cast<int>(i);
            const bool complete = readRow(reader, sheet.work, row, kStoredWorkColumns);
            if (!complete) {
                problems.push_back(LoadProblem::WorkRows);
            }
            if (sheet.work.hasRow(row)) {
                setUpDayRow(sheet, row, calculator);
            }
            if (!complete) {
                break;
            }
        }
        sheet.squad.reserveRows(std::min<std::size_t>(squadRows, reader.remaining() / 4));
        for (std::uint32_t j = 0; j < squadRows && j < INT_MAX; ++j) {
            const int row = static_cast<int>(j);
            const bool complete = readRow(reader, sheet.squad, row, kStoredSquadColumns);
            if (!complete) {
                problems.push_back(LoadProblem::SquadRows);
            }
            if (sheet.squad.hasRow(row)) {
                setUpSquadRow(sheet, row, calculator);
            }
            if (!complete) {
                break;
            }
        }
        if (problems.empty() && reader.remaining() > 0) {
            problems.push_back(LoadProblem::TrailingBytes);
        }
    }
    for (const LoadProblem problem : problems) {
        report(problem);
    }
    return problems.empty();
}

} // namespace tallimo
