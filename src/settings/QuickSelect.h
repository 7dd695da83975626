#pragma once
#include "base/TextFile.h"

#include <array>
#include <string>

namespace quillet {

struct FormModel;

/// The ten quick-select presets in memory: 100 entries each; entries 0..49 are the
/// file lines, entry 99 is "99" for an empty preset.
class QuickSelectList {
public:
    static constexpr int kPresets = 10;
    static constexpr int kFileLines = 50;
    static constexpr int kEntries = 100;

    QuickSelectList();

    bool isEmpty(int preset) const; ///< preset 1..10
    Lines fileLines(int preset) const;
    void setLoaded(int preset, const Lines &lines); ///< from a file: entry 99 "0"
    void setSaved(int preset, const Lines &lines);  ///< after a save: entry 99 "9"
    void setEmpty(int preset);
    const std::string &entry(int preset, int index) const;

private:
    std::array<std::string, kPresets * kEntries> m_entries;
};

} // namespace quillet
