#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tallimo::plugin {

// Where exported files go: the folder in TALLIMO_EXPORT_DIR, else the user's documents folder
// (as the user-dirs file names it), else the home folder. Empty when none is known.
std::string destinationFolder();

// The description a plug-in gives: its format and the folder its files go to, converted to the
// program's code page and cut to the buffer of TALLIMO_DESCRIPTION_SIZE bytes.
void describe(char* buffer, std::string_view format);

// GetExportedFile of a plug-in that writes through `output`.
class PluginOutput;
int32_t nameWrittenFile(const PluginOutput& output, char* path, int32_t size);

enum class ListKind { None, Work, Standby };

// The output of one export run. Init creates a file under a fresh temporary name inside the
// destination folder; the rows are written to it; DeInit gives it its final name, which never
// replaces an existing file. A run that failed anywhere leaves no file behind.
class PluginOutput {
public:
    PluginOutput() = default;
    ~PluginOutput();
    PluginOutput(const PluginOutput&) = delete;
    PluginOutput& operator=(const PluginOutput&) = delete;

    bool init();
    // Records the list and the month ("DD.MM.YYYY...") at the first row. False when the run has
    // already failed or a row of the other list arrives; the run then fails.
    bool accept(ListKind kind, std::string_view date);
    bool isFirstRow() const { return m_rows == 1; }
    int rows() const { return m_rows; }
    ListKind kind() const { return m_kind; }
    bool write(std::string_view bytes);
    // With keep, names the file "tallimo-work-YYYY-MM.EXT" (or "-2", "-3", ... when taken);
    // without it, removes it. True when nothing failed.
    bool finish(std::string_view extension, bool keep);
    // The path of the file the last run kept; empty when it kept none.
    const std::string& writtenFile() const { return m_written; }

private:
    bool flush();
    bool commit(std::string_view extension);
    void discard();

    std::string m_folderPath;
    std::string m_written;
    int m_folder = -1;
    int m_file = -1;
    std::string m_tempName;
    std::string m_buffer;
    std::string m_month;
    ListKind m_kind = ListKind::None;
    int m_rows = 0;
    bool m_failed = false;
};

} // namespace tallimo::plugin
