#pragma once
#include <QList>
#include <QPair>
#include <QString>

class QWidget;

namespace quillet::ui {

/// Gives the setting controls of the main window their one-line explanations.
/// They are kept as status tips: the brief help shows them, tooltips never do.
void assignHints(QWidget *window);

/// Every control that has a hint, by designer name, with its hint.
QList<QPair<QString, QString>> hintTable();

} // namespace quillet::ui
