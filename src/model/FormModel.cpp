#include "model/FormModel.h"

#include "base/Number.h"
#include "base/Sjis.h"

#include <tuple>

namespace quillet {

const std::string &defaultFontName()
{
    static const std::string name = sjis::fromUtf8("ＭＳ ゴシック");
    return name;
}

namespace {
auto tie(const BasicSettings &b)
{
    return std::tie(b.arrowLength, b.leaderColour, b.lineGap, b.arrowColour, b.extensionColour, b.fillGap, b.verticalGap,
                    b.horizontalGap, b.dotColour, b.frameColour, b.writeGroup, b.lineLayer, b.textLayer, b.arrowAngle,
                    b.windowColour, b.dotRadiusMm, b.dotRadiusTenths, b.detectionRange, b.noFrameGap);
}
} // namespace

bool BasicSettings::operator==(const BasicSettings &o) const { return tie(*this) == tie(o); }

void applyDotRadius(BasicSettings &basic, const std::string &digits)
{
    // An empty line is a bad number, like any other.
    basic.dotRadiusMm = limits::item(parseInt(digits.substr(0, 1)), limits::kRadiusDigits);
    basic.dotRadiusTenths = limits::item(parseInt(digits.empty() ? digits : digits.substr(digits.size() - 1)),
                                   limits::kRadiusDigits);
}

FormModel::FormModel()
{
    // 基本設定 1 … 6, the names a new installation shows.
    for (std::size_t i = 0; i < patternNames.size(); ++i)
        patternNames[i] = sjis::fromUtf8("基本設定 ") + std::to_string(i + 1);
}

std::string FormModel::heldFontNameOrDefault() const
{
    return selectedFontName.empty() ? defaultFontName() : selectedFontName;
}

} // namespace quillet
