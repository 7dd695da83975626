#include "program/HelpFile.h"

#include <system_error>

namespace quillet {

std::optional<std::filesystem::path> findHelpFile(const std::filesystem::path &startDir,
                                                  const std::filesystem::path &programDir)
{
    for (const std::filesystem::path &dir : {startDir, programDir}) {
        if (dir.empty())
            continue;
        const std::filesystem::path file = dir / helpFileName();
        std::error_code error;
        if (std::filesystem::is_regular_file(file, error))
            return file;
    }
    return std::nullopt;
}

} // namespace quillet
