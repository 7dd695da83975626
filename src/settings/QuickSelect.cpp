#include "settings/QuickSelect.h"

#include "base/Errors.h"

namespace quillet {

namespace {
std::size_t at(int preset, int index)
{
    if (preset < 1 || preset > QuickSelectList::kPresets || index < 0 || index >= QuickSelectList::kEntries)
        throw RangeError("List index out of bounds");
    return std::size_t((preset - 1) * QuickSelectList::kEntries + index);
}
} // namespace

QuickSelectList::QuickSelectList()
{
    for (int n = 1; n <= kPresets; ++n)
        setEmpty(n);
}

bool QuickSelectList::isEmpty(int preset) const { return m_entries[at(preset, 99)] == "99"; }

Lines QuickSelectList::fileLines(int preset) const
{
    Lines lines;
    for (int i = 0; i < kFileLines; ++i)
        lines.push_back(m_entries[at(preset, i)]);
    return lines;
}

void QuickSelectList::setLoaded(int preset, const Lines &lines)
{
    for (int i = 0; i < kEntries; ++i)
        m_entries[at(preset, i)] = i < kFileLines && i < int(lines.size()) ? lines[std::size_t(i)] : "0";
}

void QuickSelectList::setSaved(int preset, const Lines &lines)
{
    for (int i = 0; i < kFileLines && i < int(lines.size()); ++i)
        m_entries[at(preset, i)] = lines[std::size_t(i)];
    m_entries[at(preset, 99)] = "9";
}

void QuickSelectList::setEmpty(int preset)
{
    for (int i = 0; i < kEntries - 1; ++i)
        m_entries[at(preset, i)] = "9";
    m_entries[at(preset, 99)] = "99";
}

const std::string &QuickSelectList::entry(int preset, int index) const { return m_entries[at(preset, index)]; }

} // namespace quillet
