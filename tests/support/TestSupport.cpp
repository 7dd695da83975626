#include "support/TestSupport.h"

#include "base/Sjis.h"

#include <atomic>
#include <chrono>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quillet::test {

namespace fs = std::filesystem;

std::string sj(const std::string &utf8) { return sjis::fromUtf8(utf8); }

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = fs::temp_directory_path() /
             ("quillet-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

void TempDir::write(const std::string &name, const Lines &lines) const { writeLines(m_path / name, lines); }

void TempDir::writeBytes(const std::string &name, const std::string &bytes) const
{
    writeBytesAtomically(m_path / name, bytes);
}

std::string TempDir::read(const std::string &name) const { return readBytes(m_path / name); }

bool TempDir::exists(const std::string &name) const { return fs::exists(m_path / name); }

#ifdef _WIN32

namespace {
std::wstring widen(const std::string &utf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring w(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), w.data(), n);
    return w;
}

// One argument as the C runtime of the started program will split it again.
std::wstring quoted(const std::wstring &arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring q = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        q += c;
    }
    q.append(backslashes * 2, L'\\');
    return q + L"\"";
}
} // namespace

int runProgram(const fs::path &program, const std::vector<std::string> &args, const fs::path &dir,
               const fs::path &errFile, const fs::path &outFile)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE err = CreateFileW(errFile.empty() ? L"NUL" : errFile.wstring().c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (err == INVALID_HANDLE_VALUE)
        return -1;
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!outFile.empty()) {
        out = CreateFileW(outFile.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out == INVALID_HANDLE_VALUE) {
            CloseHandle(err);
            return -1;
        }
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    const std::wstring exe = fs::path(program).make_preferred().wstring();
    std::wstring commandLine = quoted(exe);
    for (const std::string &arg : args)
        commandLine += L" " + quoted(widen(arg));
    PROCESS_INFORMATION process{};
    // Starting a process now and then fails for a moment (a scanner holding the new
    // executable; Wine under load): tried three times. Where all fail, the last code is
    // left where the caller shows the program's own messages.
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0)
            Sleep(200);
        started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 dir.wstring().c_str(), &startup, &process);
    }
    if (!started) {
        // The last attempt's code: nothing has run since it failed.
        const std::string text = "CreateProcessW failed with error " + std::to_string(GetLastError()) + "\n";
        DWORD written = 0;
        WriteFile(err, text.data(), DWORD(text.size()), &written, nullptr);
    }
    CloseHandle(err);
    if (!outFile.empty())
        CloseHandle(out);
    if (!started)
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    const BOOL known = GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return known ? int(code) : -1;
}

#else

int runProgram(const fs::path &program, const std::vector<std::string> &args, const fs::path &dir,
               const fs::path &errFile, const fs::path &outFile)
{
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        const int fd = open(errFile.empty() ? "/dev/null" : errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (chdir(dir.c_str()) != 0 || fd < 0 || dup2(fd, 2) < 0)
            _exit(127);
        close(fd);
        if (!outFile.empty()) {
            const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (out < 0 || dup2(out, 1) < 0)
                _exit(127);
            close(out);
        }
        std::vector<char *> argv{const_cast<char *>(program.c_str())};
        for (const std::string &arg : args)
            argv.push_back(const_cast<char *>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

fs::path fixture(const std::string &relative) { return fs::path(QUILLET_FIXTURES_DIR) / relative; }

} // namespace quillet::test

namespace quillet::test {

void copyStartData(const TempDir &dir)
{
    for (const auto &entry : fs::directory_iterator(fs::path(QUILLET_SOURCE_DIR) / "data" / "start"))
        fs::copy_file(entry.path(), dir.path() / entry.path().filename(), fs::copy_options::overwrite_existing);
}

Lines startData(const std::string &name) { return readLines(fs::path(QUILLET_SOURCE_DIR) / "data" / "start" / name); }

} // namespace quillet::test
