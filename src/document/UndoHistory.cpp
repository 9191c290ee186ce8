#include "document/UndoHistory.h"

#include "document/AtomicFile.h"
#include "document/FileLock.h"
#include "document/InputFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tallimo {
namespace {

constexpr std::string_view kMagic = "TALLIMO-HISTORY 1\n";
constexpr std::chrono::milliseconds kLockWait{3000};

std::uint64_t hashOf(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::uint8_t byte : bytes) {
        hash = (hash ^ byte) * 1099511628211ULL;
    }
    return hash;
}

HistoryStep stepBetween(const UndoStep& step, std::span<const std::uint8_t> before,
                        std::span<const std::uint8_t> after) {
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    HistoryStep made{step.name, step.token, prefix, {}, {}, hashOf(before), hashOf(after)};
    made.before.assign(before.begin() + static_cast<std::ptrdiff_t>(prefix),
                       before.end() - static_cast<std::ptrdiff_t>(suffix));
    made.after.assign(after.begin() + static_cast<std::ptrdiff_t>(prefix),
                      after.end() - static_cast<std::ptrdiff_t>(suffix));
    return made;
}

// `current` with the step's `from` middle replaced by its `to` middle, where `current` is the
// version the step leaves and the result the version it names: a step that a crash tore while the
// history was written never writes a month nobody saved.
std::optional<std::vector<std::uint8_t>> replaced(const HistoryStep& step,
                                                  std::span<const std::uint8_t> current,
                                                  const std::vector<std::uint8_t>& from,
                                                  const std::vector<std::uint8_t>& to,
                                                  std::uint64_t expected, std::uint64_t wanted) {
    if (hashOf(current) != expected || current.size() < step.prefix + from.size()) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> result(current.begin(),
                                     current.begin() + static_cast<std::ptrdiff_t>(step.prefix));
    result.insert(result.end(), to.begin(), to.end());
    result.insert(result.end(),
                  current.begin() + static_cast<std::ptrdiff_t>(step.prefix + from.size()),
                  current.end());
    if (hashOf(result) != wanted) {
        return std::nullopt;
    }
    return result;
}

// Reads the history's bytes; any damage ends the reading with what was whole before it.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    bool literal(std::string_view text) {
        if (m_bytes.size() - m_at < text.size() ||
            !std::equal(text.begin(), text.end(), m_bytes.begin() + static_cast<long>(m_at))) {
            return false;
        }
        m_at += text.size();
        return true;
    }
    bool number(std::uint64_t& value, char end) {
        const char* first = reinterpret_cast<const char*>(m_bytes.data()) + m_at;
        const char* last = reinterpret_cast<const char*>(m_bytes.data()) + m_bytes.size();
        const auto [stop, error] = std::from_chars(first, last, value);
        if (error != std::errc() || stop == last || *stop != end) {
            return false;
        }
        m_at += static_cast<std::size_t>(stop - first) + 1;
        return true;
    }
    // Never trusts an announced length beyond the bytes that are there.
    bool take(std::uint64_t count, auto& into) {
        if (count > m_bytes.size() - m_at) {
            return false;
        }
        into.assign(m_bytes.begin() + static_cast<long>(m_at),
                    m_bytes.begin() + static_cast<long>(m_at + count));
        m_at += count;
        return true;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
};

bool readStep(Reader& reader, HistoryStep& step) {
    std::uint64_t prefix = 0, beforeSize = 0, afterSize = 0, nameSize = 0, tokenSize = 0;
    return reader.number(prefix, ' ') && reader.number(beforeSize, ' ') &&
           reader.number(afterSize, ' ') && reader.number(step.beforeHash, ' ') &&
           reader.number(step.afterHash, ' ') && reader.number(nameSize, ' ') &&
           reader.number(tokenSize, '\n') && reader.take(nameSize, step.name) &&
           reader.take(tokenSize, step.token) && reader.take(beforeSize, step.before) &&
           reader.take(afterSize, step.after) && reader.literal("\n") &&
           (step.prefix = prefix, true);
}

void append(std::vector<std::uint8_t>& bytes, std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

} // namespace

std::string newStepToken(std::int64_t now) {
    static std::atomic<unsigned> counter{0};
    return std::to_string(::getpid()) + '-' + std::to_string(now) + '-' + std::to_string(++counter);
}

void MonthHistory::record(const UndoStep& step, std::span<const std::uint8_t> before,
                          std::span<const std::uint8_t> after) {
    steps.resize(cursor);
    std::vector<std::uint8_t> first(before.begin(), before.end());
    if (!step.token.empty() && !steps.empty() && steps.back().token == step.token) {
        if (auto earlier = undone(before)) {
            first = std::move(*earlier);
            steps.pop_back();
        }
    }
    if (!std::equal(first.begin(), first.end(), after.begin(), after.end())) {
        steps.push_back(stepBetween(step, first, after));
    }
    if (steps.size() > kHistorySteps) {
        steps.erase(steps.begin(),
                    steps.begin() + static_cast<std::ptrdiff_t>(steps.size() - kHistorySteps));
    }
    cursor = steps.size();
}

std::optional<std::vector<std::uint8_t>>
MonthHistory::undone(std::span<const std::uint8_t> current) const {
    const HistoryStep* step = toUndo();
    return step ? replaced(*step, current, step->after, step->before, step->afterHash,
                           step->beforeHash)
                : std::nullopt;
}

std::optional<std::vector<std::uint8_t>>
MonthHistory::redone(std::span<const std::uint8_t> current) const {
    const HistoryStep* step = toRedo();
    return step ? replaced(*step, current, step->before, step->after, step->beforeHash,
                           step->afterHash)
                : std::nullopt;
}

std::string historyFileOf(const std::string& monthPath) {
    return besideName(monthPath, ".tallimo-history");
}

MonthHistory readHistory(const std::string& monthPath) {
    std::vector<std::uint8_t> bytes;
    MonthHistory history;
    if (!readWholeFile(historyFileOf(monthPath), bytes)) {
        return history;
    }
    Reader reader(bytes);
    std::uint64_t cursor = 0, count = 0;
    if (!reader.literal(kMagic) || !reader.number(cursor, ' ') || !reader.number(count, '\n')) {
        return history;
    }
    for (std::uint64_t i = 0; i < count && i < kHistorySteps; ++i) {
        HistoryStep step;
        if (!readStep(reader, step)) {
            // A damaged history keeps nothing: a step that does not fit would undo wrongly.
            return {};
        }
        history.steps.push_back(std::move(step));
    }
    history.cursor = std::min<std::size_t>(cursor, history.steps.size());
    return history;
}

Result writeHistory(const std::string& monthPath, const MonthHistory& history) {
    std::vector<std::uint8_t> bytes;
    append(bytes, kMagic);
    append(bytes,
           std::to_string(history.cursor) + ' ' + std::to_string(history.steps.size()) + '\n');
    for (const HistoryStep& step : history.steps) {
        append(bytes, std::to_string(step.prefix) + ' ' + std::to_string(step.before.size()) + ' ' +
                          std::to_string(step.after.size()) + ' ' +
                          std::to_string(step.beforeHash) + ' ' + std::to_string(step.afterHash) +
                          ' ' + std::to_string(step.name.size()) + ' ' +
                          std::to_string(step.token.size()) + '\n');
        append(bytes, step.name);
        append(bytes, step.token);
        bytes.insert(bytes.end(), step.before.begin(), step.before.end());
        bytes.insert(bytes.end(), step.after.begin(), step.after.end());
        bytes.push_back('\n');
    }
    // The history is no month: a write a crash cuts short costs the undo steps, not data (a torn
    // history reads as damaged, and a step applies only where both hashes match), so it is
    // rewritten in place, without a temporary file, a rename or waiting for the disk. Its
    // writers hold the month's lock.
    const std::string path = historyFileOf(monthPath);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return Result::failed(std::generic_category().message(errno));
    }
    struct stat info {};
    Result result;
    if (::fstat(fd, &info) != 0) {
        result = Result::failed(std::generic_category().message(errno));
    } else if (!S_ISREG(info.st_mode)) {
        result = Result::failed("it is not a regular file");
    } else {
        if (!writeAll(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
            result = Result::failed(std::generic_category().message(errno));
        }
    }
    ::close(fd);
    return result;
}

void removeHistory(const std::string& monthPath) {
    ::unlink(historyFileOf(monthPath).c_str());
}

Result recordSave(const std::string& monthPath, const UndoStep& step,
                  std::span<const std::uint8_t> before, std::span<const std::uint8_t> after) {
    MonthHistory history = readHistory(monthPath);
    history.record(step, before, after);
    return writeHistory(monthPath, history);
}

Result applyHistoryStep(const std::string& monthPath, StepDirection direction, std::string& name) {
    const bool undo = direction == StepDirection::Undo;
    FileLock lock;
    if (Result locked = lock.acquire(monthPath, kLockWait); !locked) {
        return locked;
    }
    MonthHistory history = readHistory(monthPath);
    const HistoryStep* step = undo ? history.toUndo() : history.toRedo();
    if (step == nullptr) {
        return Result::refused(undo ? "Nothing to undo." : "Nothing to redo.");
    }
    name = step->name;
    std::vector<std::uint8_t> current;
    if (Result read = readWholeFile(monthPath, current); !read) {
        return read;
    }
    const auto changed = undo ? history.undone(current) : history.redone(current);
    if (!changed) {
        return Result::refused("the file was changed outside its history since \"" + name +
                               "\"; nothing was changed");
    }
    if (Result written = writeFileAtomically(monthPath, *changed); !written) {
        return written;
    }
    history.cursor += undo ? -1 : 1;
    return writeHistory(monthPath, history);
}

} // namespace tallimo
