#include "platform/posix/IniSettingsStore.h"

#include "document/AtomicFile.h"
#include "document/InputFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tallimo {
namespace {

namespace fs = std::filesystem;

// How long a sync waits for another writer's lock before it gives up.
constexpr auto kLockWait = std::chrono::seconds(5);

bool isHexDigit(unsigned char c) {
    return std::isxdigit(c) != 0;
}

int hexValue(unsigned char c) {
    return c <= '9' ? c - '0' : (std::tolower(c) - 'a' + 10);
}

// A code point as the Latin-1 byte QString::toLatin1 makes of it.
char latin1(std::uint32_t code) {
    return static_cast<char>(code <= 0xFF ? code : '?');
}

// Appends the Latin-1 bytes of UTF-8 text; a broken sequence reads as one '?'.
void appendUtf8AsLatin1(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : 4;
        std::uint32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        bool whole =
            i + static_cast<std::size_t>(length) <= text.size() && (lead < 0x80 || lead >= 0xC2);
        for (int k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            whole = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        out += whole ? latin1(code) : '?';
        i += whole ? static_cast<std::size_t>(length) : 1;
    }
}

// A key or section name as QSettings writes it: letters, digits, '_', '-' and '.' stay, '/'
// becomes '\', every other character %XX.
std::string escapedKey(const std::string& key) {
    std::string out;
    for (const char c : key) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 || c == '_' || c == '-' || c == '.') {
            out += c;
        } else if (c == '/') {
            out += '\\';
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

std::string unescapedKey(std::string_view text) {
    std::string out;
    std::string utf8; // raw text not yet converted; a %XX escape is a character of its own
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool wide = text[i] == '%' && i + 1 < text.size() && text[i + 1] == 'U';
        const std::size_t digits = wide ? 4 : 2;
        const std::size_t first = i + (wide ? 2 : 1);
        if (text[i] == '\\') {
            utf8 += '/';
        } else if (text[i] == '%' && first + digits <= text.size() &&
                   std::all_of(text.begin() + static_cast<std::ptrdiff_t>(first),
                               text.begin() + static_cast<std::ptrdiff_t>(first + digits),
                               [](char c) { return isHexDigit(static_cast<unsigned char>(c)); })) {
            std::uint32_t code = 0;
            for (std::size_t k = first; k < first + digits; ++k) {
                code = code << 4 |
                       static_cast<std::uint32_t>(hexValue(static_cast<unsigned char>(text[k])));
            }
            appendUtf8AsLatin1(out, utf8);
            utf8.clear();
            out += latin1(code);
            i = first + digits - 1;
            continue;
        } else {
            utf8 += text[i];
        }
    }
    appendUtf8AsLatin1(out, utf8);
    return out;
}

// A string value (Latin-1 bytes) as QSettings writes a QString: a leading '@' doubled, control
// characters, quotes and backslashes escaped, the rest in UTF-8, in quotes where ';', ',' or
// '=' or a space at either end would be misread.
std::string escapedValue(const std::string& value) {
    std::string out = value.starts_with('@') ? "@" : "";
    bool quote = false;
    bool escapeHexDigit = false;
    for (const char c : value) {
        const auto ch = static_cast<unsigned char>(c);
        quote = quote || c == ';' || c == ',' || c == '=';
        char hex[8];
        if (escapeHexDigit && isHexDigit(ch)) {
            std::snprintf(hex, sizeof hex, "\\x%x", ch);
            out += hex;
            continue;
        }
        escapeHexDigit = false;
        static constexpr std::pair<char, const char*> kNamed[] = {
            {'\a', "\\a"}, {'\b', "\\b"}, {'\f', "\\f"}, {'\n', "\\n"},  {'\r', "\\r"},
            {'\t', "\\t"}, {'\v', "\\v"}, {'"', "\\\""}, {'\\', "\\\\"}, {'\0', "\\0"}};
        const auto named = std::find_if(std::begin(kNamed), std::end(kNamed),
                                        [c](const auto& entry) { return entry.first == c; });
        if (named != std::end(kNamed)) {
            out += named->second;
            escapeHexDigit = c == '\0';
        } else if (ch <= 0x1F) {
            std::snprintf(hex, sizeof hex, "\\x%x", ch);
            out += hex;
            escapeHexDigit = true;
        } else if (ch >= 0x80) {
            out += static_cast<char>(0xC0 | ch >> 6);
            out += static_cast<char>(0x80 | (ch & 0x3F));
        } else {
            out += c;
        }
    }
    if (quote || (!out.empty() && (out.front() == ' ' || out.back() == ' '))) {
        out = '"' + out + '"';
    }
    return out;
}

// What QSettings reads from a value's text, as Latin-1 bytes: empty when it reads no string (a
// list, @Invalid() or another type).
std::optional<std::string> unescapedValue(std::string_view text) {
    std::string out;
    std::string run; // UTF-8 not yet converted
    bool quoted = false;
    bool wasQuoted = false;
    std::size_t chopLimit = 0;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
    };
    const auto flush = [&] {
        appendUtf8AsLatin1(out, run);
        run.clear();
    };
    skipBlanks();
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            flush();
            const char e = text[i + 1];
            i += 2;
            static constexpr std::pair<char, char> kEscapes[] = {
                {'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'},
                {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
            const auto named = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                            [e](const auto& escape) { return escape.first == e; });
            if (named != std::end(kEscapes)) {
                out += named->second;
            } else if ((e == 'x' && i < text.size() &&
                        isHexDigit(static_cast<unsigned char>(text[i]))) ||
                       (e >= '0' && e <= '7')) {
                const bool hex = e == 'x';
                std::uint32_t code = hex ? 0 : static_cast<std::uint32_t>(e - '0');
                while (i < text.size() && (hex ? isHexDigit(static_cast<unsigned char>(text[i]))
                                               : text[i] >= '0' && text[i] <= '7')) {
                    code = (code << (hex ? 4 : 3)) +
                           static_cast<std::uint32_t>(
                               hex ? hexValue(static_cast<unsigned char>(text[i])) : text[i] - '0');
                    code &= 0xFFFF;
                    ++i;
                }
                out += latin1(code);
            } else if (e == '\r' || e == '\n') {
                if (i < text.size() && (text[i] == '\r' || text[i] == '\n') && text[i] != e) {
                    ++i;
                }
            }
            chopLimit = out.size();
        } else if (c == '\\') {
            ++i;
        } else if (c == '"') {
            flush();
            ++i;
            wasQuoted = true;
            quoted = !quoted;
            if (!quoted) {
                skipBlanks();
            }
        } else if (c == ',' && !quoted) {
            return std::nullopt;
        } else {
            run += c;
            ++i;
        }
    }
    flush();
    if (!wasQuoted) {
        while (out.size() > chopLimit && (out.back() == ' ' || out.back() == '\t')) {
            out.pop_back();
        }
    }
    if (out.starts_with("@@")) {
        return out.substr(1);
    }
    if (out.starts_with("@ByteArray(") && out.ends_with(')')) {
        return out.substr(11, out.size() - 12);
    }
    if (out.starts_with('@') && out.ends_with(')')) {
        return std::nullopt;
    }
    return out;
}

// One logical line of the file: a section header, a key, or anything else (blank lines and
// comments), with where it lies in the file's bytes.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool header = false;
    std::string headerSection; // of the header above it ("" before any, and for [General])
    std::string section;       // where the key belongs: "Settings/AutoSave" in [General]
    std::string key;           // is key AutoSave of section Settings; empty for other lines
    std::size_t keyEnd = 0;    // the key's text as written ends here
    std::string value;         // the text after '='
};

// The section and key a key's full path names: its first part and the rest.
std::pair<std::string, std::string> splitKey(const std::string& header, const std::string& key) {
    // As QSettings normalises a key: no '/' at either end, none twice in a row.
    std::string full;
    for (const char c : header + "/" + key) {
        if (c != '/' || (!full.empty() && full.back() != '/')) {
            full += c;
        }
    }
    if (full.ends_with('/')) {
        full.pop_back();
    }
    const auto slash = full.find('/');
    if (slash == std::string::npos) {
        return {"", full};
    }
    return {full.substr(0, slash), full.substr(slash + 1)};
}

std::string sectionName(std::string_view escaped) {
    // [General] holds the keys of no section; a section of that name is written [%General]
    // (told apart from [%25General], a section named %General, before the escapes are read).
    if (escaped == "%General" || escaped == "%general") {
        return std::string(escaped.substr(1));
    }
    std::string name = unescapedKey(escaped);
    return name == "General" || name == "general" ? "" : name;
}

std::string headerName(const std::string& section) {
    if (section.empty()) {
        return "General";
    }
    return section == "General" || section == "general" ? "%" + section : escapedKey(section);
}

// Splits the file into logical lines as QSettings reads them: quotes and a backslash before a
// line break carry a line on, a ';' outside quotes starts a comment.
std::vector<Line> parseLines(std::string_view data) {
    std::vector<Line> lines;
    std::string section;
    std::size_t pos = data.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < data.size()) {
        while (pos < data.size() && std::strchr(" \t\r\n", data[pos]) != nullptr &&
               data[pos] != '\0') {
            ++pos;
        }
        const std::size_t begin = pos;
        std::size_t equals = std::string_view::npos;
        bool quoted = false;
        bool comment = pos < data.size() && data[pos] == ';';
        while (pos < data.size()) {
            const char c = data[pos];
            if ((c == '\n' || c == '\r') && (!quoted || comment)) {
                break;
            }
            if (!comment && c == ';' && !quoted) {
                break;
            }
            if (!comment && c == '\\' && pos + 1 < data.size()) {
                pos += 2;
                continue;
            }
            quoted = !comment && c == '"' ? !quoted : quoted;
            if (!comment && c == '=' && !quoted && equals == std::string_view::npos) {
                equals = pos;
            }
            ++pos;
        }
        if (pos == begin) {
            // A ';' right after a key's value: the rest of the line is a comment.
            while (pos < data.size() && data[pos] != '\n' && data[pos] != '\r') {
                ++pos;
            }
            if (pos == begin) {
                continue;
            }
            comment = true;
        }
        Line line;
        line.begin = begin;
        line.end = pos;
        const std::string_view text = data.substr(begin, pos - begin);
        if (!comment && text.starts_with('[')) {
            const auto close = text.find(']');
            std::string_view name =
                text.substr(1, close == std::string_view::npos ? text.npos : close - 1);
            while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) {
                name.remove_prefix(1);
            }
            while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) {
                name.remove_suffix(1);
            }
            section = sectionName(name);
            line.header = true;
        } else if (!comment && equals != std::string_view::npos) {
            std::string_view key = data.substr(begin, equals - begin);
            while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) {
                key.remove_suffix(1);
            }
            std::tie(line.section, line.key) = splitKey(section, unescapedKey(key));
            line.keyEnd = begin + key.size();
            line.value = std::string(data.substr(equals + 1, pos - equals - 1));
        }
        line.headerSection = section;
        if (line.key.empty()) {
            line.section = section;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// The file's bytes; failed with the reason when there is a file that cannot be read. A missing
// file is an empty store. Opening never blocks, so a pipe named by mistake cannot hang a start.
Result readSettingsFile(const std::string& path, std::string& data) {
    data.clear();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) {
        return {};
    }
    std::vector<std::uint8_t> bytes;
    Result result = readWholeFile(path, bytes);
    data.assign(bytes.begin(), bytes.end());
    return result;
}

// The lock of every writer of the file: a file beside it, created exclusively, holding a flock
// while its owner lives, in the form QLockFile gives it, so that a desktop of an earlier version
// still running honours it too. A lock whose owner is gone is taken over.
class SettingsLock {
public:
    explicit SettingsLock(std::string path) : m_path(std::move(path)) {}
    ~SettingsLock() {
        if (m_fd >= 0) {
            ::unlink(m_path.c_str());
            ::close(m_fd);
        }
    }
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

    // The reason when the lock could not be taken.
    std::string acquire() {
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        for (;;) {
            m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0) {
                ::flock(m_fd, LOCK_EX | LOCK_NB);
                char host[HOST_NAME_MAX + 1] = {};
                ::gethostname(host, sizeof host - 1);
                // QLockFile finds a lock stale when the process of that number has another name.
                std::error_code ignored;
                const std::string program =
                    fs::read_symlink("/proc/self/exe", ignored).filename().string();
                const std::string owner =
                    std::to_string(::getpid()) + "\n" + program + "\n" + host + "\n\n";
                return ::write(m_fd, owner.data(), owner.size()) ==
                               static_cast<ssize_t>(owner.size())
                           ? ""
                           : "its lock file cannot be written";
            }
            if (errno != EEXIST) {
                return "its lock file cannot be made: " + std::generic_category().message(errno);
            }
            if (std::chrono::steady_clock::now() > deadline) {
                return "another program holds its lock";
            }
            takeOverIfStale();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

private:
    void takeOverIfStale() const {
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return;
        }
        // Its owner holds a flock on it from just after making it; when we get the flock and the
        // file is not brand new, nobody does.
        struct stat info {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &info) == 0 &&
            std::time(nullptr) - info.st_mtime > 1) {
            ::unlink(m_path.c_str());
        }
        ::close(fd);
    }

    std::string m_path;
    int m_fd = -1;
};

} // namespace

std::string presenceJournalPath() {
    return userConfigFolder() + "/Morvane/Tallimo-presence.log";
}

std::string userConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return config;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config";
}

IniSettingsStore::IniSettingsStore(std::string path) : m_path(std::move(path)) {}

void IniSettingsStore::warn(const std::string& text) const {
    if (m_warned) {
        return;
    }
    m_warned = true;
    if (m_warning) {
        m_warning("the settings file " + m_path + " " + text);
    }
}

void IniSettingsStore::load() const {
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    std::string data;
    if (const Result read = readSettingsFile(m_path, data); !read) {
        warn("cannot be read (" + read.message + "); the defaults are used");
    }
    m_values = parseSettingsText(data);
    // What this program changed and has not written yet still counts.
    for (const auto& [where, value] : m_changes) {
        if (value) {
            m_values[where] = *value;
        } else {
            m_values.erase(where);
        }
    }
}

void IniSettingsStore::reload() {
    m_loaded = false;
}

std::optional<std::string> IniSettingsStore::getString(const std::string& section,
                                                       const std::string& key) const {
    load();
    const auto found = m_values.find({section, key});
    return found != m_values.end() ? std::optional(found->second) : std::nullopt;
}

std::optional<int> IniSettingsStore::getInt(const std::string& section,
                                            const std::string& key) const {
    const auto text = getString(section, key);
    if (!text) {
        return std::nullopt;
    }
    // As QString::toInt reads it: blanks around an optional sign and decimal digits.
    const char* begin = text->c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    while (end != nullptr && (*end == ' ' || *end == '\t')) {
        ++end;
    }
    if (end == begin || *end != '\0' || errno != 0 || value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

void IniSettingsStore::setString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    load();
    m_values[{section, key}] = value;
    m_changes[{section, key}] = value;
}

void IniSettingsStore::setInt(const std::string& section, const std::string& key, int value) {
    setString(section, key, std::to_string(value));
}

void IniSettingsStore::remove(const std::string& section, const std::string& key) {
    load();
    m_values.erase({section, key});
    m_changes[{section, key}] = std::nullopt;
}

bool IniSettingsStore::sync() {
    if (m_changes.empty()) {
        return true;
    }
    const std::string reason = write();
    if (!reason.empty()) {
        warn("cannot be written (" + reason + "); the changes are not kept");
        return false;
    }
    m_changes.clear();
    return true;
}

std::string IniSettingsStore::write() const {
    std::error_code error;
    fs::create_directories(fs::path(m_path).parent_path(), error);
    SettingsLock lock(m_path + ".lock");
    if (std::string refused = lock.acquire(); !refused.empty()) {
        return refused;
    }
    // Read again under the lock: another program may have written since. What cannot be read
    // is never written over.
    std::string data;
    if (const Result read = readSettingsFile(m_path, data); !read) {
        return read.message;
    }
    data = applySettingsChanges(std::move(data), m_changes);
    const SaveCalls unflushed{nullptr, [](int) { return 0; }};
    const Result written = writeFileAtomically(
        m_path, {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()}, unflushed);
    return written ? "" : written.message;
}

std::map<SettingsKey, std::string> parseSettingsText(std::string_view data) {
    std::map<SettingsKey, std::string> values;
    for (const Line& line : parseLines(data)) {
        if (line.key.empty()) {
            continue;
        }
        if (auto value = unescapedValue(line.value)) {
            values[{line.section, line.key}] = std::move(*value);
        } else {
            values.erase({line.section, line.key});
        }
    }
    return values;
}

namespace {

// The values as a fresh file holds them: one header per section, [General] for the keys of none.
std::string freshSettingsText(const std::map<SettingsKey, std::string>& values,
                              const std::string& eol) {
    std::string text;
    const std::string* section = nullptr;
    for (const auto& [where, value] : values) {
        if (section == nullptr || *section != where.first) {
            section = &where.first;
            text += (text.empty() ? "" : eol) + "[" + headerName(*section) + "]" + eol;
        }
        text += escapedKey(where.second) + "=" + escapedValue(value) + eol;
    }
    return text;
}

std::string editedSettingsText(std::string data, const SettingsChanges& changes,
                               const std::string& eol) {
    const std::vector<Line> lines = parseLines(data);
    // Edits from the end of the file backwards, so that the offsets before them stay valid.
    std::map<std::size_t, std::pair<std::size_t, std::string>, std::greater<>> edits;
    // The keys of sections the file does not have yet, one header per section.
    std::map<std::string, std::string> added;
    for (const auto& [where, value] : changes) {
        const auto& [section, key] = where;
        const std::optional<std::string> text =
            value ? std::optional(escapedValue(*value)) : std::nullopt;
        const Line* sectionEnd = nullptr;
        bool done = false;
        for (const Line& existing : lines) {
            if (existing.headerSection == section) {
                sectionEnd = &existing;
            }
            if (existing.key.empty() || existing.section != section || existing.key != key) {
                continue;
            }
            if (!done && text) {
                // The key keeps its spelling (and its place in [General], where it may be).
                edits[existing.begin] = {
                    existing.end,
                    data.substr(existing.begin, existing.keyEnd - existing.begin) + "=" + *text};
            } else {
                std::size_t end = existing.end;
                // A removed line takes its line break with it.
                end += data.compare(end, 2, "\r\n") == 0 ? 2 : data.compare(end, 1, "\n") == 0;
                edits[existing.begin] = {end, ""};
            }
            done = true;
        }
        if (done || !text) {
            continue;
        }
        const std::string line = escapedKey(key) + "=" + *text;
        if (sectionEnd != nullptr) {
            auto& edit = edits[sectionEnd->end];
            edit.first = std::max(edit.first, sectionEnd->end);
            edit.second += eol + line;
        } else {
            added[section] += line + eol;
        }
    }
    for (const auto& [begin, edit] : edits) {
        data.replace(begin, edit.first - begin, edit.second);
    }
    for (const auto& [section, keys] : added) {
        if (!data.empty() && data.back() != '\n') {
            data += eol;
        }
        data += (data.empty() ? "" : eol) + "[" + headerName(section) + "]" + eol + keys;
    }
    return data;
}

} // namespace

std::string applySettingsChanges(std::string data, const SettingsChanges& changes) {
    auto expected = parseSettingsText(data);
    for (const auto& [where, value] : changes) {
        if (value) {
            expected[where] = *value;
        } else {
            expected.erase(where);
        }
    }
    // The file's own line ends are kept, also on the lines added to it.
    const std::string eol = data.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::string edited = editedSettingsText(std::move(data), changes, eol);
    // Text edited by hand can defeat an edit in place (a quote left open swallows what follows):
    // then the values are written afresh rather than lost.
    if (parseSettingsText(edited) != expected) {
        return freshSettingsText(expected, eol);
    }
    return edited;
}

} // namespace tallimo
