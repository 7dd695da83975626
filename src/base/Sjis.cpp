#include "base/Sjis.h"

#include "base/Platform.h"

namespace quillet::sjis {

bool isLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::string cutToBytes(const std::string &s, std::size_t n)
{
    if (s.size() <= n)
        return s;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t step = isLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + step > n)
            break;
        i += step;
    }
    return s.substr(0, i);
}

std::size_t charCount(const std::string &s)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++count)
        i += isLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return count;
}

std::string charSubstr(const std::string &s, std::size_t first, std::size_t count)
{
    std::size_t i = 0;
    for (std::size_t c = 0; c < first && i < s.size(); ++c)
        i += isLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    const std::size_t begin = std::min(i, s.size());
    for (std::size_t c = 0; c < count && i < s.size(); ++c)
        i += isLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return s.substr(begin, std::min(i, s.size()) - begin);
}

std::string toUtf8(const std::string &sjis) { return platform::cp932ToUtf8(sjis); }

std::string fromUtf8(const std::string &utf8) { return platform::utf8ToCp932(utf8); }

} // namespace quillet::sjis
