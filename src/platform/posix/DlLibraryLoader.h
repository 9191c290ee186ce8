#pragma once

#include "platform/LibraryLoader.h"

namespace tallimo {

// Loads shared libraries with dlopen. A path without a directory is taken relative to the working
// directory, never searched for in the system's library paths. Only regular files are loaded.
class DlLibraryLoader final : public LibraryLoader {
public:
    std::unique_ptr<Library> load(const std::string& path, std::string& error) override;
};

} // namespace tallimo
