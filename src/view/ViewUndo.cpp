#include "view/CTagrolView.h"

namespace tallimo {
namespace {

Result runStep(CTagrolView& view, Ui& ui, StepDirection direction) {
    std::string name;
    const Result result = view.document().undoStep(direction, name);
    if (!result.message.empty()) {
        ui.showMessage(result.message);
    }
    view.traceLine(std::string(direction == StepDirection::Undo ? "Undo " : "Redo ") +
                   (result ? name : "refused"));
    return result;
}

} // namespace

Result CTagrolView::OnEditUndo() {
    return runStep(*this, m_platform.ui, StepDirection::Undo);
}

Result CTagrolView::OnEditRedo() {
    return runStep(*this, m_platform.ui, StepDirection::Redo);
}

} // namespace tallimo
