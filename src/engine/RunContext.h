#pragma once
#include "base/TextFile.h"
#include "exchange/ExchangeData.h"
#include "model/Mode.h"
#include "model/FormModel.h"

#include <ctime>
#include <optional>
#include <string>
#include <utility>

namespace quillet {

/// What one output run reads and changes: the program-lifetime lists it only reads,
/// the form's choices (which the run may change, as the window would show), the
/// exchange-copy line being framed and the Output list it appends to.
struct RunContext {
    Mode mode;
    const ExchangeData &exchange;
    const Lines &exchangeCopy;
    const Lines &settingsList;
    FormModel &form;
    std::string currentExchangeLine;
    PackedLines &output;
    /// Local date and time the date codes print; unset = read the clock.
    std::optional<std::tm> fixedNow;

    // Most runs read the clock, so the fixed time may be left out.
    RunContext(Mode mode, const ExchangeData &exchange, const Lines &exchangeCopy, const Lines &settingsList,
               FormModel &form, std::string currentExchangeLine, PackedLines &output,
               std::optional<std::tm> fixedNow = std::nullopt)
        : mode(mode), exchange(exchange), exchangeCopy(exchangeCopy), settingsList(settingsList), form(form),
          currentExchangeLine(std::move(currentExchangeLine)), output(output), fixedNow(fixedNow)
    {
    }
};

} // namespace quillet
