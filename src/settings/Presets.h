#pragma once
#include "base/Host.h"
#include "settings/SettingsScope.h"

namespace quillet {

/// Quick-select presets PSDATA1.tx .. PSDATA10.tx and the memo file SENTAKUMEMO.TX.
namespace presets {

/// First-show loading: memo file (created when missing), then the ten presets.
void load(SettingsScope scope, Host &host);

/// The 50 file lines of a preset built from the form.
Lines buildLines(const FormModel &form, const PhraseBookPlace &place);

enum class ClickOutcome { Saved, Recalled, Empty, ReturnedToSettings, Nothing };

/// Preset button n (1..10) clicked; `down` is its state after the toggle.
/// Updates form.presetDown, saves, recalls or returns to the current settings.
ClickOutcome click(SettingsScope scope, Host &host, int preset, bool down);

/// Recall preset n onto the form. Returns false (and changes nothing) when it is empty.
bool recall(const QuickSelectList &presets, FormModel &form, int preset);

/// Return to the current settings: apply settings, then the selected pattern with names.
void returnToSettings(SettingsScope scope, Host &host);

/// Save toggle (SpeedButton18) changed to `down`.
void saveToggle(SettingsScope scope, Host &host, bool down);

/// Reads SENTAKUMEMO.TX for the memo window (padded to 12 lines); shows the notice when missing.
bool readMemos(SettingsScope scope, Host &host);
/// "保存 && 閉じる": writes the memos and the two check boxes.
void saveMemos(SettingsScope scope, Host &host);

/// The hint of preset button n (memo n when memos are shown, else the fixed text).
std::string buttonHint(const FormModel &form, int preset);

} // namespace presets
} // namespace quillet
