#include "exchange/CompleteInput.h"

#include "settings/Settings.h"

namespace quillet {

void completeInput(Session &session, Host &host)
{
    if (!session.outputEnabled)
        return;
    settings::writeCloseTime(session, host);
    if (session.phraseBookOpened)
        session.phraseBook.exitWriteBack(host);
    if (session.mode == Mode::TextImport)
        return;
    writeLines(session.file("jwc_temp.txt"), session.output);
}

} // namespace quillet
