#pragma once
#include <cstddef>
#include <string>

namespace quillet::sjis {

/// True when the byte starts a two-byte Shift-JIS (CP932) character.
bool isLeadByte(unsigned char c);

/// Length in bytes: what every length limit of the program counts.
inline std::size_t byteLength(const std::string &s) { return s.size(); }

/// The first `n` bytes of `s`; a two-byte character that the cut would split is dropped whole.
std::string cutToBytes(const std::string &s, std::size_t n);

/// Number of characters, a two-byte character counting as one.
std::size_t charCount(const std::string &s);

/// `count` characters starting at character `first` (0-based), two-byte characters counting as one.
std::string charSubstr(const std::string &s, std::size_t first, std::size_t count);

/// CP932 bytes to UTF-8; bytes that are not valid CP932 become U+FFFD.
std::string toUtf8(const std::string &sjis);

/// UTF-8 to CP932 bytes; characters CP932 cannot hold become '?'.
std::string fromUtf8(const std::string &utf8);

} // namespace quillet::sjis
