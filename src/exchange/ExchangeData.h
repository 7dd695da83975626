#pragma once
#include "base/TextFile.h"
#include "model/Mode.h"

#include <array>
#include <string>

namespace quillet {

/// What the exchange read made of `jwc_temp.txt`.
enum class ExchangeVerdict { NotRead, Ok, AlreadyTransformed, Abnormal };

/// The lines of the exchange file the program relies on, kept as their exact text;
/// the run set-up parses the numbers at every output run.
struct ExchangeData {
    std::string scaleLine;      ///< "hs" + 16 group scale denominators
    std::string widthLine;      ///< widths of text kinds 1..10
    std::string heightLine;     ///< heights of text kinds 1..10
    std::string spacingLine;    ///< spacings of text kinds 1..10
    std::string point1Line;
    std::string bendLine;       ///< T5 only
    std::string point2Line;
    std::string point3Line;
    std::string layerGroupLine; ///< ends with the current group as one hex digit
    std::string layerLine;      ///< written back as it is for the host's layer
    std::string colorLine;      ///< written back as it is for the host's colour
    std::string textKindLine;   ///< "cn" + kind; kind 0 goes on with its sizes
    std::string fontLine;

    std::string hostFontName;   ///< the host's text font, from the font line

    /// Token texts (each with its trailing blank, if any) of text kinds 1..10; index 0 unused.
    std::array<std::string, 11> widthTokens;
    std::array<std::string, 11> heightTokens;

    /// Items 1..10 of the text-kind box ("h" + height, blanks, "w" + width); item 0 is fixed.
    std::array<std::string, 11> textKindItems;
};

/// Reads the exchange lines of `mode` from a loaded file into `data`.
/// Throws RangeError when a width or height line holds fewer than ten tokens.
ExchangeVerdict readExchange(const Lines &file, Mode mode, ExchangeData &data);

/// The texts of the selected text records ("ch ... \"text") from line 11 on.
Lines importTexts(const Lines &file);

/// The host font name derived from the exchange file's font line.
std::string hostFontNameFromLine(const std::string &fontLine);

/// The fixed first item of the text-kind box, "JWW書込文字".
const std::string &hostTextKindItem();

} // namespace quillet
