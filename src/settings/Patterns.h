#pragma once
#include "base/Host.h"
#include "settings/SettingsScope.h"

namespace quillet {

/// Basic-settings patterns PKDATA.tx: six named sets of the finer drawing values.
namespace patterns {

constexpr int kLines = 126;
constexpr int kPatternLines = 20;

/// Applies the pattern selected in ListBox1 to the form; with names, the six names
/// are taken from lines 120..125 too. Throws ConvertError on a bad line.
void apply(SettingsScope scope, bool withNames);

/// "基本設定登録": stores the form's basic settings into the selected pattern (and
/// Edit7's new name), saves PKDATA.tx, then runs the close-time settings write.
void registerPattern(SettingsScope scope, Host &host);

} // namespace patterns
} // namespace quillet
