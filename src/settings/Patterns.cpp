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
    if (scope.form.patternIndex < 0)
        throw RangeError("List index out of bounds (-1)");
    return kPatternLines * scope.form.patternIndex;
}

} // namespace

void apply(SettingsScope scope, bool withNames)
{
    const Lines &list = scope.files.basicList;
    BasicSettings &b = scope.form.basic;
    const int at = base(scope);
    using namespace limits;
    b.arrowLength = spin(number(list, at + 0), kArrowLength);
    b.leaderColour = item(number(list, at + 1), kColourIndexes);
    b.lineGap = spin(number(list, at + 2), kTenths);
    b.arrowColour = item(number(list, at + 3), kColourIndexes);
    b.extensionColour = item(number(list, at + 4), kColourIndexes);
    b.fillGap = spin(number(list, at + 5), kFillGap);
    b.verticalGap = spin(number(list, at + 6), kTenths);
    b.horizontalGap = spin(number(list, at + 7), kTenths);
    b.dotColour = item(number(list, at + 8), kColourIndexes);
    b.frameColour = item(number(list, at + 9), kColourIndexes);
    b.writeGroup = item(number(list, at + 10), kGroupsLayers);
    b.lineLayer = item(number(list, at + 11), kGroupsLayers);
    b.textLayer = item(number(list, at + 12), kGroupsLayers);
    b.arrowAngle = item(number(list, at + 13), kArrowAngles);

    b.windowColour.selectItem(0);
    b.windowColour.selectColor(number(list, at + 14));
    // A stored custom colour of 0 selects money green, item 17, whatever the index line says.
    b.windowColour.selectItem(line(list, at + 14) != "0" ? number(list, at + 15) : 17);

    applyDotRadius(b, line(list, at + 16));
    b.detectionRange = item(number(list, at + 17), kDetectionRanges);
    b.noFrameGap = line(list, at + 18) == "1";

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
    const int values[] = {b.arrowLength,  b.leaderColour, b.lineGap,  b.arrowColour, b.extensionColour,
                          b.fillGap,  b.verticalGap,  b.horizontalGap,  b.dotColour, b.frameColour,
                          b.writeGroup, b.lineLayer, b.textLayer, b.arrowAngle,  b.windowColour.custom,
                          b.windowColour.item};
    for (int i = 0; i < 16; ++i)
        list[std::size_t(at + i)] = std::to_string(values[i]);
    list[std::size_t(at + 16)] = std::to_string(b.dotRadiusMm) + std::to_string(b.dotRadiusTenths);
    list[std::size_t(at + 17)] = std::to_string(b.detectionRange);
    list[std::size_t(at + 18)] = b.noFrameGap ? "1" : "0";
    list[std::size_t(at + 19)] = "0";

    FormModel &f = scope.form;
    if (!f.newPatternName.empty()) {
        f.patternNames[std::size_t(f.patternIndex)] = f.newPatternName;
        f.newPatternName.clear();
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
