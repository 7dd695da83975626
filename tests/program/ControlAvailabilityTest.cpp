// The control availability rule worked out by hand for every mode, frame kind and
// extension mode: which choices the window offers.
#include "model/FormModel.h"
#include "program/ControlAvailability.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillet;

namespace {

// What the annotation modes enable for each frame kind, as letters: t tip, a attach
// position, s slide, e extension mode (its length follows 指定).
const char *const kAnnotationRows[15] = {
    "ta",   // 枠無
    "ts",   // 下線: the slide, but no attach position
    "ta",   // 四角
    "t",    // 長丸: attaches at its round end
    "ta",   // 括弧
    "tae",  // 枠無延長
    "tse",  // 下線延長
    "tae",  // 四角延長
    "te",   // 長丸延長
    "tae",  // 括弧延長
    "",     // 吹出四角: a wedge, no tip
    "",     // 雲　等片
    "",     // 雲　異片
    "ta",   // 曲線引出１
    "ta",   // 曲線引出２
};

std::string enabledChoices(const ControlAvailability &a)
{
    std::string s;
    if (a.tip) s += 't';
    if (a.attachPosition) s += 'a';
    if (a.slide) s += 's';
    if (a.extensionMode) s += 'e';
    if (a.extensionLength) s += 'L';
    return s;
}

// The controls that only the frame modes and the text import take away.
std::string enabledTools(const ControlAvailability &a)
{
    std::string s;
    if (a.embeddedText) s += "embedded ";
    if (a.registerSettings) s += "register ";
    if (a.basicSettings) s += "basic ";
    if (a.tilt) s += "tilt ";
    if (a.presetSaveMode) s += "save ";
    if (a.clearMemo) s += "clear ";
    if (a.fontSwitch) s += "font ";
    if (a.fixedLeaderLength) s += "fixed ";
    if (a.storeLeaderLength) s += "store ";
    if (a.leaderColourMenu) s += "leaderColour ";
    if (a.dotRadiusMenus) s += "dotRadius ";
    return s;
}

const std::string kAllTools = "embedded register basic tilt save clear font fixed store leaderColour dotRadius ";

} // namespace

TEST(ControlAvailability, AnnotationModesFollowTheFrameKindAndTheExtensionMode)
{
    for (Mode mode : {Mode::Annotation, Mode::Bend}) {
        for (int kind = 0; kind < 15; ++kind) {
            for (int extensionMode : {0, 1}) {
                FormModel form;
                form.frameKind = FrameKind(kind);
                form.extensionMode = extensionMode;
                std::string expected = kAnnotationRows[kind];
                if (extensionMode == 1 && expected.find('e') != std::string::npos)
                    expected += 'L';
                const ControlAvailability a = controlAvailability(mode, form);
                EXPECT_EQ(enabledChoices(a), expected) << "mode " << int(mode) << " kind " << kind << " 指定 " << extensionMode;
                EXPECT_EQ(enabledTools(a), kAllTools);
            }
        }
    }
}

TEST(ControlAvailability, OtherModesIgnoreTheFrameKind)
{
    struct Case {
        Mode mode;
        const char *choices;
        const char *tools;
    };
    const Case cases[] = {
        {Mode::TextImport, "", ""},
        {Mode::FrameAll, "", "basic leaderColour "},
        {Mode::FrameEach, "", "basic leaderColour "},
        {Mode::TextMode, "a", "embedded register basic tilt save clear font fixed store leaderColour "},
    };
    for (const Case &c : cases) {
        for (int kind = 0; kind < 15; ++kind) {
            FormModel form;
            form.frameKind = FrameKind(kind);
            form.extensionMode = 1;
            const ControlAvailability a = controlAvailability(c.mode, form);
            EXPECT_EQ(enabledChoices(a), c.choices) << int(c.mode) << " kind " << kind;
            EXPECT_EQ(enabledTools(a), c.tools) << int(c.mode);
        }
    }
}
