#include "app/WindowState.h"

#include "app/CMainFrame.h"
#include "app/ListsWidget.h"
#include "controls/CCellListCtrl.h"
#include "platform/SettingsStore.h"
#include "view/CTagrolView.h"

#include <QByteArray>
#include <QHeaderView>
#include <QStatusBar>
#include <sstream>

namespace tallimo {
namespace {

const std::string kSection = "Window";
const std::string kGeometry = "Geometry";
const std::string kBars = "Bars";
const std::string kStatusBar = "StatusBar";
const std::string kShownList = "ShownList";
const std::string kWorkColumnsKey = "WorkColumns";
const std::string kSquadColumnsKey = "SquadColumns";
constexpr int kMaxColumnWidth = 5000;

std::string widthsOf(const CCellListCtrl& list) {
    std::string text;
    const QHeaderView* header = list.horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        text += (column == 0 ? "" : ",") + std::to_string(header->sectionSize(column));
    }
    return text;
}

// Widths that do not fit the list's columns are ignored whole: they belong to another layout.
void applyWidths(CCellListCtrl& list, const std::string& text) {
    std::vector<int> widths;
    std::istringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ',')) {
        try {
            std::size_t used = 0;
            const int width = std::stoi(part, &used);
            if (used != part.size() || width < 0 || width > kMaxColumnWidth) {
                return;
            }
            widths.push_back(width);
        } catch (const std::exception&) {
            return;
        }
    }
    QHeaderView* header = list.horizontalHeader();
    if (static_cast<int>(widths.size()) != header->count()) {
        return;
    }
    for (int column = 0; column < header->count(); ++column) {
        header->resizeSection(column, widths[static_cast<std::size_t>(column)]);
    }
}

QByteArray decoded(const std::optional<std::string>& base64) {
    return base64 ? QByteArray::fromBase64(QByteArray::fromStdString(*base64)) : QByteArray();
}

void storeIfChanged(SettingsStore& store, const std::string& key, const std::string& value) {
    if (store.getString(kSection, key) != value) {
        store.setString(kSection, key, value);
    }
}

} // namespace

void restoreWindowState(const SettingsStore& store, CMainFrame& frame, CTagrolView& view) {
    if (const QByteArray geometry = decoded(store.getString(kSection, kGeometry));
        !geometry.isEmpty()) {
        frame.restoreGeometry(geometry);
    }
    if (const QByteArray bars = decoded(store.getString(kSection, kBars)); !bars.isEmpty()) {
        frame.restoreState(bars);
    }
    if (store.getString(kSection, kStatusBar) == "off") {
        frame.statusBar()->hide();
    }
    if (store.getString(kSection, kShownList) == "squad") {
        view.OnShowSquadTime();
    }
    if (const auto widths = store.getString(kSection, kWorkColumnsKey)) {
        applyWidths(frame.lists().list(true), *widths);
    }
    if (const auto widths = store.getString(kSection, kSquadColumnsKey)) {
        applyWidths(frame.lists().list(false), *widths);
    }
    frame.idleUpdate();
}

void saveWindowState(SettingsStore& store, CMainFrame& frame, const CTagrolView& view) {
    storeIfChanged(store, kGeometry, frame.saveGeometry().toBase64().toStdString());
    storeIfChanged(store, kBars, frame.saveState().toBase64().toStdString());
    storeIfChanged(store, kStatusBar, frame.statusBar()->isVisibleTo(&frame) ? "on" : "off");
    storeIfChanged(store, kShownList, view.isWorkListVisible() ? "work" : "squad");
    storeIfChanged(store, kWorkColumnsKey, widthsOf(frame.lists().list(true)));
    storeIfChanged(store, kSquadColumnsKey, widthsOf(frame.lists().list(false)));
    store.sync();
}

} // namespace tallimo
