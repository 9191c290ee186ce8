#pragma once

#include <memory>
#include <string>

namespace tallimo {

// A loaded dynamic library; unloaded when destroyed.
class Library {
public:
    virtual ~Library() = default;
    // The address of an exported symbol, nullptr when the library lacks it.
    virtual void* symbol(const char* name) = 0;
};

class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;
    // nullptr when the file cannot be loaded as a library; `error` then says why.
    virtual std::unique_ptr<Library> load(const std::string& path, std::string& error) = 0;
};

} // namespace tallimo
