#pragma once
#include <filesystem>
#include <optional>

namespace quillet {

/// The help document's file name; its pictures lie in the folder "quillet-help" beside it.
inline const char *helpFileName()
{
    return "quillet.html";
}

/// Where the help document is: in the start directory when the user keeps one there,
/// else beside the program, where the installation puts it.
std::optional<std::filesystem::path> findHelpFile(const std::filesystem::path &startDir,
                                                  const std::filesystem::path &programDir);

} // namespace quillet
