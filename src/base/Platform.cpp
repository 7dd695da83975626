#include "base/Platform.h"

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <iconv.h>
#include <cerrno>
#endif

#include <algorithm>
#include <vector>

namespace quillet::platform {

#ifdef _WIN32

namespace {
std::wstring widen(const std::string &s, UINT codePage)
{
    if (s.empty())
        return {};
    const int n = MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring w(std::size_t(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), w.data(), n);
    return w;
}

std::string narrow(const std::wstring &w, UINT codePage)
{
    if (w.empty())
        return {};
    const char *fallback = codePage == CP_UTF8 ? nullptr : "?";
    const int n = WideCharToMultiByte(codePage, 0, w.data(), int(w.size()), nullptr, 0, fallback, nullptr);
    std::string s(std::size_t(n), '\0');
    WideCharToMultiByte(codePage, 0, w.data(), int(w.size()), s.data(), n, fallback, nullptr);
    return s;
}
} // namespace

std::string cp932ToUtf8(const std::string &sjis) { return narrow(widen(sjis, 932), CP_UTF8); }
std::string utf8ToCp932(const std::string &utf8) { return narrow(widen(utf8, CP_UTF8), 932); }

std::filesystem::path pathFromSjis(const std::string &sjis) { return std::filesystem::path(widen(sjis, 932)); }

std::string sjisFromPath(const std::filesystem::path &path) { return narrow(path.wstring(), 932); }

std::tm localTime(std::time_t t)
{
    std::tm tm{};
    localtime_s(&tm, &t);
    return tm;
}

void binaryStandardOutput()
{
    _setmode(_fileno(stdout), _O_BINARY);
}

#else

namespace {
// Converts with iconv, replacing what cannot be converted so that a stray byte in
// a user's file never stops the program.
std::string convert(const std::string &in, const char *to, const char *from, const std::string &replacement,
                    std::size_t badInputStep)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return in;
    std::string out;
    std::vector<char> buf(in.size() * 4 + 16);
    char *src = const_cast<char *>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char *dst = buf.data();
        std::size_t dstLeft = buf.size();
        const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), std::size_t(dst - buf.data()));
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: skip the offending input and mark the spot.
            out += replacement;
            std::size_t step = badInputStep;
            if (badInputStep == 0) { // UTF-8 input: skip one whole sequence
                const unsigned char c = static_cast<unsigned char>(*src);
                step = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            }
            step = std::min(step, srcLeft);
            src += step;
            srcLeft -= step;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}
} // namespace

std::string cp932ToUtf8(const std::string &sjis) { return convert(sjis, "UTF-8", "CP932", "\xEF\xBF\xBD", 1); }

std::string utf8ToCp932(const std::string &utf8) { return convert(utf8, "CP932", "UTF-8", "?", 0); }

std::filesystem::path pathFromSjis(const std::string &sjis)
{
    std::string s = cp932ToUtf8(sjis);
    std::replace(s.begin(), s.end(), '\\', '/');
    return std::filesystem::path(s);
}

std::string sjisFromPath(const std::filesystem::path &path)
{
    std::string s = utf8ToCp932(path.string());
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

std::tm localTime(std::time_t t)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

void binaryStandardOutput() {}

#endif

} // namespace quillet::platform
