#include "model/MemoCapacity.h"

#include "base/Sjis.h"

namespace quillet {

Lines applyMemoCapacity(Lines lines)
{
    if (lines.size() > std::size_t(kMemoMaxLines))
        lines.resize(std::size_t(kMemoMaxLines));
    for (std::string &line : lines)
        line = sjis::cutToBytes(line, std::size_t(kMemoMaxLineBytes));
    return lines;
}

std::size_t memoLineKeptBytes(const std::string &line)
{
    return sjis::cutToBytes(line, std::size_t(kMemoMaxLineBytes)).size();
}

} // namespace quillet
