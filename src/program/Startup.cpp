#include "program/Startup.h"

#include "base/Errors.h"
#include "base/Messages.h"
#include "base/PhaseClock.h"
#include "settings/Patterns.h"
#include "settings/Presets.h"
#include "settings/Settings.h"
#include "model/MemoCapacity.h"

namespace quillet {

namespace {

constexpr WindowSizeRow kWindowSizes[] = {
    {600, '0', 824, {225, 11, 265}, {101, 11, 244}, {15, 11, 244}},
    {600, '1', 920, {251, 13, 309}, {113, 12, 264}, {16, 12, 264}},
    {768, '1', 1190, {326, 17, 397}, {149, 17, 364}, {22, 17, 364}},
    {864, '0', 1152, {315, 16, 375}, {143, 16, 344}, {21, 16, 344}},
    {864, '1', 1300, {356, 18, 419}, {162, 18, 384}, {25, 18, 384}},
    {865, '0', 1280, {351, 18, 419}, {160, 18, 384}, {23, 18, 384}},
    {865, '1', 1420, {389, 20, 465}, {178, 20, 424}, {28, 20, 424}},
};

const char *const kExchangeFile = "jwc_temp.txt";

// Steps 3 to 8: the exchange file as the mode needs it. Returns false when a
// failure was reported (which disables "入力完了").
bool readExchangeForMode(Session &s, Host &host)
{
    const auto path = s.file(kExchangeFile);
    const bool exists = fileExists(path);
    switch (s.mode) {
    case Mode::TextImport:
    case Mode::FrameAll:
    case Mode::FrameEach: {
        if (!exists) {
            host.notice(msg::exchangeMissing());
            return false;
        }
        s.exchangeList = readLines(path);
        if (s.mode != Mode::TextImport)
            s.exchangeCopy.insert(s.exchangeCopy.end(), s.exchangeList.begin(), s.exchangeList.end());
        if (s.exchangeList.size() < 15) {
            host.warning(msg::exchangeInvalid());
            return false;
        }
        s.form.memoLines = applyMemoCapacity(importTexts(s.exchangeList));
        if (s.mode == Mode::TextImport) {
            // Emptied at once, so that Jw_cad adds nothing whatever the user does later.
            writeLines(path, {});
            return true;
        }
        // A file the frame modes cannot use shows nothing; the exchange data stay empty.
        s.verdict = readExchange(s.exchangeList, s.mode, s.exchange);
        return true;
    }
    default:
        break;
    }
    if (!exists) {
        host.notice(msg::exchangeMissing());
        return false;
    }
    s.exchangeList = readLines(path);
    s.verdict = readExchange(s.exchangeList, s.mode, s.exchange);
    if (s.verdict == ExchangeVerdict::AlreadyTransformed) {
        host.notice(msg::exchangeTransformed());
        return false;
    }
    if (s.verdict == ExchangeVerdict::Abnormal) {
        host.notice(msg::exchangeAbnormal());
        return false;
    }
    return true;
}

// Step 9. Returns false when the program must end.
bool loadSettings(Session &s, Host &host, bool &failed)
{
    const auto path = s.file("PLDATA.tx");
    if (!fileExists(path)) {
        host.notice(msg::settingsMissing());
        return false;
    }
    s.files.settingsList = readLines(path);
    if (s.files.settingsList.size() <= 24) {
        host.warning(msg::settingsInvalid());
        failed = true;
        return true;
    }
    settings::apply(s.settingsScope(), host);
    s.files.settingsLoaded = true;
    return true;
}

// Step 10.
void loadPatterns(Session &s, Host &host, bool &failed)
{
    s.files.basicList.assign(std::size_t(patterns::kLines), "0");
    const auto path = s.file("PKDATA.tx");
    if (!fileExists(path)) {
        host.notice(msg::patternsMissing());
        s.form.patternNames = FormModel().patternNames;
        s.files.patternsLoaded = true;
        failed = true;
        return;
    }
    s.files.basicList = readLines(path);
    if (s.files.basicList.size() != std::size_t(patterns::kLines)) {
        host.warning(msg::patternsInvalid());
        failed = true;
        return;
    }
    patterns::apply(s.settingsScope(), true);
    s.files.patternsLoaded = true;
}

// Step 15.
void openPhraseBook(Session &s, Host &host)
{
    PhraseBook &book = s.phraseBook;
    book.setStartDir(s.files.startDir);
    book.loadPageIndex(host);
    book.pageNumber(); // the selected row of the page index must exist
    book.openFolder(host);
    s.phraseBookOpened = true;
}

} // namespace

const WindowSizeRow *windowSizeFor(int screenHeight, const std::string &variantLine)
{
    const char variant = variantLine.empty() ? '0' : variantLine == "1" ? '1' : variantLine == "0" ? '0' : 'x';
    const int height = screenHeight > 864 ? 865 : screenHeight;
    for (const WindowSizeRow &row : kWindowSizes) {
        if (row.screenHeight == height && row.variant == variant)
            return &row;
    }
    return nullptr;
}

const WindowSizeRow *windowSizeRow(int index)
{
    const int count = int(sizeof kWindowSizes / sizeof kWindowSizes[0]);
    return index >= 0 && index < count ? &kWindowSizes[index] : nullptr;
}

StartupResult runStartup(Session &s, Host &host, const std::string &argument, const std::filesystem::path &startDir)
{
    s.files.settingsList.assign(30, std::string());
    s.exchangeList.assign(30, std::string());
    s.phraseBook.pageIndex().assign(std::size_t(PhraseBook::kPages), std::string());
    s.files.startDir = startDir;
    s.phraseBook.setStartDir(startDir);
    s.mode = modeFromArgument(argument);
    // A run that was ended in the middle of a write left its temporary behind.
    removeStaleTemporaries(startDir);
    phases::mark("stale temporaries");

    try {
        bool failed = !readExchangeForMode(s, host);
        phases::mark("exchange read");
        const bool settingsRead = loadSettings(s, host, failed);
        phases::mark("settings");
        if (!settingsRead)
            return StartupResult::Ended;
        loadPatterns(s, host, failed);
        phases::mark("patterns");
        if (failed)
            s.outputEnabled = false;

        if (host.screenHeight() < 600) {
            host.warning(msg::screenTooSmall());
            return StartupResult::Ended;
        }
        const WindowSizeRow *row = windowSizeFor(host.screenHeight(), settings::displayVariant(s.files));
        s.windowScale = row ? row->n : 1024;
        s.windowSizeRow = row ? int(row - kWindowSizes) : -1;

        openPhraseBook(s, host);
        phases::mark("phrase book");
        if (s.mode == Mode::FrameAll)
            s.form.tiltOn = false;
        s.exceptionHandlerInstalled = true;
    } catch (const RangeError &) {
        host.warning(msg::startupRange());
        s.outputEnabled = false;
    } catch (const AccessError &) {
        host.warning(msg::startupAccess());
        s.outputEnabled = false;
    } catch (const ConvertError &) {
        host.warning(msg::startupConvert());
        s.outputEnabled = false;
    } catch (const InOutError &) {
        host.warning(msg::inOut());
        s.outputEnabled = false;
    }
    return StartupResult::Running;
}

void runFirstShow(Session &session, Host &host)
{
    presets::load(session.settingsScope(), host);
    phases::mark("presets");
}

StartupResult runBatchStart(Session &session, Host &host, const std::string &argument,
                            const std::filesystem::path &startDir, int preset, bool &presetEmpty)
{
    presetEmpty = false;
    if (runStartup(session, host, argument, startDir) == StartupResult::Ended)
        return StartupResult::Ended;
    runFirstShow(session, host);
    if (preset > 0)
        presetEmpty = presets::click(session.settingsScope(), host, preset, true) == presets::ClickOutcome::Empty;
    return StartupResult::Running;
}

void closeWindow(Session &session, Host &host)
{
    settings::writeCloseTime(session.settingsScope(), host);
    // Without a loaded phrase book the lists are placeholders: writing them would
    // erase the user's page index and page.
    if (session.phraseBookOpened)
        session.phraseBook.exitWriteBack(host);
}

} // namespace quillet
