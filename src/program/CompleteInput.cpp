#include "program/CompleteInput.h"

#include "engine/OutputRun.h"
#include "settings/Settings.h"

namespace quillet {

RunInput runInputOf(const Session &session)
{
    return {session.mode,   session.exchange, session.exchangeCopy, session.files.settingsList,
            session.form,   session.currentExchangeLine, session.output, session.fixedNow};
}

RunResult computeOutput(const Session &session) { return computeOutput(runInputOf(session)); }

RunFault completeInput(Session &session, Host &host)
{
    if (!session.outputEnabled)
        return RunFault::None;
    settings::writeCloseTime(session.settingsScope(), host);
    if (session.phraseBookOpened)
        session.phraseBook.exitWriteBack(host);
    if (session.mode == Mode::TextImport)
        return RunFault::None;

    RunResult run = computeOutput(session);
    if (run.frameKind)
        session.form.frameKind = *run.frameKind;
    if (run.tilt)
        session.form.tiltOn = *run.tilt;
    session.output = run.output.lines();
    if (run.fault != RunFault::None)
        host.warning(run.message);
    writeBytesAtomically(session.file("jwc_temp.txt"), run.output.bytes()); // the lines with their CR LF
    return run.fault;
}

void storeLeaderLength(Session &session)
{
    settings::storeLeaderLength(session.files, leaderLengthForStorage(runInputOf(session), session.output));
}

} // namespace quillet
