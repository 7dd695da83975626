#include "base/Messages.h"

#include "base/Sjis.h"

namespace quillet::msg {

#define QUILLET_TEXT(name, utf8)                                                                                      \
    const std::string &name()                                                                                          \
    {                                                                                                                  \
        static const std::string text = sjis::fromUtf8(utf8);                                                          \
        return text;                                                                                                   \
    }

QUILLET_TEXT(exchangeMissing, "jwc_temp.txt が見つかりません")
QUILLET_TEXT(exchangeInvalid, "jwc_temp.txt が不正です")
QUILLET_TEXT(exchangeTransformed, "jwc_temp.txt が変形済みです")
QUILLET_TEXT(exchangeAbnormal, "jwc_temp.txt のデーターが異常です")
QUILLET_TEXT(settingsMissing, "PLDATA.tx が見つかりません\r\nDATA.lzhが解凍されているか確認してください")
QUILLET_TEXT(settingsInvalid, "PLDATA.tx が不正です")
QUILLET_TEXT(patternsInvalid, "PKDATA.tx が不正です\r\n再度登録してください")
QUILLET_TEXT(patternsMissing, "基本設定データ　PKDATA.tx\r\nが見つかりません\r\n再度登録してください")
QUILLET_TEXT(screenTooSmall, "ディスプレイの解像度が 640x480 では起動出来ません\r\n800x600 以上に変更してください")
QUILLET_TEXT(startupRange, "[範囲エラー]不正なデータがあります\r\nデータ数、データ位置を確認\r\nする必要があります")
QUILLET_TEXT(startupAccess, "[アクセスエラー]不正なデータがあります\r\nデータ数、データ位置を確認\r\nする必要があります")
QUILLET_TEXT(startupConvert, "[変換エラー]不正なデータがあります\r\nデータ数、データ位置を確認\r\nする必要があります")
QUILLET_TEXT(inOut, "[入出力エラー]書込みまたは読込みできません\r\nディスクを確認する必要があります")
QUILLET_TEXT(folderMissing, "前回の文字帳フォルダが見つかりません")
QUILLET_TEXT(indexInOut, "[目次入出力エラー]書込みまたは読込みできません\r\nディスクを確認する必要があります")
QUILLET_TEXT(folderOutsideStart,
             "選択したフォルダは起動フォルダの外にあります\r\n文字帳フォルダは起動フォルダの中から選んでください")
QUILLET_TEXT(memoInvalid, "簡単選択メモデーター が不正です")
QUILLET_TEXT(memoCreated, "簡単選択メモデーター:SENTAKUMEMO.TX を新規作成します")
QUILLET_TEXT(memoMissing, "簡単選択メモデーター:SENTAKUMEMO.TX が見つかりません")
QUILLET_TEXT(memoDefault, "保存右クリックで登録")
QUILLET_TEXT(presetHintDefault, "先端記号、文字枠、文字種、線色などの設定を保存、または保存されている設定に切替")
QUILLET_TEXT(savedLabel, "保存完了")
QUILLET_TEXT(notSavedLabel, "保存なし")
QUILLET_TEXT(helpMissing, "ヘルプファイル quillet.html が見つかりません\r\n起動フォルダーかプログラムのフォルダーに置いてください")
QUILLET_TEXT(helpNotOpened, "ヘルプファイル quillet.html を開けません\r\nブラウザーの設定を確認してください")

#undef QUILLET_TEXT

std::string pageInvalid(const std::string &page)
{
    return "PMDATA" + page + sjis::fromUtf8(".tx が不正です\r\n再度登録してください");
}

std::string pageCreateQuestion(const std::string &fileName)
{
    return sjis::fromUtf8("登録文字帳　") + fileName +
           sjis::fromUtf8("\r\nが見つかりません\r\nデータファイルを作成しますか？");
}

} // namespace quillet::msg
