#include "plugins/ExportDialog.h"

#include <climits>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tallimo {
namespace {

// The file-search wildcards: '*' any run of characters, '?' one character.
bool matches(std::string_view pattern, std::string_view name) {
    if (pattern.empty()) {
        return name.empty();
    }
    if (pattern.front() == '*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip) {
            if (matches(pattern.substr(1), name.substr(skip))) {
                return true;
            }
        }
        return false;
    }
    return !name.empty() && (pattern.front() == '?' || pattern.front() == name.front()) &&
           matches(pattern.substr(1), name.substr(1));
}

std::string directoryOf(const std::string& pattern) {
    const auto slash = pattern.rfind('/');
    return slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
}

std::string namePatternOf(const std::string& pattern) {
    const auto slash = pattern.rfind('/');
    return slash == std::string::npos ? pattern : pattern.substr(slash + 1);
}

} // namespace

std::string pluginDescription(const DescriptionBuffer& buffer) {
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size() - 1));
}

std::string pluginSearchPattern(const std::string& plugInDir) {
    if (plugInDir.empty()) {
        return "";
    }
    return plugInDir + (plugInDir.back() == '/' ? "*.so" : "/*.so");
}

ExportDialog::ExportDialog(Ui& ui, LibraryLoader& loader, TraceLog& trace)
    : m_ui(ui), m_loader(loader), m_trace(trace) {
    this->trace("Enter CExportDlg");
    m_descriptionText = kNoPluginDescription;
    m_selectionText = kPleaseSelect;
    this->trace("Leave CExportDlg");
}

bool ExportDialog::OnInitDialog() {
    m_entries.assign(1, m_selectionText);
    const std::string directory = directoryOf(m_searchPattern);
    const std::string wanted = namePatternOf(m_searchPattern);
    std::error_code error;
    std::filesystem::directory_iterator it;
    // Without a folder nothing is listed: a library never comes from the working directory.
    if (!directory.empty()) {
        it = std::filesystem::directory_iterator(directory, error);
    }
    bool first = true;
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!matches(wanted, name)) {
            continue;
        }
        // Only the first match is examined for being a directory, as the file search did.
        if (first && it->is_directory(error)) {
            break;
        }
        first = false;
        m_entries.push_back(name);
    }
    if (m_entries.size() == 1) {
        m_ui.showMessage("Could not found any export plug-ins.");
    }
    m_selected = 0;
    m_okEnabled = false;
    return true;
}

void ExportDialog::ComboBoxChanged(int selectedIndex, int droppedWidth) {
    trace("Enter ComboBoxChanged");
    trace("GetDroppedWidth: " + std::to_string(droppedWidth));
    m_selected = selectedIndex >= 0 && selectedIndex < static_cast<int>(m_entries.size())
                     ? selectedIndex
                     : -1;
    if (m_selected <= 0) {
        m_descriptionText = kNoPluginDescription;
        m_okEnabled = false;
    } else {
        m_selectionText = m_entries[static_cast<std::size_t>(m_selected)];
        trace(m_selectionText);
        probe(directoryOf(m_searchPattern) + m_selectionText);
    }
    trace("Leave ComboBoxChanged");
}

namespace {
// The code of an access violation, as a signed 32-bit value.
constexpr long kAccessViolation = -1073741819;
} // namespace

void ExportDialog::probe(const std::string& path) {
    m_libraryPath = path;
    m_loadError.clear();
    if (path.size() >= PATH_MAX) {
        m_loadError = "the path is too long";
        m_ui.showMessage("The path of the export plug-in is too long.");
        m_descriptionText = kInvalidPluginDescription;
        m_okEnabled = false;
        return;
    }
    std::unique_ptr<Library> library = m_loader.load(path, m_loadError);
    if (!library) {
        // The description and OK stay those of the previous selection.
        trace("Could not load " + path + ": " + m_loadError);
        return;
    }
    // Calling an entry point the library lacks would crash: it is checked before the call and
    // reported as the fault it would have been (an access violation).
    void* symbol = library->symbol("GetDescription");
    if (symbol == nullptr) {
        trace("Caught a __try exception with SE_Exception.\n");
        trace("ExceptionCode: " + std::to_string(kAccessViolation) + "\n");
        m_descriptionText = kInvalidPluginDescription;
        m_okEnabled = false;
        return;
    }
    DescriptionBuffer description{};
    const auto getDescription = reinterpret_cast<TallimoGetDescriptionFn>(symbol);
    if (getDescription(description.data()) == 1) {
        const std::string text = pluginDescription(description);
        trace("Description: " + text);
        m_descriptionText = text;
    }
    library.reset();
    m_okEnabled = true;
}

void ExportDialog::OnOK() {
    trace("Enter OnOK");
    if (m_selected > 0) {
        m_pluginChosen = true;
    }
    trace("Leave OnOK");
}

bool ExportDialog::chooseLibrary(const std::string& path) {
    m_entries.assign(1, kPleaseSelect);
    m_entries.push_back(std::filesystem::path(path).filename().string());
    m_selected = 1;
    m_selectionText = m_entries.back();
    m_okEnabled = false;
    probe(path);
    if (m_okEnabled) {
        OnOK();
    }
    return m_pluginChosen;
}

} // namespace tallimo
