#pragma once
#include <string>

namespace quillet {

/// Where the phrase book is open, as the settings and the presets store it.
struct PhraseBookPlace {
    /// "" for the start directory itself, else '\' and the folder name.
    std::string folder;
    /// The open page, "1".."20".
    std::string page = "1";
};

} // namespace quillet
