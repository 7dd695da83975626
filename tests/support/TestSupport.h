#pragma once
#include "base/TextFile.h"

#include <filesystem>
#include <string>

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

/// Path of a file under tests/fixtures.
std::filesystem::path fixture(const std::string &relative);

} // namespace quillet::test

#include "base/Host.h"

#include <vector>

namespace quillet::test {

/// A Host that records every message as "warning: text" / "notice: text" /
/// "question: text" in UTF-8 and answers questions as told.
class RecordingHost : public Host {
public:
    std::vector<std::string> messages;
    bool answer = false;
    int height = 1024;

    void warning(const std::string &text) override;
    void notice(const std::string &text) override;
    bool question(const std::string &text) override;
    int screenHeight() const override { return height; }
};

/// Copies the bundled start directory (data/start) into `dir`.
void copyStartData(const TempDir &dir);

/// The lines of a bundled start-directory file.
Lines startData(const std::string &name);

} // namespace quillet::test
