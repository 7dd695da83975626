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
                f.CheckBox1 = lines[10] == "1";
                f.CheckBox6 = lines.size() < 12 || lines[11] == "1";
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
    Lines lines = {n(f.ComboBoxEx1), n(f.ComboBox2), n(f.ComboBoxEx2), n(f.ComboBoxEx3), place.page,
                   n(f.ComboBox8), n(f.ComboBox6), n(f.SpinEdit1), n(f.ComboBox5), n(f.ComboBoxEx4),
                   flag(f.SpeedButton2), flag(f.SpeedButton1), n(f.ColorBox2.custom), n(f.ColorBox2.item),
                   flag(f.SpeedButton10), f.heldFontNameOrDefault(), flag(f.SpeedButton11), n(f.fontSwitch),
                   flag(f.CheckBox2)};
    lines.insert(lines.end(), 6, "000");
    const Lines tail = {n(b.SpinEdit5),  n(b.ComboBox10), n(b.SpinEdit6),  n(b.ComboBox11), n(b.ComboBox13),
                        n(b.SpinEdit2),  n(b.SpinEdit3),  n(b.SpinEdit4),  n(b.ComboBox12), n(b.ComboBox14),
                        n(b.ComboBox15), n(b.ComboBox16), n(b.ComboBox17), n(b.ComboBox9),  n(b.ColorBox1.custom),
                        n(b.ColorBox1.item), n(f.ListBox1), n(b.ComboBox1) + n(b.ComboBox3), n(b.RadioGroup1),
                        flag(b.CheckBox5)};
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
    f.ComboBoxEx1 = item(number(0), kTipSymbols);
    f.ComboBox2 = item(number(1), kLineTypes);
    f.ComboBoxEx2 = item(number(2), kFrameKinds);
    f.ComboBoxEx3 = item(number(3), kAttachPositions);
    f.ComboBox8 = item(number(5), kCopyMethods);
    f.ComboBox6 = item(number(6), kTextKinds);
    f.SpinEdit1 = spin(number(7), kExtensionLength);
    f.ComboBox5 = item(number(8), kExtensionModes);
    f.ComboBoxEx4 = item(number(9), kSlides);
    f.SpeedButton2 = text(10) == "1";
    f.SpeedButton1 = text(11) == "1";
    f.ColorBox2.selectColor(number(12));
    f.ColorBox2.selectItem(number(13));
    f.SpeedButton10 = text(14) == "1";
    f.selectedFontName = text(15);
    f.SpeedButton11 = text(16) == "1";
    f.fontSwitch = number(17);
    f.CheckBox2 = text(18) == "1";

    BasicSettings &b = f.basic;
    b.SpinEdit5 = spin(number(25), kArrowLength);
    b.ComboBox10 = item(number(26), kColourIndexes);
    b.SpinEdit6 = spin(number(27), kTenths);
    b.ComboBox11 = item(number(28), kColourIndexes);
    b.ComboBox13 = item(number(29), kColourIndexes);
    b.SpinEdit2 = spin(number(30), kFillGap);
    b.SpinEdit3 = spin(number(31), kTenths);
    b.SpinEdit4 = spin(number(32), kTenths);
    b.ComboBox12 = item(number(33), kColourIndexes);
    b.ComboBox14 = item(number(34), kColourIndexes);
    b.ComboBox15 = item(number(35), kGroupsLayers);
    b.ComboBox16 = item(number(36), kGroupsLayers);
    b.ComboBox17 = item(number(37), kGroupsLayers);
    b.ComboBox9 = item(number(38), kArrowAngles);
    b.ColorBox1.selectColor(number(39));
    b.ColorBox1.selectItem(number(40));
    f.ListBox1 = item(number(41), kPatterns);
    applyDotRadius(b, text(42));
    b.RadioGroup1 = item(number(43), kDetectionRanges);
    b.CheckBox5 = text(44) == "1";
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

    if (down && f.SpeedButton18) {
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
    if (!f.SpeedButton18) {
        returnToSettings(scope, host);
        return ClickOutcome::ReturnedToSettings;
    }
    return ClickOutcome::Nothing;
}

void saveToggle(SettingsScope scope, Host &host, bool down)
{
    scope.form.SpeedButton18 = down;
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
    f.CheckBox1 = lines[10] == "1";
    f.CheckBox6 = lines[11] == "1";
    return true;
}

void saveMemos(SettingsScope scope, Host &host)
{
    const FormModel &f = scope.form;
    Lines lines(f.presetMemos.begin(), f.presetMemos.end());
    lines.push_back(flag(f.CheckBox1));
    lines.push_back(flag(f.CheckBox6));
    try {
        writeLines(scope.file(kMemoFile), lines);
    } catch (const InOutError &) {
        host.warning(msg::inOut());
    }
}

std::string buttonHint(const FormModel &f, int preset)
{
    if (f.CheckBox1 && preset >= 1 && preset <= 10)
        return f.presetMemos[std::size_t(preset - 1)];
    return msg::presetHintDefault();
}

} // namespace quillet::presets
