#include "settings/Patterns.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "base/Messages.h"
#include "settings/Settings.h"

namespace quillet::patterns {

namespace {

const std::string &line(const Lines &list, int index) { return lineAt(list, index); }

int number(const Lines &list, int index) { return parseInt(line(list, index)); }

int base(const SettingsScope &scope)
{
    if (scope.form.ListBox1 < 0)
        throw RangeError("List index out of bounds (-1)");
    return kPatternLines * scope.form.ListBox1;
}

} // namespace

void apply(SettingsScope scope, bool withNames)
{
    const Lines &list = scope.files.basicList;
    BasicSettings &b = scope.form.basic;
    const int at = base(scope);
    using namespace limits;
    b.SpinEdit5 = spin(number(list, at + 0), kArrowLength);
    b.ComboBox10 = item(number(list, at + 1), kColourIndexes);
    b.SpinEdit6 = spin(number(list, at + 2), kTenths);
    b.ComboBox11 = item(number(list, at + 3), kColourIndexes);
    b.ComboBox13 = item(number(list, at + 4), kColourIndexes);
    b.SpinEdit2 = spin(number(list, at + 5), kFillGap);
    b.SpinEdit3 = spin(number(list, at + 6), kTenths);
    b.SpinEdit4 = spin(number(list, at + 7), kTenths);
    b.ComboBox12 = item(number(list, at + 8), kColourIndexes);
    b.ComboBox14 = item(number(list, at + 9), kColourIndexes);
    b.ComboBox15 = item(number(list, at + 10), kGroupsLayers);
    b.ComboBox16 = item(number(list, at + 11), kGroupsLayers);
    b.ComboBox17 = item(number(list, at + 12), kGroupsLayers);
    b.ComboBox9 = item(number(list, at + 13), kArrowAngles);

    b.ColorBox1.selectItem(0);
    b.ColorBox1.selectColor(number(list, at + 14));
    // A stored custom colour of 0 selects money green, item 17, whatever the index line says.
    b.ColorBox1.selectItem(line(list, at + 14) != "0" ? number(list, at + 15) : 17);

    applyDotRadius(b, line(list, at + 16));
    b.RadioGroup1 = item(number(list, at + 17), kDetectionRanges);
    b.CheckBox5 = line(list, at + 18) == "1";

    if (withNames) {
        for (int i = 0; i < kPatterns; ++i)
            scope.form.patternNames[std::size_t(i)] = line(list, 120 + i);
    }
}

void registerPattern(SettingsScope scope, Host &host)
{
    Lines &list = scope.files.basicList;
    // A file of the wrong length keeps the lines it has; the rest are filled so the
    // registered pattern lands where the next start reads it.
    if (list.size() != std::size_t(kLines))
        list.resize(std::size_t(kLines), "0");
    const BasicSettings &b = scope.form.basic;
    const int at = base(scope);
    const int values[] = {b.SpinEdit5,  b.ComboBox10, b.SpinEdit6,  b.ComboBox11, b.ComboBox13,
                          b.SpinEdit2,  b.SpinEdit3,  b.SpinEdit4,  b.ComboBox12, b.ComboBox14,
                          b.ComboBox15, b.ComboBox16, b.ComboBox17, b.ComboBox9,  b.ColorBox1.custom,
                          b.ColorBox1.item};
    for (int i = 0; i < 16; ++i)
        list[std::size_t(at + i)] = std::to_string(values[i]);
    list[std::size_t(at + 16)] = std::to_string(b.ComboBox1) + std::to_string(b.ComboBox3);
    list[std::size_t(at + 17)] = std::to_string(b.RadioGroup1);
    list[std::size_t(at + 18)] = b.CheckBox5 ? "1" : "0";
    list[std::size_t(at + 19)] = "0";

    FormModel &f = scope.form;
    if (!f.Edit7.empty()) {
        f.patternNames[std::size_t(f.ListBox1)] = f.Edit7;
        f.Edit7.clear();
    }
    for (int i = 0; i < limits::kPatterns; ++i)
        list[std::size_t(120 + i)] = f.patternNames[std::size_t(i)];

    try {
        writeLines(scope.file("PKDATA.tx"), list);
        scope.files.patternsLoaded = true;
    } catch (const InOutError &) {
        host.warning(msg::inOut());
    }
    settings::writeCloseTime(scope, host);
}

} // namespace quillet::patterns
