#pragma once
#include "geometry/Point.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

/// Tokenisers of the exchange file's record lines: the header lines the run set-up
/// reads and the selected-text records the frame modes read.
namespace quillet::records {

/// Whether `s` begins with `prefix`. Inline: the frame modes ask it of every exchange
/// line, where a library compare cost more than the rest of the test.
inline bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && std::memcmp(s.data(), prefix.data(), prefix.size()) == 0;
}

/// The layer group a line ends with: one hexadecimal digit. Throws ConvertError.
int layerGroupOf(const std::string &line);

/// A group or layer number as the one hexadecimal digit the "lg"/"ly" lines carry.
/// Throws RangeError outside 0..15.
char hexDigit(int value);

/// Value k (from 0) of a line whose values follow the first blank, one blank before
/// each: two blanks in a row make an empty value, which then fails as a number.
/// Throws ConvertError when the line has fewer values.
std::string blankValue(const std::string &line, int k);

/// x and y of a point line ("hp1 x y"): the first two values after the keyword, runs
/// of blanks separating like one. Throws ConvertError.
PointF pointOf(const std::string &line);

/// A text-kind table entry. It was stored as a number when the exchange file was
/// read, so a bad one is a variant fault rather than a text conversion.
long double tableValue(const std::string &token);

/// The text before the first blank of `s`; `s` becomes at most `keep` characters of
/// what follows that blank.
std::string takeField(std::string &s, std::size_t keep);

/// The whitespace-separated words of `text`.
std::vector<std::string> words(const std::string &text);

/// The digits (at most two) that follow a two-letter keyword ("cn3", "cn10", "cc4").
int numberAfterKeyword(const std::string &line);

/// A text record of any of the drawing's text kinds ("ch", "cv", "cs", ...).
bool isTextRecord(const std::string &line);

} // namespace quillet::records
