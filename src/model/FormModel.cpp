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
    return std::tie(b.SpinEdit5, b.ComboBox10, b.SpinEdit6, b.ComboBox11, b.ComboBox13, b.SpinEdit2, b.SpinEdit3,
                    b.SpinEdit4, b.ComboBox12, b.ComboBox14, b.ComboBox15, b.ComboBox16, b.ComboBox17, b.ComboBox9,
                    b.ColorBox1, b.ComboBox1, b.ComboBox3, b.RadioGroup1, b.CheckBox5);
}
} // namespace

bool BasicSettings::operator==(const BasicSettings &o) const { return tie(*this) == tie(o); }

void applyDotRadius(BasicSettings &basic, const std::string &digits)
{
    // An empty line is a bad number, like any other.
    basic.ComboBox1 = limits::item(parseInt(digits.substr(0, 1)), limits::kRadiusDigits);
    basic.ComboBox3 = limits::item(parseInt(digits.empty() ? digits : digits.substr(digits.size() - 1)),
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
