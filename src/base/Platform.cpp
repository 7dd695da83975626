#include "base/Platform.h"

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <iconv.h>
#include <signal.h>
#include <unistd.h>
#include <cerrno>
#endif

#include <algorithm>
#include <vector>

namespace quillet::platform {

#ifdef _WIN32

namespace {
std::wstring widenUtf8(const std::string &s)
{
    if (s.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring w(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
    return w;
}

std::string narrowUtf8(const std::wstring &w)
{
    if (w.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(std::size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

// CP932 one character at a time, so that every byte that is not CP932 becomes U+FFFD
// by itself, as iconv does it on Linux. Windows' table maps 0x80, 0xA0 and 0xFD..0xFF
// to characters of its own; elsewhere they are not CP932 and become U+FFFD here too.
std::wstring widenCp932(const std::string &s)
{
    std::wstring w;
    w.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            w += wchar_t(c);
            ++i;
            continue;
        }
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        const std::size_t n = lead ? 2 : 1;
        wchar_t out[2];
        int got = 0;
        if (c != 0x80 && c != 0xA0 && c < 0xFD && i + n <= s.size())
            got = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, s.data() + i, int(n), out, 2);
        if (got > 0) {
            w.append(out, std::size_t(got));
            i += n;
        } else {
            w += L'\xFFFD';
            ++i;
        }
    }
    return w;
}

// The characters iconv's CP932 writes although Windows' table has no byte for them
// (it would only best-fit some of them).
struct OneWay {
    wchar_t ch;
    const char *bytes;
};
const OneWay kOneWay[] = {{L'\u00A2', "\x81\x91"}, {L'\u00A3', "\x81\x92"}, {L'\u00A5', "\x5C"},
                          {L'\u00AC', "\x81\xCA"}, {L'\u2014', "\x81\x5C"}, {L'\u2016', "\x81\x61"},
                          {L'\u203E', "\x7E"},      {L'\u2212', "\x81\x7C"}, {L'\u301C', "\x81\x60"}};

// CP932 one character at a time without best fit, so that a character CP932 cannot hold
// becomes one '?' (a character beyond the BMP too), as on Linux.
std::string narrowCp932(const std::wstring &w)
{
    std::string s;
    s.reserve(w.size() * 2);
    for (std::size_t i = 0; i < w.size(); ++i) {
        const wchar_t ch = w[i];
        if (ch >= 0xD800 && ch <= 0xDFFF) {
            if (ch <= 0xDBFF && i + 1 < w.size() && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF)
                ++i;
            s += '?';
            continue;
        }
        const OneWay *oneWay = nullptr;
        for (const OneWay &o : kOneWay)
            if (o.ch == ch)
                oneWay = &o;
        if (oneWay) {
            s += oneWay->bytes;
            continue;
        }
        char out[2];
        BOOL usedDefault = FALSE;
        const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &ch, 1, out, 2, "?", &usedDefault);
        if (n <= 0 || usedDefault)
            s += '?';
        else
            s.append(out, std::size_t(n));
    }
    return s;
}
} // namespace

std::string cp932ToUtf8(const std::string &sjis) { return narrowUtf8(widenCp932(sjis)); }
std::string utf8ToCp932(const std::string &utf8) { return narrowCp932(widenUtf8(utf8)); }

std::filesystem::path pathFromSjis(const std::string &sjis) { return std::filesystem::path(widenCp932(sjis)); }

std::string sjisFromPath(const std::filesystem::path &path) { return narrowCp932(path.wstring()); }

std::tm localTime(std::time_t t)
{
    std::tm tm{};
    localtime_s(&tm, &t);
    return tm;
}

unsigned long long processId() { return GetCurrentProcessId(); }

bool processAlive(unsigned long long id)
{
    if (id == 0 || id > 0xFFFFFFFFull)
        return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(id));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED; // it runs, but is not ours to ask
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

void binaryStandardOutput()
{
    _setmode(_fileno(stdout), _O_BINARY);
}

bool systemAllowsWriting(const std::filesystem::path &path) { return _waccess(path.c_str(), 2) == 0; }

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

unsigned long long processId() { return static_cast<unsigned long long>(getpid()); }

bool processAlive(unsigned long long id)
{
    const pid_t pid = static_cast<pid_t>(id);
    if (id == 0 || static_cast<unsigned long long>(pid) != id || pid < 0)
        return false;
    return kill(pid, 0) == 0 || errno == EPERM; // EPERM: it runs under another user
}

void binaryStandardOutput() {}

bool systemAllowsWriting(const std::filesystem::path &path) { return access(path.c_str(), W_OK) == 0; }

#endif

} // namespace quillet::platform
