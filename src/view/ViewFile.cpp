#include "document/TimeSheetFile.h"
#include "view/CTagrolView.h"

namespace tallimo {
namespace {

constexpr const char* kTraceMoment = "%A, %B %d, %Y - %H:%M:%S";
// From 20:59 whole-day steps never leave the calendar day, even on days of 23 or 25 hours.
constexpr Span kFirstCursorOffset = 75540;
constexpr Span kDay = 86400;
constexpr Span kMaxDateOffset = 10800;
constexpr int kMaxDaysInMonth = 31;

} // namespace

void CTagrolView::OnInitialUpdate() {
    m_workVisible = true;
    if (m_settings.AutoOpenLastDocument) {
        m_doc.openStep(lastDocument(m_platform.settings));
    }
}

std::vector<std::uint8_t> CTagrolView::storeSheet() const {
    return storeTimeSheet(m_sheet);
}

bool CTagrolView::loadSheet(std::span<const std::uint8_t> bytes) {
    return loadTimeSheet(bytes, m_sheet, *this, [this](LoadProblem problem) {
        m_platform.ui.showMessage(loadProblemText(problem));
    });
}

bool CTagrolView::InitListCtrl(int month, int year) {
    traceLine("Enter InitListCtrl");
    const auto first = makeLocalInstant(year, month, 1, 0, 0, 0);
    if (!first || !monthFitsTimeSheet(month, year)) {
        traceLine("Leave InitListCtrl month out of range");
        return false;
    }
    // A month number out of 1..12 has carried into another year; follow the carried month.
    const int wantedMonth = splitLocal(*first).month;
    m_sheet.minDate = *first;
    traceLine(formatInstant(m_sheet.minDate, std::string("minDate: ") + kTraceMoment));
    {
        // The month is shown once it is whole; the save after it may ask the user for a name.
        const CellTable::ResetScope reset(m_sheet.work);
        Instant cursor = m_sheet.minDate + kFirstCursorOffset;
        for (int row = 0; row < kMaxDaysInMonth; ++row) {
            traceLine(formatInstant(cursor, kTraceMoment));
            m_sheet.work.InsertItem(row, formatInstant(cursor, "%d.%m.%Y"));
            showDayLook(m_sheet.work, row, cursor);
            cursor += kDay;
            if (splitLocal(cursor).month != wantedMonth) {
                traceLine(formatInstant(m_sheet.maxDate, std::string("maxDate: ") + kTraceMoment));
                break;
            }
            m_sheet.maxDate = cursor + kMaxDateOffset;
        }
    }
    m_doc.afterChange(m_settings.AutoSave);
    traceLine("Leave InitListCtrl");
    return true;
}

} // namespace tallimo
