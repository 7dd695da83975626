#pragma once
#include <ctime>
#include <filesystem>
#include <string>

// The only place that knows which operating system runs the program. Everything
// else works on Shift-JIS byte strings and std::filesystem paths built here.
namespace quillet::platform {

std::string cp932ToUtf8(const std::string &sjis);
std::string utf8ToCp932(const std::string &utf8);

/// A path from Shift-JIS bytes, with the stored '\' separators mapped to the platform's.
std::filesystem::path pathFromSjis(const std::string &sjis);

/// The path's text as Shift-JIS bytes, with the platform's separators mapped to '\'.
std::string sjisFromPath(const std::filesystem::path &path);

/// Id of the running process.
unsigned long long processId();

/// False only when no process with this id runs (any more).
bool processAlive(unsigned long long id);

/// Whether the system would let this process write the existing file at `path`: false
/// on a disk mounted read-only, or where the file's own rights forbid it.
bool systemAllowsWriting(const std::filesystem::path &path);

/// Broken-down local time of `t`.
std::tm localTime(std::time_t t);

/// Standard output passes bytes through unchanged (no CR added before LF), for
/// lines that carry their own CR LF.
void binaryStandardOutput();

} // namespace quillet::platform
