#pragma once
#include "base/Host.h"

class QWidget;

namespace quillet::ui {

/// The window's side of the core's Host: modal message boxes over the main window
/// and the height of the screen the window is on.
class WindowHost : public Host {
public:
    explicit WindowHost(QWidget *window) : m_window(window) {}

    void warning(const std::string &text) override;
    void notice(const std::string &text) override;
    bool question(const std::string &text) override;
    int screenHeight() const override;

private:
    QWidget *m_window;
};

} // namespace quillet::ui
