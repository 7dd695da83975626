#include "exchange/ExchangeData.h"

#include "base/Errors.h"
#include "base/Sjis.h"
#include "model/FormModel.h"

namespace quillet {

namespace {

struct LineIndexes {
    int point1, bend, point2, point3, group, layer, color, textKind, font;
};

// Where Jw_cad puts each line in each mode; -1 = not present.
LineIndexes indexesFor(Mode mode)
{
    switch (mode) {
    case Mode::FrameAll:
    case Mode::FrameEach:
        return {-1, -1, -1, -1, 8, 9, 10, 12, 13};
    case Mode::TextMode:
        return {8, -1, 8, 9, 10, 11, 12, 14, 15};
    case Mode::Bend:
        // The colour line follows the layer line directly, as in every layout;
        // line 15 is the line-type line and is not read.
        return {8, 9, 10, 11, 12, 13, 14, 16, 17};
    default:
        return {8, -1, 9, 10, 11, 12, 13, 15, 16};
    }
}

// The token from `pos` up to and including the next blank (or to the line end).
std::string nextToken(const std::string &line, std::size_t &pos)
{
    if (pos >= line.size())
        throw RangeError("List index out of bounds");
    const std::size_t blank = line.find(' ', pos);
    const std::size_t end = blank == std::string::npos ? line.size() : blank + 1;
    std::string token = line.substr(pos, end - pos);
    pos = end;
    return token;
}

std::string textKindItem(const std::string &height, const std::string &width)
{
    std::string item = "h" + height;
    if (item.size() == 3)
        item += "  ";
    else if (item.size() == 4)
        item += " ";
    return item + "w" + width;
}

} // namespace

std::string hostFontNameFromLine(const std::string &fontLine)
{
    if (fontLine == "#")
        return defaultFontName();
    std::string name = sjis::charSubstr(fontLine, 5, 30);
    if (!name.empty())
        name.pop_back();
    return name;
}

const std::string &hostTextKindItem()
{
    static const std::string item = sjis::fromUtf8("JWW書込文字");
    return item;
}

ExchangeVerdict readExchange(const Lines &file, Mode mode, ExchangeData &data)
{
    if (file.empty() || file[0] != "hq")
        return ExchangeVerdict::AlreadyTransformed;
    const LineIndexes ix = indexesFor(mode);
    // Every line the mode reads must be there; in T5 the font line is line 17.
    if (file.size() < 17 || ix.font >= int(file.size()))
        return ExchangeVerdict::Abnormal;

    auto line = [&](int i) { return i < 0 ? std::string() : file[std::size_t(i)]; };
    data.scaleLine = file[2];
    data.widthLine = file[3];
    data.heightLine = file[4];
    data.spacingLine = file[5];
    const bool frameMode = mode == Mode::FrameAll || mode == Mode::FrameEach;
    data.point1Line = frameMode ? "0" : line(ix.point1);
    data.bendLine = line(ix.bend);
    data.point2Line = frameMode ? "0" : line(ix.point2);
    data.point3Line = frameMode ? "0" : line(ix.point3);
    data.layerGroupLine = line(ix.group);
    data.layerLine = line(ix.layer);
    data.colorLine = line(ix.color);
    data.textKindLine = line(ix.textKind);
    data.fontLine = line(ix.font);
    data.hostFontName = hostFontNameFromLine(data.fontLine);

    std::size_t heightPos = 4, widthPos = 4;
    for (int k = 1; k <= 10; ++k) {
        data.heightTokens[std::size_t(k)] = nextToken(data.heightLine, heightPos);
        data.widthTokens[std::size_t(k)] = nextToken(data.widthLine, widthPos);
        data.textKindItems[std::size_t(k)] =
            textKindItem(data.heightTokens[std::size_t(k)], data.widthTokens[std::size_t(k)]);
    }
    return ExchangeVerdict::Ok;
}

Lines importTexts(const Lines &file)
{
    Lines texts;
    for (std::size_t i = 11; i < file.size(); ++i) {
        const std::string &line = file[i];
        const std::size_t quote = line.find('"');
        if (line.compare(0, 2, "ch") == 0 && quote != std::string::npos)
            texts.push_back(line.substr(quote + 1));
    }
    return texts;
}

} // namespace quillet
