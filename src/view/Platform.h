#pragma once

#include "platform/Clock.h"
#include "platform/LibraryLoader.h"
#include "platform/SettingsStore.h"
#include "platform/Timers.h"
#include "platform/TraceLog.h"
#include "platform/TraceSink.h"
#include "platform/Ui.h"

#include <functional>
#include <string>

namespace tallimo {

struct UndoStep;

// The seams the view works through; the desktop and the CLI each hand in their adapters.
struct Platform {
    Ui& ui;
    SettingsStore& settings;
    Clock& clock;
    Timers& timers;
    TraceSink& trace;
    LibraryLoader& libraries;
    std::function<unsigned long()> threadId = currentThreadId;
    // The plug-ins built with the program, listed by Export while PlugInDir is empty.
    std::string bundledPlugInDir = {};
    // The undo step the program's door opened around the running command; nullptr: the
    // document's own.
    UndoStep* step = nullptr;
    // Why presence detection cannot watch the session; empty when it can or is off.
    std::function<std::string()> presenceUnavailable = {};
};

} // namespace tallimo
