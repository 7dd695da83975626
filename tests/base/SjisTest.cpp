#include "base/Sjis.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace quillet;
using quillet::test::sj;

TEST(Sjis, LeadBytesAreTheTwoCp932Ranges)
{
    for (int c : {0x81, 0x9F, 0xE0, 0xFC})
        EXPECT_TRUE(sjis::isLeadByte(static_cast<unsigned char>(c))) << c;
    for (int c : {0x00, 0x41, 0x80, 0xA0, 0xB1, 0xDF, 0xFD})
        EXPECT_FALSE(sjis::isLeadByte(static_cast<unsigned char>(c))) << c;
}

struct CutCase {
    const char *utf8;
    std::size_t bytes;
    const char *expected;
};

class CutToBytes : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutToBytes, DropsADoubleByteCharacterTheCutWouldSplit)
{
    EXPECT_EQ(sjis::cutToBytes(sj(GetParam().utf8), GetParam().bytes), sj(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cuts, CutToBytes,
                         ::testing::Values(CutCase{"abc", 5, "abc"}, CutCase{"abcdef", 3, "abc"},
                                           CutCase{"あいう", 4, "あい"}, CutCase{"あいう", 5, "あい"},
                                           CutCase{"aあい", 4, "aあ"}, CutCase{"ｱｲｳｴ", 3, "ｱｲｳ"},
                                           CutCase{"", 3, ""}, CutCase{"あ", 1, ""}));

TEST(Sjis, CountsAndSlicesByCharacters)
{
    const std::string s = sj("cn\"$<ＭＳ ゴシック>");
    EXPECT_EQ(sjis::charCount(s), 13u);
    EXPECT_EQ(sjis::charSubstr(s, 5, 30), sj("ＭＳ ゴシック>"));
    EXPECT_EQ(sjis::charSubstr(s, 5, 2), sj("ＭＳ"));
    EXPECT_EQ(sjis::charSubstr(s, 40, 2), "");
}

TEST(Sjis, ConvertsBothWaysAndSurvivesInvalidBytes)
{
    EXPECT_EQ(sjis::toUtf8(sj("注釈 ﾌｫﾝﾄ切替 ①")), "注釈 ﾌｫﾝﾄ切替 ①");
    EXPECT_EQ(sjis::toUtf8(std::string("a\x82")), "a\xEF\xBF\xBD");
    EXPECT_EQ(sjis::toUtf8(std::string("a\xFD") + "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(sjis::fromUtf8("a😀b"), "a?b");
}

// Both directions give the same bytes on Linux (iconv) and Windows (the code page API),
// including the bytes and characters where the two tables differ.
struct ConversionCase {
    const char *cp932;
    const char *utf8;
};

class SjisAcrossPlatforms : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(SjisAcrossPlatforms, ToUtf8) { EXPECT_EQ(sjis::toUtf8(GetParam().cp932), GetParam().utf8); }

INSTANTIATE_TEST_SUITE_P(Bytes, SjisAcrossPlatforms,
                         ::testing::Values(ConversionCase{"\x80", "\xEF\xBF\xBD"}, ConversionCase{"\xA0", "\xEF\xBF\xBD"},
                                           ConversionCase{"\xFD\xFE\xFF", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
                                           ConversionCase{"\x85\x40", "\xEF\xBF\xBD@"},  // unassigned pair
                                           ConversionCase{"\x82 x", "\xEF\xBF\xBD x"},  // lead byte, no trail
                                           ConversionCase{"\x5C\x7E", "\\~"},
                                           ConversionCase{"\x81\x60\x87\x40\xF0\x40", "～①\xEE\x80\x80"}));

class SjisFromUtf8 : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(SjisFromUtf8, FromUtf8) { EXPECT_EQ(sjis::fromUtf8(GetParam().utf8), GetParam().cp932); }

INSTANTIATE_TEST_SUITE_P(Characters, SjisFromUtf8,
                         ::testing::Values(ConversionCase{"\x5C", "¥"}, ConversionCase{"\x81\x7C", "−"},
                                           ConversionCase{"\x81\x60", "〜"}, ConversionCase{"\x81\x5C", "—"},
                                           ConversionCase{"?", "é"}, ConversionCase{"?x", "𠮷x"}));
