#include "fuzz/Mutator.h"

#include <algorithm>

namespace quillet::fuzz {

namespace {

// Line boundaries of `data`: [begin, end) of each line without its CR LF.
std::vector<std::pair<std::size_t, std::size_t>> lineSpans(const std::string &data)
{
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t lf = data.find('\n', start);
        if (lf == std::string::npos)
            lf = data.size();
        std::size_t end = lf > start && data[lf - 1] == '\r' ? lf - 1 : lf;
        spans.emplace_back(start, end);
        start = lf + 1;
    }
    return spans;
}

} // namespace

std::string Mutator::interesting()
{
    static const std::vector<std::string> values = {
        "0", "-0", "1", "-1", "255", "-128", "127", "2147483647", "-2147483648", "2147483648", "4294967296",
        "99999999999999999999", "1e4932", "-1e4932", "1e-4951", "4.9e-324", "1.7976931348623157e308", "3.4e38",
        "1e39", "0.0000001", "NaN", "inf", "-", ".", "1e", "+", "0x10", " 7", "7 ", "", "hq", "\"", "ch\"",
        "\x81", "\x9f\x40", "\xfc", "\x82\xa0\x82", std::string(1, '\0'), "%Y", "$", "#", "\\..\\..", "\\",
        std::string(300, 'W'), std::string(5000, '9'),
    };
    return values[below(values.size())];
}

void Mutator::mutate(std::string &data, const std::vector<std::string> &seeds)
{
    const auto spans = lineSpans(data);
    const std::size_t n = data.size();
    switch (below(14)) {
    case 0: // flip one bit
        if (n)
            data[below(n)] ^= char(1u << below(8));
        break;
    case 1: // set a byte
        if (n)
            data[below(n)] = char(below(256));
        break;
    case 2: // insert bytes
        data.insert(below(n + 1), std::string(1 + below(4), char(below(256))));
        break;
    case 3: // erase a range
        if (n) {
            const std::size_t at = below(n);
            data.erase(at, 1 + below(std::min<std::size_t>(n - at, 64)));
        }
        break;
    case 4: // repeat a range
        if (n) {
            const std::size_t at = below(n);
            data.insert(below(n + 1), data.substr(at, 1 + below(std::min<std::size_t>(n - at, 64))));
        }
        break;
    case 5: // truncate
        data.resize(below(n + 1));
        break;
    case 6: case 7: // replace a line by a value that has hurt readers
        if (!spans.empty()) {
            const auto [b, e] = spans[below(spans.size())];
            data.replace(b, e - b, interesting());
        }
        break;
    case 8: // replace a run of digits in a line by such a value
        if (n) {
            const std::size_t at = data.find_first_of("0123456789", below(n));
            if (at != std::string::npos)
                data.replace(at, data.find_first_not_of("0123456789.", at) - at, interesting());
        }
        break;
    case 9: // drop a line
        if (!spans.empty()) {
            const auto [b, e] = spans[below(spans.size())];
            data.erase(b, std::min(n, e + 2) - b);
        }
        break;
    case 10: // duplicate a line
        if (!spans.empty()) {
            const auto [b, e] = spans[below(spans.size())];
            data.insert(b, data.substr(b, e - b) + "\r\n");
        }
        break;
    case 11: // a lead byte or NUL at the end of a line
        if (!spans.empty()) {
            const std::size_t e = spans[below(spans.size())].second;
            data.insert(e, below(2) ? std::string("\x83") : std::string(1, '\0'));
        }
        break;
    case 12: // line ends: CR LF to LF or a lone CR
        if (const std::size_t cr = data.find("\r\n", below(n + 1)); cr != std::string::npos)
            data.erase(cr + (below(2) ? 0 : 1), 1);
        break;
    default: // splice with another seed
        if (!seeds.empty()) {
            const std::string &other = seeds[below(seeds.size())];
            data = data.substr(0, below(n + 1)) + other.substr(below(other.size() + 1));
        }
        break;
    }
}

std::string Mutator::next(const std::vector<std::string> &seeds)
{
    std::string data = seeds.empty() ? std::string() : seeds[below(seeds.size())];
    const std::size_t changes = 1 + below(4);
    for (std::size_t i = 0; i < changes; ++i)
        mutate(data, seeds);
    return data;
}

} // namespace quillet::fuzz
