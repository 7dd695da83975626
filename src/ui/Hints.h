#pragma once

class QWidget;

namespace quillet::ui {

/// Gives the setting controls of the main window their one-line explanations.
/// They are kept as status tips: the brief help shows them, tooltips never do.
void assignHints(QWidget *window);

} // namespace quillet::ui
