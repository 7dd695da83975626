#include "base/TextFile.h"

#include "base/Errors.h"
#include "base/Platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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

PackedLines::PackedLines(const Lines &lines)
{
    std::size_t bytes = 0;
    for (const std::string &line : lines)
        bytes += line.size() + 2;
    reserve(lines.size(), bytes);
    for (const std::string &line : lines)
        push_back(line);
}

PackedLines::PackedLines(const PackedLines &other) : m_size(other.m_size), m_ends(other.m_ends)
{
    grow(other.m_size);
    if (m_size != 0)
        std::memcpy(m_bytes.get(), other.m_bytes.get(), m_size);
}

PackedLines &PackedLines::operator=(const PackedLines &other)
{
    if (this != &other) {
        PackedLines copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void PackedLines::grow(std::size_t capacity)
{
    if (capacity <= m_capacity)
        return;
    std::unique_ptr<char[]> bytes(new char[capacity]);
    // All of the old block, a line being written in its room included: asked again,
    // the room holds what was written.
    if (m_capacity != 0)
        std::memcpy(bytes.get(), m_bytes.get(), m_capacity);
    m_bytes = std::move(bytes);
    m_capacity = capacity;
}

void PackedLines::reserve(std::size_t lines, std::size_t bytes)
{
    m_ends.reserve(m_ends.size() + lines);
    grow(m_size + bytes);
}

void PackedLines::growFor(std::size_t n)
{
    grow(std::max({m_size + n + 2, 2 * m_capacity, std::size_t(4096)}));
}

void PackedLines::push_back(std::string_view line)
{
    char *at = room(line.size());
    if (!line.empty())
        std::memcpy(at, line.data(), line.size());
    closeLine(line.size());
}

Lines PackedLines::lines() const
{
    Lines out;
    out.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        out.emplace_back((*this)[i]);
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

const char kTemporaryMarker[] = ".quillet-tmp-";
int g_writesHeld = 0;

// The file a write of `path` must replace: links are followed to the file they name,
// so that a link someone set up (jwc_temp.txt pointing elsewhere) survives the write.
fs::path followLinks(const fs::path &path)
{
    fs::path current = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec)))
            return current;
        const fs::path target = fs::read_symlink(current, ec);
        if (ec)
            throw InOutError("cannot write " + path.string() + ": " + ec.message());
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    throw InOutError("cannot write " + path.string() + ": too many symbolic links");
}

// What the system said about a failed stream operation, when it said anything.
std::string reason(int error) { return error ? std::generic_category().message(error) : std::string(); }

[[noreturn]] void failWrite(const fs::path &path, const fs::path &temp, const std::string &why)
{
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw InOutError("cannot write " + path.string() + (why.empty() ? "" : ": " + why));
}

} // namespace

FileWritesHeld::FileWritesHeld() { ++g_writesHeld; }
FileWritesHeld::~FileWritesHeld() { --g_writesHeld; }
bool FileWritesHeld::active() { return g_writesHeld > 0; }

fs::path temporaryFor(const fs::path &target)
{
    fs::path temp = target;
    temp += kTemporaryMarker + std::to_string(platform::processId());
    return temp;
}

bool isTemporaryName(const std::string &fileName)
{
    const std::size_t marker = fileName.rfind(kTemporaryMarker);
    if (marker == std::string::npos || marker == 0)
        return false;
    const std::string id = fileName.substr(marker + sizeof kTemporaryMarker - 1);
    return !id.empty() && id.size() <= 10 && id.find_first_not_of("0123456789") == std::string::npos;
}

int removeStaleTemporaries(const fs::path &dir)
{
    int removed = 0;
    if (FileWritesHeld::active()) // a dry run leaves the disk as it is
        return removed;
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!isTemporaryName(name) || !it->is_regular_file(ec))
            continue;
        const std::string id = name.substr(name.rfind(kTemporaryMarker) + sizeof kTemporaryMarker - 1);
        if (platform::processAlive(std::stoull(id)))
            continue;
        std::error_code ignored;
        if (fs::remove(it->path(), ignored))
            ++removed;
    }
    return removed;
}

namespace {

/// The status of the file a write of `path` replaces, after the checks that need no write.
fs::file_status writableStatus(const fs::path &path, const fs::path &target)
{
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status))
        throw InOutError("cannot write " + path.string() + ": it is a folder");
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::exists(status) && (status.permissions() & anyWrite) == fs::perms::none)
        throw InOutError("cannot write " + path.string() + ": it is read-only");
    return status;
}

// Whether the regular file `target` holds exactly `bytes`. Any doubt (it cannot be
// opened, or reading it fails) counts as a difference, so that the write goes ahead.
bool holdsExactly(const fs::path &target, const fs::file_status &status, std::string_view bytes)
{
    if (!fs::is_regular_file(status))
        return false;
    std::ifstream in(target, std::ios::binary);
    if (!in)
        return false;
    // One byte more than expected is read, so that a longer file is told apart.
    std::string held(bytes.size() + 1, '\0');
    in.read(held.data(), std::streamsize(held.size()));
    if (in.bad() || std::size_t(in.gcount()) != bytes.size())
        return false;
    return std::memcmp(held.data(), bytes.data(), bytes.size()) == 0;
}

} // namespace

void checkWritable(const fs::path &path) { writableStatus(path, followLinks(path)); }

void writeBytesAtomically(const fs::path &path, std::string_view bytes)
{
    if (FileWritesHeld::active())
        return;
    const fs::path target = followLinks(path);
    const fs::file_status status = writableStatus(path, target);
    const bool exists = fs::exists(status);
    // Most close-time writes put back what the file already holds (settings nobody
    // changed). Comparing costs one read; a rewrite costs a new file, a rename and the
    // folder's update, and it would move the file's time for nothing.
    // A disk that refuses writes is still reported, as a write would have met it.
    if (exists && platform::systemAllowsWriting(target) && holdsExactly(target, status, bytes))
        return;
    std::error_code ec;

    // The temporary lies beside the file it replaces, so the rename stays on one disk
    // and is atomic; its name tells a later run whose it was (removeStaleTemporaries).
    const fs::path temp = temporaryFor(target);
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            failWrite(path, temp, reason(errno));
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close(); // a full disk may only show when the last buffer goes out
        if (out.fail())
            failWrite(path, temp, reason(errno));
    }
    if (exists)
        fs::permissions(temp, status.permissions(), ec); // keep what the user set
    fs::rename(temp, target, ec);
    if (ec)
        failWrite(path, temp, ec.message());
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
