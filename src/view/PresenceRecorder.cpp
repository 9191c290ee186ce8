#include "view/PresenceRecorder.h"

#include "calc/DayComputation.h"
#include "view/CTagrolView.h"

#include <filesystem>

namespace tallimo {

struct PresenceRecorder::Plan {
    enum class Action { None, Enter, Leave, Forecast };
    Action action = Action::None;
    int row = -1;
    std::string date; // the row's Date cell
    std::string cell; // the Leave text a Leave or Forecast writes
    std::string reason;
    // Nothing worth a notice: the day already has its Enter.
    bool quiet = false;
};

namespace {

std::string clockText(Instant at) {
    return formatInstant(at, "%H:%M:%S");
}

bool sameDate(Instant a, Instant b) {
    const LocalFields x = splitLocal(a);
    const LocalFields y = splitLocal(b);
    return x.year == y.year && x.month == y.month && x.day == y.day;
}

} // namespace

PresenceRecorder::PresenceRecorder(CTagrolView& view, PresenceJournal& journal)
    : m_view(view), m_journal(journal) {}

Span PresenceRecorder::minimum() const {
    return Span{m_view.settings().presenceAwayMinutes} * 60;
}

PresenceRecorder::Plan PresenceRecorder::planArrival(Instant at) const {
    const CellTable& work = m_view.sheet().work;
    Plan plan;
    // After a recorded departure of the same date, the day goes on.
    if (const auto left = m_journal.lastLeave(); left && sameDate(left->at, at)) {
        const auto day = parseDateCell(left->row);
        plan.row = day ? m_view.enterRow(*day) : -1;
        if (plan.row >= 0 && work.itemText(plan.row, WorkColumn::Leave) == left->cell) {
            const auto times =
                dayTimes(left->row, work.itemText(plan.row, WorkColumn::Enter), left->cell);
            if (times) {
                plan.action = Plan::Action::Forecast;
                plan.date = left->row;
                plan.cell = clockText(times->enter + CTagrolView::kForecastOffset);
                return plan;
            }
        }
    }
    plan.row = m_view.enterRow(at);
    if (plan.row < 0) {
        plan.reason = "open or create " + monthFileFor(at);
        return plan;
    }
    plan.date = std::string(work.itemText(plan.row, WorkColumn::Date));
    const std::string entered{work.itemText(plan.row, WorkColumn::Enter)};
    if (!entered.empty()) {
        plan.reason = "Enter " + entered + " is already there";
        plan.quiet = true;
        return plan;
    }
    plan.action = Plan::Action::Enter;
    return plan;
}

PresenceRecorder::Plan PresenceRecorder::planDeparture(Instant at) const {
    const CellTable& work = m_view.sheet().work;
    Plan plan;
    plan.row = m_view.leaveRow(at);
    if (plan.row < 0) {
        plan.reason = "open or create " + monthFileFor(at);
        return plan;
    }
    plan.date = std::string(work.itemText(plan.row, WorkColumn::Date));
    const std::string entered{work.itemText(plan.row, WorkColumn::Enter)};
    const std::string left{work.itemText(plan.row, WorkColumn::Leave)};
    const auto day = parseDateCell(plan.date);
    if (!day || !isTimeCell(entered)) {
        plan.reason = "no Enter on " + plan.date;
        return plan;
    }
    const auto times = dayTimes(plan.date, entered, left);
    const bool forecast = times && times->leave - times->enter == CTagrolView::kForecastOffset;
    if (!left.empty() && !forecast && m_journal.presenceLeave(plan.date) != left) {
        plan.reason = "the Leave " + left + " entered by hand is kept";
        return plan;
    }
    plan.action = Plan::Action::Leave;
    plan.cell = leaveCellText(*day, at);
    return plan;
}

std::string PresenceRecorder::monthFileFor(Instant at) const {
    const std::string name = formatInstant(at, "%B%Y") + ".time";
    const std::string& open = m_view.document().path();
    return open.empty() ? name : (std::filesystem::path(open).parent_path() / name).string();
}

PresenceNotice PresenceRecorder::perform(const Plan& plan, const PresenceEvent& event,
                                         bool suggest) {
    const bool arrival = isArrival(event.cause);
    const std::string what = std::string(arrival ? "Enter " : "Leave ") + clockText(event.at);
    const std::string why = std::string(" (") + presenceCauseWord(event.cause) + ")";
    PresenceNotice notice{"", false, arrival, event.at, event.cause};
    if (plan.action == Plan::Action::None) {
        notice.text = what + " not recorded" + why + ": " + plan.reason;
        journal(event, plan.date, "", "", notice.text);
        return notice;
    }
    if (suggest) {
        notice.text = plan.action == Plan::Action::Forecast
                          ? "Set Leave back to the forecast " + plan.cell + why + "?"
                          : "Record " + what + why + "?";
        notice.suggestion = true;
        journal(event, plan.date, "", "", "suggested");
        return notice;
    }
    CellTable& work = m_view.sheet().work;
    std::string wrote = "Enter";
    if (plan.action == Plan::Action::Enter) {
        m_view.enterAt(event.at);
        notice.text = what + " recorded" + why;
    } else {
        const std::string previous{work.itemText(plan.row, WorkColumn::Leave)};
        work.SetItemText(plan.row, WorkColumn::Leave, plan.cell);
        m_view.CalculateWorkRow(plan.row);
        m_view.document().afterChange(m_view.settings().AutoSave);
        if (plan.action == Plan::Action::Leave) {
            wrote = "Leave";
            m_written = Written{plan.row, plan.cell, previous};
            notice.text = what + " recorded" + why;
        } else {
            wrote = "Forecast";
            notice.text = "Leave set back to the forecast " + plan.cell + why;
        }
    }
    journal(event, plan.date, wrote, plan.action == Plan::Action::Leave ? plan.cell : "",
            notice.text);
    return notice;
}

void PresenceRecorder::journal(const PresenceEvent& event, const std::string& row,
                               const std::string& wrote, const std::string& cell,
                               const std::string& outcome) {
    // A journal that cannot be written costs the record of the event, never the recording.
    m_journal.append({event.at, presenceCauseWord(event.cause), row, wrote, cell, outcome});
}

std::optional<PresenceNotice> PresenceRecorder::depart() {
    m_departed = true;
    const bool suggest = m_view.settings().presence == PresenceMode::Suggest;
    return perform(planDeparture(m_away->at), *m_away, suggest);
}

std::optional<PresenceNotice> PresenceRecorder::arrive(const PresenceEvent& event) {
    m_present = true;
    m_away.reset();
    m_departed = false;
    m_written.reset();
    const bool suggest = m_view.settings().presence == PresenceMode::Suggest;
    const Plan plan = planArrival(event.at);
    PresenceNotice notice = perform(plan, event, suggest);
    if (plan.quiet) {
        return std::nullopt;
    }
    return notice;
}

std::vector<PresenceNotice> PresenceRecorder::handle(const PresenceEvent& event) {
    if (m_view.settings().presence == PresenceMode::Off) {
        return {};
    }
    std::vector<PresenceNotice> notices;
    const auto add = [&notices](std::optional<PresenceNotice> notice) {
        if (notice) {
            notices.push_back(std::move(*notice));
        }
    };
    const std::string minutes = awayMinutesText(m_view.settings().presenceAwayMinutes);
    if (!isArrival(event.cause)) {
        if (!m_away) {
            m_away = event;
            m_departed = false;
            m_written.reset();
            m_present = false;
        }
        if (m_departed) {
            journal(event, "", "", "", "already away");
        } else if (endsAtOnce(event.cause) || event.at - m_away->at >= minimum()) {
            add(depart());
        } else {
            journal(event, "", "", "", "away; a departure after " + minutes);
        }
        return notices;
    }
    if (m_away && event.at - m_away->at < minimum()) {
        // A short absence leaves no trace: a departure written at once is taken back.
        std::string outcome = "away for less than " + minutes + ": nothing recorded";
        CellTable& work = m_view.sheet().work;
        if (m_written && work.itemText(m_written->row, WorkColumn::Leave) == m_written->cell) {
            work.SetItemText(m_written->row, WorkColumn::Leave, m_written->previous);
            m_view.CalculateWorkRow(m_written->row);
            m_view.document().afterChange(m_view.settings().AutoSave);
            outcome = "Leave " + clockText(m_away->at) + " taken back (" +
                      presenceCauseWord(event.cause) + ")";
            add(PresenceNotice{outcome, false, true, event.at, event.cause});
            journal(event, std::string(work.itemText(m_written->row, WorkColumn::Date)),
                    "Taken back", m_written->previous, outcome);
        } else {
            journal(event, "", "", "", outcome);
        }
        m_away.reset();
        m_departed = false;
        m_written.reset();
        m_present = true;
        return notices;
    }
    if (m_away && !m_departed) {
        add(depart());
    } else if (!m_away && m_present) {
        journal(event, "", "", "", "already present");
        return notices;
    }
    add(arrive(event));
    return notices;
}

std::optional<Instant> PresenceRecorder::deadline() const {
    if (m_view.settings().presence == PresenceMode::Off || !m_away || m_departed) {
        return std::nullopt;
    }
    return m_away->at + minimum();
}

std::vector<PresenceNotice> PresenceRecorder::settle(Instant now) {
    const auto due = deadline();
    if (!due || now < *due) {
        return {};
    }
    return {*depart()};
}

PresenceNotice PresenceRecorder::accept(const PresenceNotice& suggestion) {
    const PresenceEvent event{suggestion.cause, suggestion.at};
    return perform(suggestion.arrival ? planArrival(event.at) : planDeparture(event.at), event,
                   false);
}

void PresenceRecorder::noteUnavailable(Instant at, const std::string& reason) {
    journal({PresenceCause::Start, at}, "", "", "", std::string(kPresenceUnavailable) + reason);
}

} // namespace tallimo
