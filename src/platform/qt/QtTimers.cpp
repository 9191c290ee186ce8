#include "platform/qt/QtTimers.h"

#include <QTimer>
#include <limits>

namespace tallimo {

QtTimers::QtTimers(std::function<void(unsigned id)> onTick) : m_onTick(std::move(onTick)) {}

QtTimers::~QtTimers() = default;

unsigned QtTimers::start(unsigned id, unsigned periodMs) {
    if (id == 0 || periodMs > static_cast<unsigned>(std::numeric_limits<int>::max())) {
        return 0;
    }
    auto& timer = m_timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] { m_onTick(id); });
    }
    timer->start(static_cast<int>(periodMs));
    return id;
}

void QtTimers::stop(unsigned identifier) {
    if (const auto found = m_timers.find(identifier); found != m_timers.end()) {
        found->second->stop();
    }
}

bool QtTimers::isRunning(unsigned id) const {
    const auto found = m_timers.find(id);
    return found != m_timers.end() && found->second->isActive();
}

} // namespace tallimo
