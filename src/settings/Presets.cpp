#include "settings/Presets.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "base/Messages.h"
#include "settings/Patterns.h"
#include "settings/Settings.h"

namespace quillet::presets {

namespace {

const char *const kMemoFile = "SENTAKUMEMO.TX";

std::string presetFile(int preset) { return "PSDATA" + std::to_string(preset) + ".tx"; }

std::string flag(bool on) { return on ? "1" : "0"; }

void takeMemos(FormModel &form, const Lines &lines)
{
    for (std::size_t i = 0; i < form.presetMemos.size() && i < lines.size(); ++i)
        form.presetMemos[i] = lines[i];
}

} // namespace

namespace {
// A memo or preset file that cannot be read is treated like a missing one, after
// telling the user; the presets are a convenience, never a reason to stop.
bool tryRead(const std::filesystem::path &path, Lines &lines, Host &host)
{
    try {
        lines = readLines(path);
        return true;
    } catch (const InOutError &) {
        host.warning(msg::inOut());
        return false;
    }
}
} // namespace

void load(SettingsScope scope, Host &host)
{
    FormModel &f = scope.form;
    const auto memoPath = scope.file(kMemoFile);
    Lines lines;
    if (fileExists(memoPath)) {
        if (tryRead(memoPath, lines, host)) {
            if (lines.size() != 11 && lines.size() != 12) {
                host.warning(msg::memoInvalid());
            } else {
                takeMemos(f, lines);
                f.memosAsHints = lines[10] == "1";
                f.presetHoverImage = lines.size() < 12 || lines[11] == "1";
            }
        }
    } else {
        host.notice(msg::memoCreated());
        f.presetMemos.fill(msg::memoDefault());
        lines.assign(f.presetMemos.begin(), f.presetMemos.end());
        lines.push_back("1");
        try {
            writeLines(memoPath, lines);
        } catch (const InOutError &) {
            host.warning(msg::inOut());
        }
    }

    for (int n = 1; n <= QuickSelectList::kPresets; ++n) {
        const auto path = scope.file(presetFile(n));
        lines.clear();
        if (fileExists(path) && !tryRead(path, lines, host))
            lines.clear();
        if (lines.size() == std::size_t(QuickSelectList::kFileLines))
            scope.files.quickSelect.setLoaded(n, lines);
        else
            scope.files.quickSelect.setEmpty(n);
    }

    std::int32_t start = 0;
    if (tryParseInt(settings::startupPreset(scope.files), start) && start >= 1 && start <= 10 &&
        settings::startupPreset(scope.files) == std::to_string(start))
        click(scope, host, start, true);
}

Lines buildLines(const FormModel &f, const PhraseBookPlace &place)
{
    const BasicSettings &b = f.basic;
    auto n = [](int v) { return std::to_string(v); };
    Lines lines = {n(int(f.tip)), n(f.lineType), n(int(f.frameKind)), n(f.attachPosition), place.page,
                   n(f.copyMethod), n(f.textKind), n(f.extensionLength), n(f.extensionMode), n(f.slide),
                   flag(f.embeddedTextOn), flag(f.imeOn), n(f.fillColour.custom), n(f.fillColour.item),
                   flag(f.fillOn), f.heldFontNameOrDefault(), flag(f.tiltOn), n(f.fontSwitch),
                   flag(f.textCentreBase)};
    lines.insert(lines.end(), 6, "000");
    const Lines tail = {n(b.arrowLength),  n(b.leaderColour), n(b.lineGap),  n(b.arrowColour), n(b.extensionColour),
                        n(b.fillGap),  n(b.verticalGap),  n(b.horizontalGap),  n(b.dotColour), n(b.frameColour),
                        n(b.writeGroup), n(b.lineLayer), n(b.textLayer), n(b.arrowAngle),  n(b.windowColour.custom),
                        n(b.windowColour.item), n(f.patternIndex), n(b.dotRadiusMm) + n(b.dotRadiusTenths), n(b.detectionRange),
                        flag(b.noFrameGap)};
    lines.insert(lines.end(), tail.begin(), tail.end());
    lines.insert(lines.end(), 5, "000");
    return lines;
}

bool recall(const QuickSelectList &q, FormModel &form, int preset)
{
    if (q.isEmpty(preset))
        return false;
    auto text = [&](int i) -> const std::string & { return q.entry(preset, i); };
    auto number = [&](int i) { return parseInt(text(i)); };
    using namespace limits;
    // Built on a copy so that a damaged preset file changes nothing.
    FormModel f = form;
    f.tip = Tip(item(number(0), kTipSymbols));
    f.lineType = item(number(1), kLineTypes);
    f.frameKind = FrameKind(item(number(2), kFrameKinds));
    f.attachPosition = item(number(3), kAttachPositions);
    f.copyMethod = item(number(5), kCopyMethods);
    f.textKind = item(number(6), kTextKinds);
    f.extensionLength = spin(number(7), kExtensionLength);
    f.extensionMode = item(number(8), kExtensionModes);
    f.slide = item(number(9), kSlides);
    f.embeddedTextOn = text(10) == "1";
    f.imeOn = text(11) == "1";
    f.fillColour.selectColor(number(12));
    f.fillColour.selectItem(number(13));
    f.fillOn = text(14) == "1";
    f.selectedFontName = text(15);
    f.tiltOn = text(16) == "1";
    f.fontSwitch = number(17);
    f.textCentreBase = text(18) == "1";

    BasicSettings &b = f.basic;
    b.arrowLength = spin(number(25), kArrowLength);
    b.leaderColour = item(number(26), kColourIndexes);
    b.lineGap = spin(number(27), kTenths);
    b.arrowColour = item(number(28), kColourIndexes);
    b.extensionColour = item(number(29), kColourIndexes);
    b.fillGap = spin(number(30), kFillGap);
    b.verticalGap = spin(number(31), kTenths);
    b.horizontalGap = spin(number(32), kTenths);
    b.dotColour = item(number(33), kColourIndexes);
    b.frameColour = item(number(34), kColourIndexes);
    b.writeGroup = item(number(35), kGroupsLayers);
    b.lineLayer = item(number(36), kGroupsLayers);
    b.textLayer = item(number(37), kGroupsLayers);
    b.arrowAngle = item(number(38), kArrowAngles);
    b.windowColour.selectColor(number(39));
    b.windowColour.selectItem(number(40));
    f.patternIndex = item(number(41), kPatterns);
    applyDotRadius(b, text(42));
    b.detectionRange = item(number(43), kDetectionRanges);
    b.noFrameGap = text(44) == "1";
    form = std::move(f);
    return true;
}

void returnToSettings(SettingsScope scope, Host &host)
{
    // The phrase book stays where the user is; only the drawing choices come back.
    const std::string page = scope.place.page;
    const std::string folder = scope.place.folder;
    if (scope.files.settingsLoaded)
        settings::apply(scope, host);
    if (scope.files.basicList.size() == std::size_t(patterns::kLines))
        patterns::apply(scope, true);
    scope.place.page = page;
    scope.place.folder = folder;
}

ClickOutcome click(SettingsScope scope, Host &host, int preset, bool down)
{
    FormModel &f = scope.form;
    if (down)
        f.presetDown = preset;
    else if (f.presetDown == preset)
        f.presetDown = 0;

    if (down && f.presetSaveMode) {
        Lines lines = buildLines(scope.form, scope.place);
        try {
            writeLines(scope.file(presetFile(preset)), lines);
        } catch (const InOutError &) {
            host.warning(msg::inOut());
            return ClickOutcome::Nothing;
        }
        scope.files.quickSelect.setSaved(preset, lines);
        return ClickOutcome::Saved;
    }
    if (down)
        return recall(scope.files.quickSelect, scope.form, preset) ? ClickOutcome::Recalled : ClickOutcome::Empty;
    if (!f.presetSaveMode) {
        returnToSettings(scope, host);
        return ClickOutcome::ReturnedToSettings;
    }
    return ClickOutcome::Nothing;
}

void saveToggle(SettingsScope scope, Host &host, bool down)
{
    scope.form.presetSaveMode = down;
    if (!down && scope.form.presetDown == 0)
        returnToSettings(scope, host);
}

bool readMemos(SettingsScope scope, Host &host)
{
    const auto path = scope.file(kMemoFile);
    if (!fileExists(path)) {
        host.notice(msg::memoMissing());
        return false;
    }
    Lines lines;
    if (!tryRead(path, lines, host))
        return false;
    if (lines.size() < 12)
        lines.resize(12, "1");
    FormModel &f = scope.form;
    takeMemos(f, lines);
    f.memosAsHints = lines[10] == "1";
    f.presetHoverImage = lines[11] == "1";
    return true;
}

void saveMemos(SettingsScope scope, Host &host)
{
    const FormModel &f = scope.form;
    Lines lines(f.presetMemos.begin(), f.presetMemos.end());
    lines.push_back(flag(f.memosAsHints));
    lines.push_back(flag(f.presetHoverImage));
    try {
        writeLines(scope.file(kMemoFile), lines);
    } catch (const InOutError &) {
        host.warning(msg::inOut());
    }
}

std::string buttonHint(const FormModel &f, int preset)
{
    if (f.memosAsHints && preset >= 1 && preset <= 10)
        return f.presetMemos[std::size_t(preset - 1)];
    return msg::presetHintDefault();
}

} // namespace quillet::presets
