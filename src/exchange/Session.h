#pragma once
#include "base/TextFile.h"
#include "exchange/ExchangeData.h"
#include "exchange/Mode.h"
#include "phrasebook/PhraseBook.h"
#include "settings/FormModel.h"
#include "settings/QuickSelect.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace quillet {

/// Everything that lives from program start to program end: the invocation mode,
/// the start directory, the in-memory lists of every file and the form's choices.
struct Session {
    Mode mode = Mode::Annotation;
    std::filesystem::path startDir;

    FormModel form;

    Lines settingsList;      ///< PLDATA.tx
    Lines basicList;         ///< PKDATA.tx
    Lines exchangeList;      ///< jwc_temp.txt as loaded
    Lines exchangeCopy;      ///< T2/T3: the whole exchange file
    ExchangeData exchange;
    ExchangeVerdict verdict = ExchangeVerdict::NotRead;
    PhraseBook phraseBook;
    QuickSelectList quickSelect;
    Lines output;            ///< the command lines that become jwc_temp.txt
    std::string currentExchangeLine; ///< T3: the exchange-copy line being framed

    bool outputEnabled = true;  ///< "入力完了" (BitBtn2) enabled
    bool settingsLoaded = false;  ///< PLDATA.tx passed its check and was applied
    bool patternsLoaded = false;  ///< PKDATA.tx passed its check, or is to be created
    bool phraseBookOpened = false; ///< start-up reached the phrase book
    bool exceptionHandlerInstalled = false;
    int windowScale = 1024;       ///< n of the window-size table (1024 = designed size)
    int windowSizeRow = -1;       ///< row of the window-size table, -1 = designed size

    /// Local date and time fixed for the run (batch --now); unset = the clock.
    std::optional<std::tm> fixedNow;

    std::filesystem::path file(const std::string &name) const { return startDir / name; }
};

} // namespace quillet
