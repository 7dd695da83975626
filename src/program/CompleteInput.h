#pragma once
#include "base/Host.h"
#include "engine/OutputRun.h"
#include "program/Session.h"

namespace quillet {

/// What an output run of this session starts from.
RunInput runInputOf(const Session &session);

/// The dry run of "入力完了" for the session's current choices: writes no file.
RunResult computeOutput(const Session &session);

/// "入力完了" (BitBtn2Click): writes the close-time settings and the phrase book, runs
/// the output run (except in text-import mode) and saves the Output list as
/// jwc_temp.txt. Does nothing while "入力完了" is disabled. An error that is not one
/// of the output run's classes propagates and leaves jwc_temp.txt as it was.
/// Returns the class of error the output run ended with, after its message was shown.
RunFault completeInput(Session &session, Host &host);

/// "長さ記憶" (Button2Click): the paper length from point 1 to point 2 goes into settings
/// line 25, in memory only. The run set-up it needs appends its lines to the Output
/// list, as every set-up does. Errors of the set-up propagate.
void storeLeaderLength(Session &session);

} // namespace quillet
