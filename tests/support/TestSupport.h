#pragma once
#include "base/TextFile.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quillet::test {

/// Shift-JIS bytes of a UTF-8 literal, so tests can be written in readable Japanese.
std::string sj(const std::string &utf8);

/// A fresh, empty directory under the system temp folder, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path operator/(const std::string &name) const { return m_path / name; }
    /// Writes a file of CR LF lines.
    void write(const std::string &name, const Lines &lines) const;
    /// Writes raw bytes.
    void writeBytes(const std::string &name, const std::string &bytes) const;
    std::string read(const std::string &name) const;
    bool exists(const std::string &name) const;

private:
    std::filesystem::path m_path;
};

/// Runs `program` with `args` in `dir` and waits for it, without a shell, the same way on
/// Linux and Windows. Its standard error goes to `errFile` (discarded when empty), its
/// standard output to `outFile` (the test's own when empty).
/// Returns the exit status, or -1 when it could not start or did not exit normally.
int runProgram(const std::filesystem::path &program, const std::vector<std::string> &args,
               const std::filesystem::path &dir, const std::filesystem::path &errFile = {},
               const std::filesystem::path &outFile = {});

/// Path of a file under tests/fixtures.
std::filesystem::path fixture(const std::string &relative);

} // namespace quillet::test

#include "base/Host.h"
#include "base/Sjis.h"

#include <vector>

namespace quillet::test {

/// The one host of the tests: records every message instead of showing it, in UTF-8,
/// both in order ("warning: text", "notice: text", "question: text") and by kind,
/// and answers questions as told.
class RecordingHost : public Host {
public:
    explicit RecordingHost(int screenHeight = 1024) : height(screenHeight) {}

    std::vector<std::string> messages;
    std::vector<std::string> warnings, notices, questions;
    bool answer = false;
    int height;

    void warning(const std::string &text) override { record("warning: ", warnings, text); }
    void notice(const std::string &text) override { record("notice: ", notices, text); }
    bool question(const std::string &text) override
    {
        record("question: ", questions, text);
        return answer;
    }
    int screenHeight() const override { return height; }

private:
    void record(const char *kind, std::vector<std::string> &list, const std::string &text)
    {
        list.push_back(sjis::toUtf8(text));
        messages.push_back(kind + list.back());
    }
};

/// Copies the bundled start directory (data/start) into `dir`.
void copyStartData(const TempDir &dir);

/// The lines of a bundled start-directory file.
Lines startData(const std::string &name);

} // namespace quillet::test
