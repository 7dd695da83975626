#include "support/TestSupport.h"

#include "base/Sjis.h"

#include <atomic>
#include <chrono>
#include <system_error>

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
