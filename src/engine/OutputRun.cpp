#include "engine/OutputRun.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "base/RealMath.h"
#include "base/Sjis.h"
#include "engine/Engine.h"
#include "engine/GeometrySetup.h"
#include "engine/RunSetup.h"
#include "exchange/Records.h"

#include <cmath>

namespace quillet {

namespace {

constexpr std::size_t kMaxFramedLines = 127;

void frameEachLine(RunContext &ctx, RunMeasures &m, GeometryState &g, PairTurner &turner)
{
    runSetup(ctx, m);
    ctx.form.frameKind = plainFrameKind(ctx.form.frameKind);
    // Each frame follows the direction of its own text.
    ctx.form.tiltOn = true;
    if (ctx.exchangeCopy.size() > kMaxFramedLines)
        throw RangeError("List index out of bounds (" + std::to_string(kMaxFramedLines) + ")");
    for (std::size_t i = 11; i < ctx.exchangeCopy.size(); ++i) {
        ctx.currentExchangeLine = ctx.exchangeCopy[i];
        if (records::startsWith(ctx.currentExchangeLine, "lg"))
            runSetup(ctx, m);
        if (!records::startsWith(ctx.currentExchangeLine, "cn\"$")) {
            EngineRun e(ctx, m, g, turner);
            runEngine(e);
        }
    }
}

void drive(RunContext &ctx)
{
    RunMeasures m;
    GeometryState g;
    PairTurner turner;
    if (ctx.mode == Mode::FrameEach) {
        frameEachLine(ctx, m, g, turner);
        return;
    }
    if (ctx.mode == Mode::FrameAll)
        ctx.form.tiltOn = false;
    runSetup(ctx, m);
    EngineRun e(ctx, m, g, turner);
    runEngine(e);
}

} // namespace

std::string runFaultMessage(RunFault fault)
{
    const char *head = nullptr;
    switch (fault) {
    case RunFault::None: return {};
    case RunFault::Range: head = "[範囲エラー]"; break;
    case RunFault::Variant: head = "[Variant処理エラー]"; break;
    case RunFault::Convert: head = "[変換エラー]"; break;
    case RunFault::IntDivideByZero: head = "[ 整数除算エラー]"; break;
    case RunFault::RealDivideByZero: head = "[ 実数除算エラー]"; break;
    case RunFault::InvalidOperation: head = "[ 実数演算エラー]"; break;
    }
    return sjis::fromUtf8(std::string(head) + "不正なデータがあります\r\nクイレットの処理は中断されます");
}

RunResult computeOutput(const RunInput &input)
{
    RunResult result;
    // Room for the lines a heavy run writes (clouds around dozens of texts write a
    // few hundred, of some seventy bytes each, and as many again with the fill), taken
    // once: growing on the way moves everything written so far each time the room
    // doubles. Nothing of it is touched but what is written.
    constexpr std::size_t kLinesAhead = 4096, kBytesAhead = 256 * 1024;
    std::size_t bytes = 0;
    for (const std::string &line : input.output)
        bytes += line.size() + 2;
    result.output.reserve(input.output.size() + kLinesAhead, bytes + kBytesAhead);
    for (const std::string &line : input.output)
        result.output.push_back(line);
    if (input.mode == Mode::TextImport)
        return result;

    FormModel form = input.form;
    RunContext ctx{input.mode,          input.exchange, input.exchangeCopy, input.settingsList, form,
                   input.currentExchangeLine, result.output, input.fixedNow};
    try {
        drive(ctx);
    } catch (const RangeError &) {
        result.fault = RunFault::Range;
    } catch (const VariantError &) {
        result.fault = RunFault::Variant;
    } catch (const ConvertError &) {
        result.fault = RunFault::Convert;
    } catch (const IntDivideByZeroError &) {
        result.fault = RunFault::IntDivideByZero;
    } catch (const RealDivideByZeroError &) {
        result.fault = RunFault::RealDivideByZero;
    } catch (const InvalidOperationError &) {
        result.fault = RunFault::InvalidOperation;
    }
    result.message = runFaultMessage(result.fault);
    if (form.frameKind != input.form.frameKind)
        result.frameKind = form.frameKind;
    if (form.tiltOn != input.form.tiltOn)
        result.tilt = form.tiltOn;
    return result;
}

std::string leaderLengthForStorage(const RunInput &input, Lines &output)
{
    FormModel form = input.form;
    PackedLines written;
    RunContext ctx{input.mode, input.exchange, input.exchangeCopy, input.settingsList,
                   form, input.currentExchangeLine, written, input.fixedNow};
    RunMeasures m;
    const auto append = [&] {
        for (std::size_t i = 0; i < written.size(); ++i)
            output.emplace_back(written[i]);
    };
    try {
        runSetup(ctx, m);
    } catch (...) {
        append(); // what the set-up wrote before it failed stays, as it always has
        throw;
    }
    append();
    const long double length = roundTo10Places(std::hypot(ext(m.p2.x) - m.p1.x, ext(m.p2.y) - m.p1.y));
    return formatGeneral(divide(length, m.scale));
}

} // namespace quillet
