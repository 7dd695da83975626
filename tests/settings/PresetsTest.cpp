#include "base/Errors.h"
#include "settings/Presets.h"
#include "program/Session.h"
#include "settings/Settings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include "base/Sjis.h"

using namespace quillet;
using test::sj;
using test::TempDir;

namespace {

Session loadedSession(const TempDir &dir, test::RecordingHost &host)
{
    test::copyStartData(dir);
    Session s;
    s.files.startDir = dir.path();
    s.files.settingsList = test::startData("PLDATA.tx");
    s.files.basicList = test::startData("PKDATA.tx");
    s.files.settingsLoaded = true;
    settings::apply(s.settingsScope(), host);
    return s;
}

const Lines kGoldenPreset = [] {
    return readLines(test::fixture("golden/bend-oval-tilt/PSDATA1.tx"));
}();

} // namespace

TEST(Presets, SaveWritesFiftyLinesThatRecallBringsBack)
{
    TempDir dir;
    test::RecordingHost host;
    Session s = loadedSession(dir, host);
    presets::load(s.settingsScope(), host);
    FormModel &f = s.form;
    f.tip = Tip(6);
    f.frameKind = FrameKind(12);
    f.embeddedTextOn = true;
    f.fillColour.selectColor(1234567);
    f.fillOn = true;
    f.fontSwitch = 1;
    f.basic.arrowLength = 35;
    f.basic.dotRadiusMm = 2;
    f.basic.dotRadiusTenths = 5;
    f.basic.windowColour.selectItem(11);
    f.patternIndex = 4;
    const FormModel saved = f;

    f.presetSaveMode = true;
    EXPECT_EQ(presets::click(s.settingsScope(), host, 3, true), presets::ClickOutcome::Saved);
    const Lines file = readLines(dir / "PSDATA3.tx");
    ASSERT_EQ(file.size(), 50u);
    EXPECT_EQ(file[2], "12");
    EXPECT_EQ(file[12], "1234567");
    EXPECT_EQ(file[13], "0");
    EXPECT_EQ(file[19], "000");
    EXPECT_EQ(file[42], "25");
    EXPECT_EQ(file[49], "000");
    // Released in save mode: nothing happens.
    EXPECT_EQ(presets::click(s.settingsScope(), host, 3, false), presets::ClickOutcome::Nothing);

    f = FormModel();
    f.presetSaveMode = false;
    EXPECT_EQ(presets::click(s.settingsScope(), host, 3, true), presets::ClickOutcome::Recalled);
    EXPECT_EQ(f.tip, saved.tip);
    EXPECT_EQ(f.frameKind, saved.frameKind);
    EXPECT_EQ(f.fillColour, saved.fillColour);
    EXPECT_EQ(f.basic, saved.basic);
    EXPECT_EQ(f.patternIndex, 4);
    EXPECT_EQ(f.presetDown, 3);
}

TEST(Presets, RecallReadsTheLinesOfAPresetFile)
{
    TempDir dir;
    test::RecordingHost host;
    Session s = loadedSession(dir, host);
    dir.write("PSDATA1.tx", kGoldenPreset);
    presets::load(s.settingsScope(), host);
    ASSERT_TRUE(presets::recall(s.files.quickSelect, s.form, 1));
    const FormModel &f = s.form;
    EXPECT_EQ(f.tip, Tip(4));
    EXPECT_EQ(f.frameKind, FrameKind(3));
    EXPECT_EQ(f.attachPosition, 2);
    EXPECT_EQ(f.extensionLength, 10);
    EXPECT_TRUE(f.tiltOn);
    EXPECT_EQ(f.basic.arrowAngle, 3);
    EXPECT_EQ(f.basic.windowColour.color(), 56576);
    EXPECT_EQ(f.basic.dotRadiusMm, 1);
    EXPECT_EQ(f.basic.dotRadiusTenths, 1);
    EXPECT_EQ(f.basic.detectionRange, 2);
    EXPECT_FALSE(f.basic.noFrameGap);
    EXPECT_EQ(f.selectedFontName, sj("ＭＳ ゴシック"));
}

TEST(Presets, FilesOfTheWrongLengthAreEmptyPresets)
{
    TempDir dir;
    test::RecordingHost host;
    Session s = loadedSession(dir, host);
    Lines short49 = kGoldenPreset;
    short49.pop_back();
    dir.write("PSDATA5.tx", short49);
    dir.write("PSDATA6.tx", kGoldenPreset);
    presets::load(s.settingsScope(), host);
    EXPECT_TRUE(s.files.quickSelect.isEmpty(5));
    EXPECT_FALSE(s.files.quickSelect.isEmpty(6));
    const FormModel before = s.form;
    EXPECT_EQ(presets::click(s.settingsScope(), host, 5, true), presets::ClickOutcome::Empty);
    EXPECT_EQ(s.form.frameKind, before.frameKind);
    EXPECT_EQ(s.form.basic, before.basic);
}

TEST(Presets, ADamagedPresetChangesNothing)
{
    TempDir dir;
    test::RecordingHost host;
    Session s = loadedSession(dir, host);
    Lines bad = kGoldenPreset;
    bad[30] = "wide";
    dir.write("PSDATA2.tx", bad);
    presets::load(s.settingsScope(), host);
    const FormModel before = s.form;
    EXPECT_THROW(presets::recall(s.files.quickSelect, s.form, 2), ConvertError);
    EXPECT_EQ(s.form.tip, before.tip);
    EXPECT_EQ(s.form.basic, before.basic);
}

TEST(Presets, ReleasingInRecallModeReturnsToTheSettingsButKeepsThePhraseBookPlace)
{
    TempDir dir;
    test::RecordingHost host;
    Session s = loadedSession(dir, host);
    dir.write("PSDATA1.tx", kGoldenPreset);
    presets::load(s.settingsScope(), host);
    const FormModel fromSettings = s.form;
    presets::click(s.settingsScope(), host, 1, true);
    ASSERT_NE(s.form.frameKind, fromSettings.frameKind);
    s.phraseBook.setPage("7");
    s.phraseBook.setFolder("\\other");
    EXPECT_EQ(presets::click(s.settingsScope(), host, 1, false), presets::ClickOutcome::ReturnedToSettings);
    EXPECT_EQ(s.form.frameKind, fromSettings.frameKind);
    EXPECT_EQ(s.form.tip, fromSettings.tip);
    EXPECT_EQ(s.form.presetDown, 0);
    EXPECT_EQ(s.phraseBook.page(), "7");
    EXPECT_EQ(s.phraseBook.folder(), "\\other");
}

TEST(Presets, TheStartupPresetIsPressedWhenTheSettingsAskForIt)
{
    TempDir dir;
    test::RecordingHost host;
    Session s = loadedSession(dir, host);
    dir.write("PSDATA4.tx", kGoldenPreset);
    for (const char *line : {"4", "11", "0"}) {
        s.form.presetDown = 0;
        s.form.frameKind = FrameKind(0);
        s.files.settingsList[23] = line;
        presets::load(s.settingsScope(), host);
        const bool pressed = std::string(line) == "4";
        EXPECT_EQ(s.form.presetDown, pressed ? 4 : 0) << line;
        EXPECT_EQ(s.form.frameKind, FrameKind(pressed ? 3 : 0)) << line;
    }
}

struct MemoCase {
    const char *name;
    std::function<void(const TempDir &)> setup;
    std::vector<std::string> messages;
    bool checkBox6;
};

class PresetMemoFile : public ::testing::TestWithParam<MemoCase> {};

TEST_P(PresetMemoFile, IsReadCheckedOrCreatedAtFirstShow)
{
    TempDir dir;
    test::RecordingHost host;
    Session s = loadedSession(dir, host);
    GetParam().setup(dir);
    s.form.presetHoverImage = false;
    presets::load(s.settingsScope(), host);
    EXPECT_EQ(host.messages, GetParam().messages);
    EXPECT_EQ(s.form.presetHoverImage, GetParam().checkBox6);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PresetMemoFile,
    ::testing::Values(
        MemoCase{"TwelveLines", [](const TempDir &) {}, {}, true},
        MemoCase{"ElevenLinesChecksTheHoverImage",
                 [](const TempDir &d) {
                     Lines l = readLines(d / "SENTAKUMEMO.TX");
                     l[11 - 1] = "0";
                     l.pop_back();
                     d.write("SENTAKUMEMO.TX", l);
                 },
                 {}, true},
        MemoCase{"TenLines",
                 [](const TempDir &d) {
                     Lines l = readLines(d / "SENTAKUMEMO.TX");
                     l.resize(10);
                     d.write("SENTAKUMEMO.TX", l);
                 },
                 {"warning: 簡単選択メモデーター が不正です"}, false},
        MemoCase{"Missing", [](const TempDir &d) { std::filesystem::remove(d / "SENTAKUMEMO.TX"); },
                 {"notice: 簡単選択メモデーター:SENTAKUMEMO.TX を新規作成します"}, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Presets, AMissingMemoFileIsCreatedWithTheDefaultMemos)
{
    TempDir dir;
    test::RecordingHost host;
    Session s = loadedSession(dir, host);
    std::filesystem::remove(dir / "SENTAKUMEMO.TX");
    presets::load(s.settingsScope(), host);
    Lines expected(10, sj("保存右クリックで登録"));
    expected.push_back("1");
    EXPECT_EQ(readLines(dir / "SENTAKUMEMO.TX"), expected);
}

TEST(Presets, HintsAreTheMemosOnlyWhenMemosAreShown)
{
    Session s;
    s.form.presetMemos[5] = sj("雲マーク");
    s.form.memosAsHints = false;
    EXPECT_EQ(presets::buttonHint(s.form, 6), presets::buttonHint(s.form, 1));
    EXPECT_EQ(sjis::toUtf8(presets::buttonHint(s.form, 6)),
              "先端記号、文字枠、文字種、線色などの設定を保存、または保存されている設定に切替");
    s.form.memosAsHints = true;
    EXPECT_EQ(presets::buttonHint(s.form, 6), sj("雲マーク"));
}

TEST(Presets, MemoWindowPadsShortFilesWithOnesAndSavesTwelveLines)
{
    TempDir dir;
    test::RecordingHost host;
    Session s = loadedSession(dir, host);
    dir.write("SENTAKUMEMO.TX", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "0"});
    ASSERT_TRUE(presets::readMemos(s.settingsScope(), host));
    EXPECT_FALSE(s.form.memosAsHints);
    EXPECT_TRUE(s.form.presetHoverImage);
    s.form.presetMemos[0] = "A";
    presets::saveMemos(s.settingsScope(), host);
    EXPECT_EQ(readLines(dir / "SENTAKUMEMO.TX"), (Lines{"A", "b", "c", "d", "e", "f", "g", "h", "i", "j", "0", "1"}));
    std::filesystem::remove(dir / "SENTAKUMEMO.TX");
    EXPECT_FALSE(presets::readMemos(s.settingsScope(), host));
    EXPECT_EQ(host.messages.back(), "notice: 簡単選択メモデーター:SENTAKUMEMO.TX が見つかりません");
}
