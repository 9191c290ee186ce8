#include "platform/PresenceSource.h"

namespace tallimo {

const char* presenceCauseWord(PresenceCause cause) {
    switch (cause) {
    case PresenceCause::Start:
        return "started";
    case PresenceCause::Unlock:
        return "unlocked";
    case PresenceCause::ScreenSaverEnd:
        return "screen saver ended";
    case PresenceCause::Resume:
        return "resumed";
    case PresenceCause::Lock:
        return "locked";
    case PresenceCause::ScreenSaverStart:
        return "screen saver started";
    case PresenceCause::Suspend:
        return "suspended";
    case PresenceCause::SessionEnd:
        return "session ended";
    }
    return "unknown";
}

} // namespace tallimo
