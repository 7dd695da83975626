#pragma once
#include <QString>

#include <string>

namespace quillet::ui {

/// Shift-JIS text of the core as shown on screen; "\r\n" becomes a plain line break.
QString fromSjis(const std::string &sjis);

/// Text typed on screen as the Shift-JIS bytes the core keeps.
std::string toSjis(const QString &text);

} // namespace quillet::ui
