#include "exchange/Records.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "base/RealMath.h"

#include <cstring>
#include <sstream>

namespace quillet::records {

int layerGroupOf(const std::string &line)
{
    if (line.empty())
        throw ConvertError("'' is not a valid integer value");
    const char c = line.back();
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= '0' && c <= '9')
        return c - '0';
    throw ConvertError("'" + std::string(1, c) + "' is not a valid integer value");
}

char hexDigit(int value)
{
    if (value < 0 || value > 15)
        throw RangeError("List index out of bounds (" + std::to_string(value) + ")");
    return "0123456789abcdef"[value];
}

std::string blankValue(const std::string &line, int k)
{
    std::size_t pos = line.find(' ');
    if (pos == std::string::npos)
        throw ConvertError("missing value " + std::to_string(k));
    ++pos;
    for (int i = 0; i < k; ++i) {
        const std::size_t next = line.find(' ', pos);
        if (next == std::string::npos)
            throw ConvertError("missing value " + std::to_string(k));
        pos = next + 1;
    }
    const std::size_t end = line.find(' ', pos);
    return line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}

PointF pointOf(const std::string &line)
{
    std::size_t pos = line.find(' ');
    std::string values[2];
    for (auto &value : values) {
        if (pos == std::string::npos)
            throw ConvertError("'" + line + "' holds no point");
        pos = line.find_first_not_of(' ', pos);
        if (pos == std::string::npos)
            throw ConvertError("'" + line + "' holds no point");
        const std::size_t end = line.find(' ', pos);
        value = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end;
    }
    return {f32(parseFloat(values[0])), f32(parseFloat(values[1]))};
}

long double tableValue(const std::string &token)
{
    try {
        return parseFloat(token);
    } catch (const ConvertError &) {
        throw VariantError("Could not convert variant of type (String) into type (Double)");
    }
}

std::string takeField(std::string &s, std::size_t keep)
{
    const std::size_t blank = s.find(' ');
    const std::string field = s.substr(0, blank);
    s = blank == std::string::npos ? std::string() : s.substr(blank + 1, keep);
    return field;
}

std::vector<std::string> words(const std::string &text)
{
    std::istringstream in(text);
    std::vector<std::string> tokens;
    std::string token;
    while (in >> token)
        tokens.push_back(token);
    return tokens;
}

int numberAfterKeyword(const std::string &line)
{
    std::size_t end = 2;
    while (end < line.size() && end < 4 && line[end] >= '0' && line[end] <= '9')
        ++end;
    return parseInt(line.substr(2, end - 2));
}

bool isTextRecord(const std::string &line)
{
    // "ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz" and "c2".
    static constexpr char kKinds[] = "hvsroptkz2";
    return line.size() >= 2 && line[0] == 'c' && std::memchr(kKinds, line[1], sizeof kKinds - 1) != nullptr;
}

} // namespace quillet::records
