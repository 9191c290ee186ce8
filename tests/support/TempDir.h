#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tallimo::test {

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
// The names in a folder, sorted.
std::vector<std::string> namesIn(const std::filesystem::path& folder);
// The system's text for an errno value, as the program's messages quote it.
std::string errnoText(int error);

} // namespace tallimo::test
