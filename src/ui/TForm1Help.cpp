// Hints, the brief help that shows them in the status bar, and the help document.
#include "ui/TForm1.h"

#include "base/Messages.h"
#include "program/HelpFile.h"
#include "ui/BriefHelp.h"
#include "ui/Hints.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>

using namespace quillet;
using namespace quillet::ui;

void TForm1::wireHelp()
{
    m_briefHelp = new BriefHelp(this, StatusBar1);
    m_openHelp = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton6Click);
}

void TForm1::assignHints()
{
    ui::assignHints(this);
}

void TForm1::SpeedButton5Click(bool down)
{
    m_briefHelp->setOn(down);
    if (down)
        StatusBar1->clearMessage();
    else
        showFolderStatus();
}

void TForm1::SpeedButton6Click()
{
    const std::filesystem::path programDir(QCoreApplication::applicationDirPath().toStdU16String());
    const auto file = findHelpFile(m_startDir, programDir);
    if (!file) {
        m_host->warning(msg::helpMissing());
        return;
    }
    const QUrl url = QUrl::fromLocalFile(QString::fromStdU16String(file->u16string()));
    if (!m_openHelp(url))
        m_host->warning(msg::helpNotOpened());
}
