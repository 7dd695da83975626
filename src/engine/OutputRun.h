#pragma once
#include "base/TextFile.h"
#include "engine/RunContext.h"

#include <optional>
#include <string>

namespace quillet {

/// The error classes an output run reports with its own message and survives.
enum class RunFault { None, Range, Variant, Convert, IntDivideByZero, RealDivideByZero, InvalidOperation };

/// What an output run produced: the Output list to save, the fault that ended it
/// early (if any) with its message, and the controls it changed on the way.
struct RunResult {
    PackedLines output;
    RunFault fault = RunFault::None;
    std::string message;             ///< Shift-JIS, "\r\n" for the line break; empty without a fault
    std::optional<FrameKind> frameKind; ///< the frame kind as the run left it, when it changed
    std::optional<bool> tilt;        ///< the tilt switch as the run left it, when it changed
};

/// The warning text shown for a fault class (Shift-JIS).
std::string runFaultMessage(RunFault fault);

/// What an output run starts from: the program-lifetime lists it reads, the form's
/// choices and the Output list so far.
struct RunInput {
    Mode mode;
    const ExchangeData &exchange;
    const Lines &exchangeCopy;
    const Lines &settingsList;
    const FormModel &form;
    const std::string &currentExchangeLine;
    const Lines &output;
    std::optional<std::tm> fixedNow;
};

/// The driver of "入力完了": run set-up and engine per mode on a copy of the Output
/// list. Writes no file and touches no widget. The six reported error classes are
/// caught and recorded; any other exception (OverflowError among them) propagates.
RunResult computeOutput(const RunInput &input);

/// "長さ記憶": runs the set-up (its lines are appended to `output`) and returns the
/// length of the leader from point 1 to point 2 in paper millimetres, in the general
/// number format. Errors propagate.
std::string leaderLengthForStorage(const RunInput &input, Lines &output);

} // namespace quillet
