#include "base/TextFile.h"

#include "base/Errors.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace quillet {

namespace fs = std::filesystem;

const std::string &lineAt(const Lines &lines, int index)
{
    if (index < 0 || index >= int(lines.size()))
        throw RangeError("List index out of bounds (" + std::to_string(index) + ")");
    return lines[std::size_t(index)];
}

std::string &lineAt(Lines &lines, int index)
{
    return const_cast<std::string &>(lineAt(static_cast<const Lines &>(lines), index));
}

Lines splitLines(const std::string &bytes)
{
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        std::size_t end = lf;
        if (end > start && bytes[end - 1] == '\r')
            --end;
        lines.push_back(bytes.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

std::string joinLines(const Lines &lines)
{
    std::string out;
    for (const std::string &line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string readBytes(const fs::path &path)
{
    // A folder opens like a file here, and reading it then throws the library's own
    // stream error, which no handler of ours expects.
    if (directoryExists(path))
        throw InOutError("cannot read " + path.string() + ": it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InOutError("cannot read " + path.string());
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure &) {
        throw InOutError("cannot read " + path.string());
    }
    if (in.bad())
        throw InOutError("cannot read " + path.string());
    return bytes;
}

Lines readLines(const fs::path &path) { return splitLines(readBytes(path)); }

namespace {
int g_writesHeld = 0;
} // namespace

FileWritesHeld::FileWritesHeld() { ++g_writesHeld; }
FileWritesHeld::~FileWritesHeld() { --g_writesHeld; }
bool FileWritesHeld::active() { return g_writesHeld > 0; }

void writeBytesAtomically(const fs::path &path, const std::string &bytes)
{
    if (FileWritesHeld::active())
        return;
    fs::path temp = path;
    temp += ".tmp~";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            throw InOutError("cannot write " + path.string());
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            throw InOutError("cannot write " + path.string());
        }
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw InOutError("cannot write " + path.string() + ": " + ec.message());
    }
}

void writeLines(const fs::path &path, const Lines &lines) { writeBytesAtomically(path, joinLines(lines)); }

bool fileExists(const fs::path &path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool directoryExists(const fs::path &path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

} // namespace quillet
