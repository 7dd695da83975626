#pragma once
#include "base/Host.h"
#include "settings/SettingsScope.h"

namespace quillet {

/// Settings file PLDATA.tx: the window's choices that are not part of a pattern.
namespace settings {

constexpr int kLines = 30;

/// Applies lines 0..24 of the settings list to the form (and the phrase-book folder
/// and page), then pads the list to 30 lines, saving at once when it was shorter.
/// Throws ConvertError / RangeError on bad lines.
void apply(SettingsScope scope, Host &host);

/// "設定登録": writes lines 0..22 and 24..29 from the form and saves the file.
/// A failed save shows the I/O warning; the list keeps the new values.
void registerSettings(SettingsScope scope, Host &host);

/// The close-time write: lines 4, 11, 16, 17, 23, 24, then the whole file.
void writeCloseTime(SettingsScope scope, Host &host);

/// "長さ記憶": stores a paper length into line 25 in memory only.
void storeLeaderLength(SettingsFiles &files, const std::string &length);

/// Line 12 ("0" or "1"; empty counts as "0").
std::string displayVariant(const SettingsFiles &files);
/// Line 14: the input-method mode of start-up (0..4).
int imeMode(const SettingsFiles &files);
/// Line 23: "0", "1".."10" or "11".
std::string startupPreset(const SettingsFiles &files);
/// Line 25: stored leader length in paper mm, as text.
std::string storedLeaderLength(const SettingsFiles &files);

/// Saves the settings list as PLDATA.tx; shows the I/O warning on failure.
bool save(SettingsFiles &files, Host &host);

} // namespace settings
} // namespace quillet
