#pragma once
#include <string>

/// The fixed Japanese texts the program shows, in Shift-JIS. "\r\n" is a line break.
namespace quillet::msg {

// Start-up
const std::string &exchangeMissing();     ///< jwc_temp.txt が見つかりません
const std::string &exchangeInvalid();     ///< jwc_temp.txt が不正です
const std::string &exchangeTransformed(); ///< jwc_temp.txt が変形済みです
const std::string &exchangeAbnormal();    ///< jwc_temp.txt のデーターが異常です
const std::string &settingsMissing();
const std::string &settingsInvalid();
const std::string &patternsInvalid();
const std::string &patternsMissing();
const std::string &screenTooSmall();
// The start-up sequence's own handler
const std::string &startupRange();
const std::string &startupAccess();
const std::string &startupConvert();
const std::string &inOut();               ///< [入出力エラー]書込みまたは読込みできません…
// Phrase book
const std::string &folderMissing();
const std::string &indexInOut();
const std::string &folderOutsideStart();
std::string pageInvalid(const std::string &page);
std::string pageCreateQuestion(const std::string &fileName);
// Quick select
const std::string &memoInvalid();
const std::string &memoCreated();
const std::string &memoMissing();
const std::string &memoDefault();        ///< 保存右クリックで登録
const std::string &presetHintDefault();
const std::string &savedLabel();         ///< 保存完了
const std::string &notSavedLabel();      ///< 保存なし
// Help
const std::string &helpMissing();
const std::string &helpNotOpened();

} // namespace quillet::msg
