#pragma once

#include "platform/LibraryLoader.h"
#include "platform/TraceLog.h"
#include "platform/Ui.h"
#include "plugins/tallimo_export.h"

#include <array>
#include <string>
#include <vector>

namespace tallimo {

inline constexpr const char* kPleaseSelect = "Please select ...";
inline constexpr const char* kNoPluginDescription = "... a plug-in dll.";
inline constexpr const char* kInvalidPluginDescription = "... is not a valid plug-in dll.";

// The buffer a plug-in writes its description into, all zero before the call.
using DescriptionBuffer = std::array<char, TALLIMO_DESCRIPTION_SIZE>;
// What the plug-in wrote: up to its first zero, and never more than the 1023 bytes it may write,
// whether it ended them with a zero or not.
std::string pluginDescription(const DescriptionBuffer& buffer);

// The plug-in libraries of a directory: "*.so" appended with a separator when it lacks one;
// no folder gives an empty pattern, which lists nothing.
std::string pluginSearchPattern(const std::string& plugInDir);

// The export dialog's data and rules: it lists the libraries matching the search pattern, probes
// the one the user selects by asking for its description, and allows OK only after a probe that
// loaded the library. The Ui shows it and calls the event handlers.
class ExportDialog {
public:
    ExportDialog(Ui& ui, LibraryLoader& loader, TraceLog& trace);

    void SetSearchPattern(std::string pattern) { m_searchPattern = std::move(pattern); }
    const std::string& searchPattern() const { return m_searchPattern; }

    // Fills the list: "Please select ..." and the matching files, in the order found.
    bool OnInitDialog();
    // The selection changed to an entry (-1: none); droppedWidth is the list's width in pixels.
    void ComboBoxChanged(int selectedIndex, int droppedWidth = 0);
    void OnOK();

    // A library named directly (the terminal has no list to pick from): listed, selected and
    // probed like a chosen entry, then confirmed when the probe allows OK.
    bool chooseLibrary(const std::string& path);

    const std::vector<std::string>& entries() const { return m_entries; }
    int selectedIndex() const { return m_selected; }
    bool okEnabled() const { return m_okEnabled; }
    const std::string& descriptionText() const { return m_descriptionText; }
    const std::string& selectionText() const { return m_selectionText; }
    bool pluginChosen() const { return m_pluginChosen; }
    const std::string& libraryPath() const { return m_libraryPath; }
    // Why the last probe could not load its library; empty when it could.
    const std::string& loadError() const { return m_loadError; }

private:
    void trace(std::string_view text) { m_trace.write(TraceModule::ExportDlg, text); }
    void probe(const std::string& path);

    Ui& m_ui;
    LibraryLoader& m_loader;
    TraceLog& m_trace;
    bool m_pluginChosen = false;
    std::string m_libraryPath;
    std::vector<std::string> m_entries;
    int m_selected = -1;
    bool m_okEnabled = false;
    std::string m_descriptionText;
    std::string m_selectionText;
    std::string m_searchPattern;
    std::string m_loadError;
};

} // namespace tallimo
