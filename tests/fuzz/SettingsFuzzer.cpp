// The settings file on arbitrary text: changes made to it read back as made, every other value
// as it was, and making them again changes nothing.
#include "platform/posix/IniSettingsStore.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tallimo;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto before = parseSettingsText(text);
    // The changes come from the input too: a value cut from it, a key it has, a new section.
    const std::string value = text.substr(size / 3, size / 4);
    SettingsChanges changes{
        {{"Settings", "AutoSave"}, value},
        {{"Settings", "lunchMinute"}, std::to_string(size)},
        {{"Recent File List", "File1"}, text.substr(0, size / 5)},
        {{"Settings", "PlugInDir"}, std::nullopt},
    };
    if (!before.empty()) {
        const auto& some =
            std::next(before.begin(), static_cast<long>(size % before.size()))->first;
        changes[some] = (size % 2) != 0 ? std::optional<std::string>() : std::optional(value + "x");
    }
    auto expected = before;
    for (const auto& [where, change] : changes) {
        if (change) {
            expected[where] = *change;
        } else {
            expected.erase(where);
        }
    }
    const std::string written = applySettingsChanges(text, changes);
    // Written twice, the same changes leave the same text.
    if (parseSettingsText(written) != expected ||
        applySettingsChanges(written, changes) != written) {
        std::abort();
    }
    return 0;
}
