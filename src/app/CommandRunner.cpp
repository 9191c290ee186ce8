#include "app/CommandRunner.h"

#include "platform/Encoding.h"
#include "view/CTagrolView.h"

#include <QTimer>
#include <exception>

namespace tallimo {
namespace {

constexpr const char* kNoErrorMessage = "No error message is available.";
constexpr int kRetryMs = 100;

} // namespace

CommandRunner::CommandRunner(CTagrolView& view, Ui& ui) : m_view(view), m_ui(ui), m_table(view) {}

void CommandRunner::run(int id) {
    guarded(
        [this, id] {
            if (id == CommandId::Switch && !m_view.isMainWindowHidden() && canHideWindow &&
                !canHideWindow()) {
                m_view.trace().write(
                    TraceModule::App,
                    "Switch keeps the window shown: no tray icon would bring it back");
                return;
            }
            if (m_table.execute(id) != ExecuteResult::LeftToShell) {
                return;
            }
            if (id == CommandId::AppExit && exitProgram) {
                exitProgram();
            } else if (id == CommandId::AppAbout && showAbout) {
                showAbout();
            } else if (id == CommandId::OvertimeBalance && showBalance) {
                showBalance();
            } else if (report) {
                report(id);
            }
        },
        id == CommandId::EditUndo || id == CommandId::EditRedo ? std::string() : stepNameOf(id));
}

bool CommandRunner::guarded(const std::function<void()>& work, const std::string& step) {
    if (m_depth > 0) {
        m_view.trace().write(TraceModule::App, "Busy: a command is still running");
        return false;
    }
    ++m_depth;
    // Undo and redo move through the steps and are none themselves.
    if (!step.empty()) {
        m_view.document().beginStep(step);
    }
    try {
        work();
    } catch (const std::exception& failure) {
        reportFailure(failure.what());
    } catch (...) {
        reportFailure({});
    }
    m_view.document().endStep();
    --m_depth;
    if (afterCommand) {
        afterCommand();
    }
    return true;
}

void CommandRunner::guardedOrLater(std::function<void()> work, const std::string& step) {
    if (m_depth == 0) {
        guarded(work, step);
        return;
    }
    QTimer::singleShot(kRetryMs, &m_deferred, [this, work = std::move(work), step]() mutable {
        guardedOrLater(std::move(work), step);
    });
}

void CommandRunner::reportFailure(const std::string& message) {
    const std::string text = utf8ToWindows1252(message.empty() ? kNoErrorMessage : message);
    m_view.trace().write(TraceModule::App, "ExceptionMessage: " + text);
    m_ui.showMessage(text);
}

} // namespace tallimo
