#include "settings/Settings.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "base/Messages.h"

namespace quillet::settings {

namespace {

const std::string &line(const Lines &list, int index) { return lineAt(list, index); }
std::string &line(Lines &list, int index) { return lineAt(list, index); }

int number(const Lines &list, int index) { return parseInt(line(list, index)); }

// Window position lines: an empty line reads as 0 and becomes "0" in the list.
int position(Lines &list, int index)
{
    std::string &text = line(list, index);
    if (text.empty())
        text = "0";
    return parseInt(text);
}

std::string flag(bool on) { return on ? "1" : "0"; }

const char *const kSettingsFile = "PLDATA.tx";

} // namespace

void apply(SettingsScope scope, Host &host)
{
    Lines &list = scope.files.settingsList;
    FormModel &f = scope.form;
    using namespace limits;
    f.tip = Tip(item(number(list, 0), kTipSymbols));
    f.lineType = item(number(list, 1), kLineTypes);
    f.frameKind = FrameKind(item(number(list, 2), kFrameKinds));
    f.attachPosition = item(number(list, 3), kAttachPositions);
    scope.place.page = line(list, 4);
    f.copyMethod = item(number(list, 5), kCopyMethods);
    f.textKind = item(number(list, 6), kTextKinds);
    f.extensionLength = spin(number(list, 7), kExtensionLength);
    f.extensionMode = item(number(list, 8), kExtensionModes);
    f.slide = item(number(list, 9), kSlides);
    f.patternIndex = item(number(list, 10), kPatterns);
    scope.place.folder = line(list, 11);
    line(list, 12); // the display variant is read where the window is sized
    f.embeddedTextOn = line(list, 13) == "1";
    const int ime = number(list, 14);
    f.imeOn = ime > 0;
    if (ime >= 1 && ime <= 4)
        f.imeCaption = static_cast<ImeMode>(ime);
    const int fontSwitch = number(list, 15);
    if (fontSwitch < -128 || fontSwitch > 127)
        throw RangeError("Range check error");
    f.fontSwitch = fontSwitch;
    f.windowLeft = position(list, 16);
    f.windowTop = position(list, 17);
    f.fillColour.selectColor(number(list, 18));
    const int fill = number(list, 19);
    // Widened first: the magnitude of the most negative 32-bit value does not fit 32 bits.
    const long long entry = fill < 0 ? -static_cast<long long>(fill) : fill;
    f.fillColour.selectItem(fill == 0 ? ColorChoice::kNoItem : int(entry - 1));
    f.fillOn = fill < 0;
    const std::string &font = line(list, 20);
    f.selectedFontName = (f.selectedFontName == "000" || f.selectedFontName == "0") ? defaultFontName() : font;
    f.tiltOn = line(list, 21) == "1";
    f.textCentreBase = line(list, 22) == "1";
    f.continuous = line(list, 23) != "0";
    f.fixedLeaderLength = line(list, 24) != "0";

    if (list.size() < std::size_t(kLines)) {
        list.resize(std::size_t(kLines), "0");
        save(scope.files, host);
    }
}

bool save(SettingsFiles &files, Host &host)
{
    try {
        writeLines(files.file(kSettingsFile), files.settingsList);
        return true;
    } catch (const InOutError &) {
        host.warning(msg::inOut());
        return false;
    }
}

void registerSettings(SettingsScope scope, Host &host)
{
    Lines &list = scope.files.settingsList;
    // A file that failed its check at start-up is replaced by a complete one: the user
    // asked for the current choices to be stored.
    if (list.size() < std::size_t(kLines))
        list.resize(std::size_t(kLines), "0");
    const FormModel &f = scope.form;
    list[0] = std::to_string(int(f.tip));
    list[1] = std::to_string(f.lineType);
    list[2] = std::to_string(int(f.frameKind));
    list[3] = std::to_string(f.attachPosition);
    list[4] = scope.place.page;
    list[5] = std::to_string(f.copyMethod);
    list[6] = std::to_string(f.textKind);
    list[7] = std::to_string(f.extensionLength);
    list[8] = std::to_string(f.extensionMode);
    list[9] = std::to_string(f.slide);
    list[10] = std::to_string(f.patternIndex);
    list[11] = scope.place.folder;
    list[13] = flag(f.embeddedTextOn);
    list[14] = f.imeOn ? std::to_string(static_cast<int>(f.imeCaption)) : "0";
    list[15] = std::to_string(f.fontSwitch);
    list[16] = std::to_string(f.windowLeft);
    list[17] = std::to_string(f.windowTop);
    list[18] = std::to_string(f.fillColour.custom);
    const int entry = f.fillColour.item + 1;
    list[19] = std::to_string(f.fillOn ? -entry : entry);
    list[20] = f.heldFontNameOrDefault();
    list[21] = flag(f.tiltOn);
    list[22] = flag(f.textCentreBase);
    for (int i = 24; i < kLines; ++i)
        list[std::size_t(i)] = "0";
    if (save(scope.files, host))
        scope.files.settingsLoaded = true;
}

void writeCloseTime(SettingsScope scope, Host &host)
{
    // A file that failed its check is the user's to mend; rewriting the placeholder
    // list over it would destroy it.
    if (!scope.files.settingsLoaded)
        return;
    Lines &list = scope.files.settingsList;
    const FormModel &f = scope.form;
    line(list, 4) = scope.place.page;
    line(list, 11) = scope.place.folder;
    line(list, 16) = std::to_string(f.windowLeft);
    line(list, 17) = std::to_string(f.windowTop);
    line(list, 23) = !f.continuous ? "0" : f.presetDown > 0 ? std::to_string(f.presetDown) : "11";
    line(list, 24) = flag(f.fixedLeaderLength);
    save(scope.files, host);
}

void storeLeaderLength(SettingsFiles &files, const std::string &length)
{
    Lines &list = files.settingsList;
    if (list.size() < std::size_t(kLines))
        list.resize(std::size_t(kLines), "0");
    list[25] = length;
}

std::string displayVariant(const SettingsFiles &files)
{
    const Lines &list = files.settingsList;
    return list.size() > 12 && !list[12].empty() ? list[12] : "0";
}

int imeMode(const SettingsFiles &files)
{
    std::int32_t value = 0;
    const Lines &list = files.settingsList;
    return list.size() > 14 && tryParseInt(list[14], value) ? value : 0;
}

std::string startupPreset(const SettingsFiles &files)
{
    const Lines &list = files.settingsList;
    return list.size() > 23 ? list[23] : "0";
}

std::string storedLeaderLength(const SettingsFiles &files)
{
    const Lines &list = files.settingsList;
    return list.size() > 25 ? list[25] : "0";
}

} // namespace quillet::settings
