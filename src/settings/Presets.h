#pragma once
#include "exchange/Host.h"
#include "exchange/Session.h"

namespace quillet {

/// Quick-select presets PSDATA1.tx .. PSDATA10.tx and the memo file SENTAKUMEMO.TX.
namespace presets {

/// First-show loading: memo file (created when missing), then the ten presets.
void load(Session &session, Host &host);

/// The 50 file lines of a preset built from the form.
Lines buildLines(const Session &session);

enum class ClickOutcome { Saved, Recalled, Empty, ReturnedToSettings, Nothing };

/// Preset button n (1..10) clicked; `down` is its state after the toggle.
/// Updates form.presetDown, saves, recalls or returns to the current settings.
ClickOutcome click(Session &session, Host &host, int preset, bool down);

/// Recall preset n onto the form. Returns false (and changes nothing) when it is empty.
bool recall(Session &session, int preset);
/// The same onto any form model, for showing a preset without choosing it.
bool recallOnto(const QuickSelectList &list, int preset, FormModel &form);

/// Return to the current settings: apply settings, then the selected pattern with names.
void returnToSettings(Session &session, Host &host);

/// Save toggle (SpeedButton18) changed to `down`.
void saveToggle(Session &session, Host &host, bool down);

/// Reads SENTAKUMEMO.TX for the memo window (padded to 12 lines); shows the notice when missing.
bool readMemos(Session &session, Host &host);
/// "保存 && 閉じる": writes the memos and the two check boxes.
void saveMemos(Session &session, Host &host);

/// The hint of preset button n (memo n when memos are shown, else the fixed text).
std::string buttonHint(const Session &session, int preset);

} // namespace presets
} // namespace quillet
