#pragma once
#include "model/FormModel.h"
#include "model/PhraseBookPlace.h"
#include "settings/SettingsFiles.h"

namespace quillet {

/// What the settings, patterns and presets read and write: the settings files in
/// memory, the form's choices and where the phrase book is open. The program's
/// session hands out this view of itself; the settings layer sees nothing more.
struct SettingsScope {
    SettingsFiles &files;
    FormModel &form;
    PhraseBookPlace &place;

    std::filesystem::path file(const std::string &name) const { return files.file(name); }
};

} // namespace quillet
