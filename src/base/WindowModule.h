#pragma once
#include <filesystem>
#include <string>

// The window lives in a module of its own that the program loads only when a window
// (or a picture drawn by the window's painter) is wanted, so that the batch mode never
// pays for loading Qt.
namespace quillet::platform {

/// The running executable's own path.
std::filesystem::path executablePath();

/// The window module's file name beside the executable ("quillet_window.so",
/// "quillet_window.dll").
std::filesystem::path windowModulePath();

/// Loads `path` and returns the address of `symbol`; nullptr with `error` set when
/// the module or the symbol cannot be found. The module stays loaded to the end.
void *loadModuleSymbol(const std::filesystem::path &path, const char *symbol, std::string &error);

/// Ends the process at once with `status`, skipping every destructor and exit
/// handler. Only for when every file has been written and closed.
[[noreturn]] void quickExit(int status);

} // namespace quillet::platform
