#include "BenchMonth.h"

#include "document/TimeSheetFile.h"

namespace tallimo::bench {

BenchView::BenchView() = default;

std::unique_ptr<Library> BenchView::NoLibraries::load(const std::string&, std::string& error) {
    error = "no libraries in a benchmark";
    return nullptr;
}

TimeSheet makeMonth(int squadRows, int year, int month) {
    TimeSheet sheet;
    sheet.minDate = makeLocalInstant(year, month, 1, 0, 0, 0).value();
    sheet.maxDate = makeLocalInstant(year, month + 1, 0, 23, 59, 0).value();
    for (int day = 1; day <= 31 && splitLocal(sheet.minDate + (day - 1) * 86400 + 43200).month ==
                                       splitLocal(sheet.minDate).month;
         ++day) {
        const int row = sheet.work.InsertItem(
            day - 1, formatInstant(sheet.minDate + (day - 1) * 86400 + 43200, "%d.%m.%Y"));
        sheet.work.SetItemText(row, WorkColumn::Enter, day % 2 == 0 ? "03:00:00" : "10:00:00");
        sheet.work.SetItemText(row, WorkColumn::Leave, "22:30:00");
        sheet.work.SetItemText(row, WorkColumn::Comment, "automatic created entry");
        sheet.work.SetItemText(row, WorkColumn::StandBy, day % 4 == 0 ? "yes" : "");
    }
    for (int i = 0; i < squadRows; ++i) {
        const Instant start = sheet.minDate + (i % 31) * 86400 + 64800;
        const int row = sheet.squad.InsertItem(i, formatInstant(start, "%d.%m.%Y %H:%M:%S"));
        sheet.squad.SetItemText(row, SquadColumn::End,
                                formatInstant(start + 50400 + i % 3600, "%d.%m.%Y %H:%M:%S"));
        sheet.squad.SetItemText(row, SquadColumn::Incident, "INC" + std::to_string(i));
        sheet.squad.SetItemText(row, SquadColumn::Description, "server room alarm");
    }
    return sheet;
}

std::vector<std::uint8_t> monthFile(int squadRows) {
    return storeTimeSheet(makeMonth(squadRows));
}

} // namespace tallimo::bench
