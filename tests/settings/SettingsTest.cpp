#include "base/Errors.h"
#include "settings/Patterns.h"
#include "program/Session.h"
#include "settings/Settings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace quillet;
using test::sj;
using test::TempDir;

namespace {

Session sessionIn(const TempDir &dir)
{
    test::copyStartData(dir);
    Session s;
    s.files.startDir = dir.path();
    s.files.settingsList = test::startData("PLDATA.tx");
    s.files.basicList = test::startData("PKDATA.tx");
    s.files.settingsLoaded = true;
    return s;
}

} // namespace

struct FillCase {
    const char *line19;
    int item;
    bool fill;
};

class SettingsFillLine : public ::testing::TestWithParam<FillCase> {};

TEST_P(SettingsFillLine, SignIsTheFillSwitchAndMagnitudeTheItemPlusOne)
{
    TempDir dir;
    Session s = sessionIn(dir);
    test::RecordingHost host;
    s.files.settingsList[19] = GetParam().line19;
    settings::apply(s.settingsScope(), host);
    EXPECT_EQ(s.form.fillColour.item, GetParam().item);
    EXPECT_EQ(s.form.fillOn, GetParam().fill);
    // Registering writes the same line back.
    settings::registerSettings(s.settingsScope(), host);
    EXPECT_EQ(readLines(dir / "PLDATA.tx")[19], GetParam().line19);
}

INSTANTIATE_TEST_SUITE_P(Lines, SettingsFillLine,
                         ::testing::Values(FillCase{"-3", 2, true}, FillCase{"3", 2, false}, FillCase{"0", -1, false},
                                           FillCase{"1", 0, false}, FillCase{"-21", 20, true}));

TEST(Settings, FillLineOfTheMostNegativeNumberSelectsNoItem)
{
    TempDir dir;
    Session s = sessionIn(dir);
    test::RecordingHost host;
    s.files.settingsList[19] = "-2147483648";
    settings::apply(s.settingsScope(), host);
    EXPECT_EQ(s.form.fillColour.item, -1);
    EXPECT_TRUE(s.form.fillOn);
}

TEST(Settings, AppliesEveryLineToTheFormAndTheirStates)
{
    TempDir dir;
    Session s = sessionIn(dir);
    test::RecordingHost host;
    Lines &l = s.files.settingsList;
    l = {"5", "3", "7", "4", "12", "2", "10", "25", "1", "6", "5", "\\sub", "1", "1", "3", "-128", "", "",
         "8421376", "-1", sj("ＭＳ 明朝"), "1", "1", "11", "1", "12.5", "0", "0", "0", "0"};
    settings::apply(s.settingsScope(), host);
    const FormModel &f = s.form;
    EXPECT_EQ(f.tip, Tip(5));
    EXPECT_EQ(f.lineType, 3);
    EXPECT_EQ(f.frameKind, FrameKind(7));
    EXPECT_EQ(f.attachPosition, 4);
    EXPECT_EQ(s.phraseBook.page(), "12");
    EXPECT_EQ(f.copyMethod, 2);
    EXPECT_EQ(f.textKind, 10);
    EXPECT_EQ(f.extensionLength, 25);
    EXPECT_EQ(f.extensionMode, 1);
    EXPECT_EQ(f.slide, 6);
    EXPECT_EQ(f.patternIndex, 5);
    EXPECT_EQ(s.phraseBook.folder(), "\\sub");
    EXPECT_TRUE(f.embeddedTextOn);
    EXPECT_TRUE(f.imeOn);
    EXPECT_EQ(f.imeCaption, ImeMode::HalfKatakana);
    EXPECT_EQ(f.fontSwitch, -128);
    EXPECT_EQ(f.windowLeft, 0);
    EXPECT_EQ(l[16], "0"); // an empty position becomes "0" in the list too
    EXPECT_EQ(l[17], "0");
    // Teal is a listed colour: its item is selected and the custom entry stays.
    EXPECT_EQ(f.fillColour.custom, 0);
    EXPECT_EQ(f.fillColour.item, 0);
    EXPECT_TRUE(f.fillOn);
    EXPECT_EQ(f.selectedFontName, sj("ＭＳ 明朝"));
    EXPECT_TRUE(f.tiltOn);
    EXPECT_TRUE(f.textCentreBase);
    EXPECT_TRUE(f.continuous);
    EXPECT_TRUE(f.fixedLeaderLength);
    EXPECT_TRUE(host.messages.empty());
}

TEST(Settings, StoredIndexesOutsideTheListsSelectNothingAndSpinValuesAreClamped)
{
    TempDir dir;
    Session s = sessionIn(dir);
    test::RecordingHost host;
    s.files.settingsList[0] = "8";
    s.files.settingsList[2] = "-1";
    s.files.settingsList[7] = "150";
    settings::apply(s.settingsScope(), host);
    EXPECT_EQ(s.form.tip, Tip(-1));
    EXPECT_EQ(s.form.frameKind, FrameKind(-1));
    EXPECT_EQ(s.form.extensionLength, 99);
}

TEST(Settings, AnUnlistedCustomColourGoesIntoTheCustomEntry)
{
    TempDir dir;
    Session s = sessionIn(dir);
    test::RecordingHost host;
    s.files.settingsList[18] = "1234567";
    s.files.settingsList[19] = "1";
    settings::apply(s.settingsScope(), host);
    EXPECT_EQ(s.form.fillColour.custom, 1234567);
    EXPECT_EQ(s.form.fillColour.color(), 1234567);
}

TEST(Settings, RegisterWritesTheFormAndClearsTheFixedLengthLines)
{
    TempDir dir;
    Session s = sessionIn(dir);
    test::RecordingHost host;
    settings::apply(s.settingsScope(), host);
    s.form.frameKind = FrameKind(9);
    s.form.imeOn = true;
    s.form.imeCaption = ImeMode::FullAlphanumeric;
    s.form.selectedFontName.clear();
    s.files.settingsList[23] = "4";
    settings::storeLeaderLength(s.files, "12.5");
    settings::registerSettings(s.settingsScope(), host);
    const Lines pl = readLines(dir / "PLDATA.tx");
    ASSERT_EQ(pl.size(), 30u);
    EXPECT_EQ(pl[2], "9");
    EXPECT_EQ(pl[14], "4");
    EXPECT_EQ(pl[20], sj("ＭＳ ゴシック"));
    EXPECT_EQ(pl[23], "4"); // left as it is
    for (int i = 24; i < 30; ++i)
        EXPECT_EQ(pl[std::size_t(i)], "0") << i;
}

struct CloseCase {
    bool continuous;
    int presetDown;
    const char *line23;
};

class SettingsCloseTime : public ::testing::TestWithParam<CloseCase> {};

TEST_P(SettingsCloseTime, WritesTheStartupPresetLine)
{
    TempDir dir;
    Session s = sessionIn(dir);
    test::RecordingHost host;
    s.form.continuous = GetParam().continuous;
    s.form.presetDown = GetParam().presetDown;
    settings::writeCloseTime(s.settingsScope(), host);
    EXPECT_EQ(readLines(dir / "PLDATA.tx")[23], GetParam().line23);
}

INSTANTIATE_TEST_SUITE_P(States, SettingsCloseTime,
                         ::testing::Values(CloseCase{false, 3, "0"}, CloseCase{true, 0, "11"}, CloseCase{true, 7, "7"},
                                           CloseCase{true, 10, "10"}));

TEST(Settings, AFailedSaveWarnsAndKeepsTheNewValuesInMemory)
{
    TempDir dir;
    Session s = sessionIn(dir);
    s.files.startDir = dir / "missing-folder";
    test::RecordingHost host;
    s.form.windowLeft = 77;
    settings::writeCloseTime(s.settingsScope(), host);
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"warning: [入出力エラー]書込みまたは読込みできません\r\nディスクを確認する必要があります"});
    EXPECT_EQ(s.files.settingsList[16], "77");
}

struct RadiusCase {
    const char *line;
    int whole, tenths;
};

class PatternRadius : public ::testing::TestWithParam<RadiusCase> {};

TEST_P(PatternRadius, FirstDigitIsWholeMillimetresLastIsTenths)
{
    TempDir dir;
    Session s = sessionIn(dir);
    s.form.patternIndex = 2;
    s.files.basicList[40 + 16] = GetParam().line;
    patterns::apply(s.settingsScope(), false);
    EXPECT_EQ(s.form.basic.dotRadiusMm, GetParam().whole);
    EXPECT_EQ(s.form.basic.dotRadiusTenths, GetParam().tenths);
}

INSTANTIATE_TEST_SUITE_P(Lines, PatternRadius,
                         ::testing::Values(RadiusCase{"37", 3, 7}, RadiusCase{"0", 0, 0}, RadiusCase{"5", 5, 5},
                                           RadiusCase{"10", 1, 0}));

TEST(Patterns, ACustomColourOfZeroSelectsItem17WhateverTheIndexLineSays)
{
    TempDir dir;
    Session s = sessionIn(dir);
    s.files.basicList[14] = "0";
    s.files.basicList[15] = "4";
    patterns::apply(s.settingsScope(), false);
    EXPECT_EQ(s.form.basic.windowColour.item, 17);
    s.files.basicList[14] = "56576";
    patterns::apply(s.settingsScope(), false);
    EXPECT_EQ(s.form.basic.windowColour.item, 4);
    EXPECT_EQ(s.form.basic.windowColour.custom, 56576);
}

TEST(Patterns, ApplyReadsTheSelectedPatternAndOptionallyTheNames)
{
    TempDir dir;
    Session s = sessionIn(dir);
    s.files.basicList[60 + 0] = "33";
    s.files.basicList[60 + 13] = "9";
    s.files.basicList[60 + 18] = "0";
    s.files.basicList[123] = sj("新しい名前");
    s.form.patternIndex = 3;
    patterns::apply(s.settingsScope(), false);
    EXPECT_EQ(s.form.basic.arrowLength, 33);
    EXPECT_EQ(s.form.basic.arrowAngle, 9);
    EXPECT_FALSE(s.form.basic.noFrameGap);
    EXPECT_NE(s.form.patternNames[3], sj("新しい名前"));
    patterns::apply(s.settingsScope(), true);
    EXPECT_EQ(s.form.patternNames[3], sj("新しい名前"));
    s.files.basicList[60 + 2] = "x";
    EXPECT_THROW(patterns::apply(s.settingsScope(), false), ConvertError);
}

TEST(Patterns, RegisterStoresThePatternTheNewNameAndTheCloseTimeSettings)
{
    TempDir dir;
    Session s = sessionIn(dir);
    test::RecordingHost host;
    s.form.patternIndex = 1;
    s.form.basic.dotRadiusMm = 3;
    s.form.basic.dotRadiusTenths = 7;
    s.form.basic.noFrameGap = false;
    s.form.newPatternName = sj("矢印大");
    s.form.windowTop = 55;
    patterns::registerPattern(s.settingsScope(), host);
    const Lines pk = readLines(dir / "PKDATA.tx");
    ASSERT_EQ(pk.size(), 126u);
    EXPECT_EQ(pk[20 + 16], "37");
    EXPECT_EQ(pk[20 + 18], "0");
    EXPECT_EQ(pk[20 + 19], "0");
    EXPECT_EQ(pk[121], sj("矢印大"));
    EXPECT_EQ(s.form.patternNames[1], sj("矢印大"));
    EXPECT_TRUE(s.form.newPatternName.empty());
    EXPECT_EQ(readLines(dir / "PLDATA.tx")[17], "55");
    // With Edit7 empty the old name stays.
    patterns::registerPattern(s.settingsScope(), host);
    EXPECT_EQ(readLines(dir / "PKDATA.tx")[121], sj("矢印大"));
}
