#pragma once
#include "base/TextFile.h"
#include "settings/QuickSelect.h"

#include <filesystem>
#include <string>

namespace quillet {

/// The start directory's settings files as the program holds them: each read whole
/// into its list at start-up and written whole from it.
struct SettingsFiles {
    std::filesystem::path startDir;
    Lines settingsList;          ///< PLDATA.tx
    Lines basicList;             ///< PKDATA.tx
    QuickSelectList quickSelect; ///< PSDATA1.tx .. PSDATA10.tx
    bool settingsLoaded = false; ///< PLDATA.tx passed its check and was applied
    bool patternsLoaded = false; ///< PKDATA.tx passed its check, or is to be created

    std::filesystem::path file(const std::string &name) const { return startDir / name; }
};

} // namespace quillet
