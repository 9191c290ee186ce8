#include "app/DiskWatcher.h"

#include "app/CommandRunner.h"
#include "app/ListsWidget.h"
#include "controls/CCellListCtrl.h"
#include "platform/Encoding.h"
#include "view/CTagrolView.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <vector>

namespace tallimo {
namespace {

constexpr int kSettleMs = 250;

// What a reload keeps of a list where its rows still exist.
struct ListPlace {
    std::vector<int> selected;
    int currentRow = -1;
    int currentColumn = 0;
    int vertical = 0;
    int horizontal = 0;
};

ListPlace placeOf(CCellListCtrl& list) {
    ListPlace place;
    if (const QItemSelectionModel* model = list.selectionModel()) {
        for (const QModelIndex& index : model->selectedRows()) {
            place.selected.push_back(index.row());
        }
    }
    place.currentRow = list.currentIndex().row();
    place.currentColumn = std::max(0, list.currentIndex().column());
    place.vertical = list.verticalScrollBar()->value();
    place.horizontal = list.horizontalScrollBar()->value();
    return place;
}

void restorePlace(CCellListCtrl& list, const ListPlace& place) {
    QAbstractItemModel* model = list.model();
    QItemSelectionModel* selection = list.selectionModel();
    const int rows = model->rowCount();
    if (place.currentRow >= 0 && place.currentRow < rows) {
        selection->setCurrentIndex(model->index(place.currentRow, place.currentColumn),
                                   QItemSelectionModel::NoUpdate);
    }
    QItemSelection rowsToSelect;
    for (const int row : place.selected) {
        if (row < rows) {
            rowsToSelect.select(model->index(row, 0), model->index(row, 0));
        }
    }
    selection->select(rowsToSelect,
                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // The scroll bars learn the new row count from the layout.
    list.doItemsLayout();
    list.verticalScrollBar()->setValue(place.vertical);
    list.horizontalScrollBar()->setValue(place.horizontal);
}

std::string reloadQuestion(const std::string& path) {
    return "\"" + utf8ToWindows1252(path) +
           "\" has been changed by another program, and this window holds changes that are not "
           "saved.\r\nOK loads the file again and drops the changes made here; Cancel keeps them "
           "(saving then asks before it overwrites the file).";
}

} // namespace

DiskWatcher::DiskWatcher(CTagrolView& view, CommandRunner& runner, ListsWidget& lists, Ui& ui,
                         QObject* parent)
    : QObject(parent), m_view(view), m_runner(runner), m_lists(lists), m_ui(ui) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &DiskWatcher::check);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatcher::changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &DiskWatcher::changed);
}

void DiskWatcher::follow() {
    const std::string& path = m_view.document().path();
    if (path == m_path) {
        // A file replaced by a rename is a new file, which the watcher has to be told about.
        const QString file = QFile::decodeName(QByteArray::fromStdString(path));
        if (!path.empty() && !m_watcher.files().contains(file) && QFileInfo::exists(file)) {
            m_watcher.addPath(file);
        }
        return;
    }
    if (!m_watcher.files().isEmpty()) {
        m_watcher.removePaths(m_watcher.files());
    }
    if (!m_watcher.directories().isEmpty()) {
        m_watcher.removePaths(m_watcher.directories());
    }
    m_path = path;
    m_declined.reset();
    if (path.empty()) {
        return;
    }
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    m_watcher.addPath(QFileInfo(file).absolutePath());
    if (QFileInfo::exists(file)) {
        m_watcher.addPath(file);
    }
}

void DiskWatcher::changed() {
    m_settle.start();
}

void DiskWatcher::check() {
    // Never underneath a command that waits in a dialog, nor under an open menu or box.
    if (m_runner.isBusy() || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        m_settle.start();
        return;
    }
    m_runner.guarded([this] {
        follow();
        CTagrolDoc& doc = m_view.document();
        if (doc.path() != m_path || !doc.changedOnDisk()) {
            return;
        }
        const auto stamp = fileStampOf(m_path);
        if (!stamp) {
            // Gone: the next save writes it again; nothing here is lost.
            m_view.trace().write(TraceModule::App, "The open file is gone from the disk");
            return;
        }
        if (stamp == m_declined) {
            return;
        }
        if (doc.isModified()) {
            if (m_ui.ask(reloadQuestion(m_path)) == Answer::Cancel) {
                m_declined = stamp;
                return;
            }
        }
        reload();
        if (doc.changedOnDisk()) {
            // The new version could not be loaded; it is not offered again.
            m_declined = fileStampOf(m_path);
        }
    });
}

void DiskWatcher::reload() {
    CTagrolDoc& doc = m_view.document();
    const bool modified = doc.isModified();
    const std::string title = doc.title();
    const ListPlace work = placeOf(m_lists.list(true));
    const ListPlace squad = placeOf(m_lists.list(false));
    m_view.trace().write(TraceModule::App, "The open file was changed on disk: loading it again");
    // The user has chosen to drop the changes here; the open step must not ask again.
    doc.SetModifiedFlag(false);
    if (!doc.openStep(m_path)) {
        doc.SetModifiedFlag(modified);
        return;
    }
    doc.SetTitle(title);
    restorePlace(m_lists.list(true), work);
    restorePlace(m_lists.list(false), squad);
}

} // namespace tallimo
