#include "platform/posix/DlLibraryLoader.h"

#include <dlfcn.h>

namespace tallimo {
namespace {

class DlLibrary final : public Library {
public:
    explicit DlLibrary(void* handle) : m_handle(handle) {}
    ~DlLibrary() override { dlclose(m_handle); }
    DlLibrary(const DlLibrary&) = delete;
    DlLibrary& operator=(const DlLibrary&) = delete;

    void* symbol(const char* name) override { return dlsym(m_handle, name); }

private:
    void* m_handle;
};

} // namespace

std::unique_ptr<Library> DlLibraryLoader::load(const std::string& path, std::string& error) {
    const std::string target = path.find('/') == std::string::npos ? "./" + path : path;
    void* handle = dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "unknown error";
        return nullptr;
    }
    return std::make_unique<DlLibrary>(handle);
}

} // namespace tallimo
