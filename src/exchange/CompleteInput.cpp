#include "exchange/CompleteInput.h"

#include "exchange/OutputRun.h"
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

    RunResult run = computeOutput(session);
    if (run.frameKind)
        session.form.ComboBoxEx2 = *run.frameKind;
    if (run.tilt)
        session.form.SpeedButton11 = *run.tilt;
    session.output = std::move(run.output);
    if (run.fault != RunFault::None)
        host.warning(run.message);
    writeLines(session.file("jwc_temp.txt"), session.output);
}

void storeLeaderLength(Session &session)
{
    settings::storeLeaderLength(session, leaderLengthForStorage(session));
}

} // namespace quillet
