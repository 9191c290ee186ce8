#include "document/InputFile.h"
#include "document/TimeSheetFile.h"
#include "view/CTagrolView.h"

namespace tallimo {
namespace {

constexpr const char* kImportEndedEarly =
    "The old tallimo file ends early.\r\nThe rows read before its end were imported.";
constexpr const char* kImportNoHeader =
    "The file is too short for an old tallimo file.\r\nNothing was imported.";
constexpr const char* kImportNoMonth =
    "The old tallimo file names no month a time sheet can hold.\r\nNothing was imported.";

struct PreFP3Header {
    std::uint32_t days = 0;
    std::uint32_t squads = 0;
    std::uint32_t minDate = 0;
    std::uint32_t maxDate = 0;
};

bool readHeader(ByteReader& reader, PreFP3Header& header) {
    if (!reader.u32(header.days)) {
        return false;
    }
    if (header.days >= kSquadCountMarker) {
        if (!reader.u32(header.squads)) {
            return false;
        }
        header.days -= kSquadCountMarker;
    }
    return reader.u32(header.minDate) && reader.u32(header.maxDate);
}

// A day row lands on the row of its day of month; a day outside the month addresses no row. The
// loop stops at the first failed read, so a damaged count costs nothing.
void readDayRows(ByteReader& reader, std::uint32_t count, TimeSheet& sheet,
                 RowCalculator& calculator) {
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string date;
        if (!reader.string(date)) {
            return;
        }
        const int row = readNumberAt(date, 1, 2) - 1;
        const bool inMonth = sheet.work.hasRow(row);
        sheet.work.SetItemText(row, WorkColumn::Date, date);
        for (const int column : {WorkColumn::Enter, WorkColumn::Leave, WorkColumn::Comment}) {
            std::string text;
            if (!reader.string(text)) {
                break;
            }
            sheet.work.SetItemText(row, column, std::move(text));
        }
        if (inMonth) {
            setUpDayRow(sheet, row, calculator);
        }
        if (reader.failed()) {
            return;
        }
    }
}

void readSquadRows(ByteReader& reader, std::uint32_t count, TimeSheet& sheet,
                   RowCalculator& calculator) {
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string start;
        if (!reader.string(start)) {
            return;
        }
        const int row = sheet.squad.InsertItem(sheet.squad.rowCount(), std::move(start));
        for (const int column :
             {SquadColumn::End, SquadColumn::Incident, SquadColumn::Description}) {
            std::string text;
            if (!reader.string(text)) {
                break;
            }
            sheet.squad.SetItemText(row, column, std::move(text));
        }
        setUpSquadRow(sheet, row, calculator);
        if (reader.failed()) {
            return;
        }
    }
}

} // namespace

Result CTagrolView::OnFileImport() {
    if (!m_doc.importSide()) {
        return Result::cancelled();
    }
    const auto chosen =
        m_platform.ui.chooseFile(CTagrolDoc::openFileRequest("Open Tallimo File pre FP3"));
    if (!chosen) {
        return Result::cancelled();
    }
    std::vector<std::uint8_t> bytes;
    if (const Result read = readWholeFile(*chosen, bytes); !read) {
        // The tables stay: a file that cannot be read has nothing to replace them with.
        m_doc.reportUnreadable(*chosen, read.message);
        return Result::failed();
    }
    return SerializePreFP3(bytes);
}

Result CTagrolView::SerializePreFP3(std::span<const std::uint8_t> bytes) {
    ByteReader reader(bytes);
    PreFP3Header header;
    if (!readHeader(reader, header)) {
        // Without the month's bounds no row could be placed; the tables stay as they are.
        m_platform.ui.showMessage(kImportNoHeader);
        return Result::refused();
    }
    const LocalFields month = splitLocal(header.minDate);
    // Judged before anything is replaced, so "Nothing was imported." leaves the open month whole.
    if (!monthFitsTimeSheet(month.month, month.year)) {
        m_platform.ui.showMessage(kImportNoMonth);
        return Result::refused();
    }
    {
        const CellTable::ResetScope workReset(m_sheet.work);
        const CellTable::ResetScope squadReset(m_sheet.squad);
        m_sheet.work.DeleteAllItems();
        m_sheet.squad.DeleteAllItems();
        setOpenSquadRow(-1);
        m_sheet.minDate = header.minDate;
        m_sheet.maxDate = header.maxDate;
        // The import ends as a new, unsaved document: no save (nor Save As dialog) on the way.
        const bool autoSave = m_settings.AutoSave;
        m_settings.AutoSave = false;
        InitListCtrl(month.month, month.year);
        m_settings.AutoSave = autoSave;
        readDayRows(reader, header.days, m_sheet, *this);
        readSquadRows(reader, header.squads, m_sheet, *this);
    }
    if (reader.failed()) {
        m_platform.ui.showMessage(kImportEndedEarly);
    }
    return {};
}

} // namespace tallimo
