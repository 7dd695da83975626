#include "base/WindowModule.h"

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace quillet::platform {

std::filesystem::path executablePath()
{
#ifdef _WIN32
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return std::filesystem::path(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
#else
    std::error_code ec;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : path;
#endif
}

std::filesystem::path windowModulePath()
{
#ifdef _WIN32
    const char *name = "quillet_window.dll";
#else
    const char *name = "quillet_window.so";
#endif
    return executablePath().parent_path() / name;
}

void *loadModuleSymbol(const std::filesystem::path &path, const char *symbol, std::string &error)
{
#ifdef _WIN32
    HMODULE module = LoadLibraryW(path.wstring().c_str());
    if (!module) {
        error = "cannot load " + path.string() + " (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    void *address = reinterpret_cast<void *>(GetProcAddress(module, symbol));
#else
    void *module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char *why = dlerror();
        error = why ? why : ("cannot load " + path.string());
        return nullptr;
    }
    void *address = dlsym(module, symbol);
#endif
    if (!address)
        error = std::string("no entry ") + symbol + " in " + path.string();
    return address;
}

void quickExit(int status)
{
    std::fflush(nullptr);
#ifdef _WIN32
    ExitProcess(UINT(status));
#else
    _exit(status);
#endif
}

} // namespace quillet::platform
