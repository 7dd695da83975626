#pragma once
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

using Lines = std::vector<std::string>;

/// Line `index` of a list; an index outside it is a RangeError, as for every list
/// the program keeps.
const std::string &lineAt(const Lines &lines, int index);
std::string &lineAt(Lines &lines, int index);

/// Splits file bytes into lines: CR LF or a lone LF ends a line, a last line without
/// an end counts, every other byte (a lone CR, NUL) stays in its line.
Lines splitLines(const std::string &bytes);

/// Joins lines with CR LF after every line, the file layout of every data file.
std::string joinLines(const Lines &lines);

/// The lines of a list end to end in one block of bytes, each followed by CR LF as a
/// data file holds them, and where each ends. An output run writes hundreds of lines;
/// kept as one string each, making and freeing those strings cost more than writing
/// the lines. A line may hold any bytes, CR LF included: the ends are kept apart.
class PackedLines {
public:
    PackedLines() = default;
    explicit PackedLines(const Lines &lines);
    PackedLines(const PackedLines &other);
    PackedLines &operator=(const PackedLines &other);
    PackedLines(PackedLines &&) noexcept = default;
    PackedLines &operator=(PackedLines &&) noexcept = default;

    /// Room for `lines` more lines of `bytes` bytes in all, CR LF included.
    void reserve(std::size_t lines, std::size_t bytes);
    void push_back(std::string_view line);

    /// A line built in place, for a writer that would otherwise build it elsewhere and
    /// copy it: at least `n` bytes after the last line, to be written and then made
    /// the next line by closeLine(). Valid until the list next changes; asked again,
    /// the room keeps what was written into it. A line is closed before any other is
    /// added (push_back writes into the same room).
    char *room(std::size_t n)
    {
        // Inline: an output run asks for room once per line, hundreds of times.
        if (m_size + n + 2 > m_capacity) // and the line's CR LF
            growFor(n);
        return m_bytes.get() + m_size;
    }
    /// The first `length` bytes of the room become the next line.
    void closeLine(std::size_t length)
    {
        std::memcpy(m_bytes.get() + m_size + length, "\r\n", 2);
        m_size += length + 2;
        m_ends.push_back(m_size);
    }

    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }
    /// Line `i` (below size()), without its CR LF; valid until the list next grows.
    std::string_view operator[](std::size_t i) const
    {
        const std::size_t start = i == 0 ? 0 : m_ends[i - 1];
        return std::string_view(m_bytes.get() + start, m_ends[i] - 2 - start);
    }

    /// The lines one string each, for the readers that take a list.
    Lines lines() const;
    /// Every line followed by CR LF: joinLines(lines()), the bytes of the file.
    std::string_view bytes() const { return std::string_view(m_bytes.get(), m_size); }

private:
    // At least `capacity` bytes, the old block's copied.
    void grow(std::size_t capacity);
    // Room for a line of n bytes and its CR LF, the block at least doubled.
    void growFor(std::size_t n);

    // The lines, then room not yet used. Not a string: growing one clears what it
    // adds, and the room is written before it is read.
    std::unique_ptr<char[]> m_bytes;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;          // the bytes of the lines
    std::vector<std::size_t> m_ends; // where each line's CR LF ends in m_bytes
};

/// Reads a whole file into lines. Throws InOutError when it cannot be read.
Lines readLines(const std::filesystem::path &path);

/// Writes lines whole through a temporary file beside the target and a rename, so a
/// crash leaves either the old or the new file. Throws InOutError on failure.
void writeLines(const std::filesystem::path &path, const Lines &lines);

/// While one of these lives, writeLines and writeBytesAtomically leave the disk
/// alone and report success: a dry run goes through every step that would write a
/// file, and none is written.
class FileWritesHeld {
public:
    FileWritesHeld();
    ~FileWritesHeld();
    FileWritesHeld(const FileWritesHeld &) = delete;
    FileWritesHeld &operator=(const FileWritesHeld &) = delete;
    static bool active();
};

/// Reads raw bytes; throws InOutError.
std::string readBytes(const std::filesystem::path &path);

/// Writes raw bytes atomically; throws InOutError. A symbolic link is followed: the
/// file it names is replaced and the link stays. A file nobody may write (read-only)
/// is left alone and reported as an InOutError. A file that already holds exactly
/// these bytes is left as it is.
void writeBytesAtomically(const std::filesystem::path &path, std::string_view bytes);

/// Throws the InOutError a write of `path` would meet at once (it is a folder, or a
/// file nobody may write), without writing anything. A missing file passes.
void checkWritable(const std::filesystem::path &path);

/// The temporary a write of `target` goes through: the target's name, a marker and
/// the writing process's id ("PLDATA.tx.quillet-tmp-4711").
std::filesystem::path temporaryFor(const std::filesystem::path &target);

/// True for a name made by temporaryFor, whatever the process.
bool isTemporaryName(const std::string &fileName);

/// Removes from `dir` the temporaries that a run ended in the middle of a write left
/// behind (their process is gone); those of a running instance stay. Never throws.
/// Returns how many were removed.
int removeStaleTemporaries(const std::filesystem::path &dir);

bool fileExists(const std::filesystem::path &path);
bool directoryExists(const std::filesystem::path &path);

} // namespace quillet
