#pragma once
#include "base/TextFile.h"
#include "exchange/ExchangeData.h"
#include "model/Mode.h"
#include "phrasebook/PhraseBook.h"
#include "model/FormModel.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsScope.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace quillet {

/// Everything that lives from program start to program end: the invocation mode,
/// the start directory, the in-memory lists of every file and the form's choices.
struct Session {
    Mode mode = Mode::Annotation;
    SettingsFiles files;     ///< the start directory and its settings files in memory

    FormModel form;

    Lines exchangeList;      ///< jwc_temp.txt as loaded
    Lines exchangeCopy;      ///< T2/T3: the whole exchange file
    ExchangeData exchange;
    ExchangeVerdict verdict = ExchangeVerdict::NotRead;
    PhraseBook phraseBook;
    Lines output;            ///< the command lines that become jwc_temp.txt
    std::string currentExchangeLine; ///< T3: the exchange-copy line being framed

    bool outputEnabled = true;  ///< "入力完了" (BitBtn2) enabled
    bool phraseBookOpened = false; ///< start-up reached the phrase book
    bool exceptionHandlerInstalled = false;
    int windowScale = 1024;       ///< n of the window-size table (1024 = designed size)
    int windowSizeRow = -1;       ///< row of the window-size table, -1 = designed size

    /// Local date and time fixed for the run (batch --now); unset = the clock.
    std::optional<std::tm> fixedNow;

    std::filesystem::path file(const std::string &name) const { return files.file(name); }

    /// The part of the session that the settings, patterns and presets work on.
    SettingsScope settingsScope() { return {files, form, phraseBook.place()}; }
};

} // namespace quillet
