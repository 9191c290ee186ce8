#pragma once

#include "document/InputFile.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <optional>
#include <string>

namespace tallimo {

class CTagrolView;
class CommandRunner;
class ListsWidget;
class Ui;

// Follows the open month's file on disk, so that what tallimo-cli or another program wrote is
// shown: without unsaved changes here the month is read again (the selection and the scroll
// position kept where the rows still exist); with unsaved changes the user chooses which side
// stays. Our own saves leave the document's view of the file current and read nothing again.
class DiskWatcher final : public QObject {
    Q_OBJECT

public:
    DiskWatcher(CTagrolView& view, CommandRunner& runner, ListsWidget& lists, Ui& ui,
                QObject* parent = nullptr);

    // Watches the document's file, whichever it is now.
    void follow();

private:
    void changed();
    void check();
    void reload();

    CTagrolView& m_view;
    CommandRunner& m_runner;
    ListsWidget& m_lists;
    Ui& m_ui;
    QFileSystemWatcher m_watcher;
    // Writers replace the file in several steps; it is looked at once they are done.
    QTimer m_settle;
    std::string m_path;
    // The version the user chose not to load; asked about once.
    std::optional<FileStamp> m_declined;
};

} // namespace tallimo
