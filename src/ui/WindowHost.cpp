#include "ui/WindowHost.h"

#include "ui/FontConfigWarmUp.h"
#include "ui/Texts.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

namespace quillet::ui {

namespace {

int showBox(QWidget *parent, QMessageBox::Icon icon, const std::string &text, QMessageBox::StandardButtons buttons)
{
    // A message of start-up can come before the window's first font.
    FontConfigWarmUp::fontsReady();
    QMessageBox box(icon, QCoreApplication::applicationName(), fromSjis(text), buttons, parent);
    return box.exec();
}

} // namespace

void WindowHost::warning(const std::string &text)
{
    showBox(m_window, QMessageBox::Warning, text, QMessageBox::Ok);
}

void WindowHost::notice(const std::string &text)
{
    showBox(m_window, QMessageBox::Information, text, QMessageBox::Ok);
}

bool WindowHost::question(const std::string &text)
{
    return showBox(m_window, QMessageBox::Information, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

int WindowHost::screenHeight() const
{
    // Before the window is shown it has no screen of its own; the primary one is
    // where it will open.
    const QScreen *screen = m_window && m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

} // namespace quillet::ui
