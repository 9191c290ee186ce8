#include "platform/posix/DlLibraryLoader.h"

#include <cerrno>
#include <dlfcn.h>
#include <sys/stat.h>
#include <system_error>

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
    // dlopen would wait for ever on a pipe and read a device without end: only plain files go.
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        error = std::generic_category().message(errno);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "it is not a regular file";
        return nullptr;
    }
    void* handle = dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "unknown error";
        return nullptr;
    }
    return std::make_unique<DlLibrary>(handle);
}

} // namespace tallimo
