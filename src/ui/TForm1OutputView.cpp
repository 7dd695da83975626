// The main window's side of the output view: opening it and telling it of changes.
#include "ui/TForm1.h"

#include "outputview/OutputView.h"

void TForm1::openOutputView()
{
    if (m_runEnded || startupEnded())
        return;
    if (!m_outputView)
        m_outputView = new quillet::outputview::OutputView(m_session, this);
    m_outputView->open();
}

void TForm1::outputChanged()
{
    if (m_outputView)
        m_outputView->scheduleRefresh();
}
