#pragma once
#include "model/Choices.h"
#include "model/ColorChoice.h"

#include <array>
#include <string>
#include <vector>

namespace quillet {

/// Item counts and spin ranges of the controls, as the window is designed. A stored
/// index outside its list leaves the list with no selection (-1); a stored spin value
/// outside its range is pulled to the nearest end, as the controls themselves do.
namespace limits {
constexpr int kTipSymbols = 8;      // ComboBoxEx1
constexpr int kLineTypes = 8;       // ComboBox2
constexpr int kFrameKinds = 15;     // ComboBoxEx2
constexpr int kAttachPositions = 5; // ComboBoxEx3
constexpr int kCopyMethods = 4;     // ComboBox8
constexpr int kTextKinds = 11;      // ComboBox6
constexpr int kExtensionModes = 2;  // ComboBox5
constexpr int kSlides = 7;          // ComboBoxEx4
constexpr int kPatterns = 6;        // ListBox1
constexpr int kColourIndexes = 9;   // ComboBox10..14
constexpr int kGroupsLayers = 17;   // ComboBox15..17
constexpr int kArrowAngles = 10;    // ComboBox9
constexpr int kRadiusDigits = 10;   // ComboBox1, ComboBox3
constexpr int kDetectionRanges = 4; // RadioGroup1
struct Range {
    int min, max;
};
constexpr Range kExtensionLength{0, 99}; // SpinEdit1
constexpr Range kArrowLength{1, 60};     // SpinEdit5
constexpr Range kTenths{-9, 99};         // SpinEdit3, SpinEdit4, SpinEdit6
constexpr Range kFillGap{0, 10};         // SpinEdit2
constexpr int kPatternNameChars = 24;    // Edit7

/// A stored item index as a list of `count` items takes it.
constexpr int item(int index, int count) { return index >= 0 && index < count ? index : -1; }
/// A stored spin value as a spin edit of `range` takes it.
constexpr int spin(int value, Range range) { return value < range.min ? range.min : value > range.max ? range.max : value; }
} // namespace limits

/// The finer drawing values of the basic-settings panel, as one pattern stores them.
/// Values are what the files store (item indexes, spin values, toggles).
struct BasicSettings {
    int arrowLength = 20;  ///< arrow and triangle length, 0.1 mm at 1/1 (1..60)
    int leaderColour = 0;  ///< leader colour: 0 host colour, 1..8 pen colour
    int lineGap = 0;   ///< line gap, 0.1 mm (-9..99)
    int arrowColour = 0;  ///< arrow colour: 0 leader colour, 1..8
    int extensionColour = 0;  ///< extension-line colour
    int fillGap = 0;   ///< gap between fill and frame (0..10)
    int verticalGap = 0;   ///< vertical frame-to-text gap, 0.1 mm (-9..99)
    int horizontalGap = 0;   ///< horizontal frame-to-text gap, 0.1 mm (-9..99)
    int dotColour = 0;  ///< dot colour
    int frameColour = 0;  ///< frame colour
    int writeGroup = 0;  ///< write group: 0 host's, n group n-1
    int lineLayer = 0;  ///< line and dot layer: 0 host's, n layer n-1
    int textLayer = 0;  ///< text layer
    int arrowAngle = -1;  ///< arrow angle index (8,10,12,15,20,25,30,35,40,45); -1 none
    ColorChoice windowColour{56576, 0}; ///< window colour
    int dotRadiusMm = 1;   ///< dot radius, whole millimetres (0..9)
    int dotRadiusTenths = 1;   ///< dot radius, tenths (0..9)
    int detectionRange = 2; ///< phrase-book detection range: 無し, 狭い, 標準, 広い
    bool noFrameGap = true; ///< no space between frame and text

    bool operator==(const BasicSettings &o) const;
    bool operator!=(const BasicSettings &o) const { return !(*this == o); }
};

/// The dot radius as the files store it: the whole-millimetre index followed by the
/// tenths index ("37"); the first character gives the millimetres, the last the tenths.
void applyDotRadius(BasicSettings &basic, const std::string &digits);

/// The input-method captions of `SpeedButton1`, in the order of settings line 14.
enum class ImeMode { Hiragana = 1, FullKatakana = 2, HalfKatakana = 3, FullAlphanumeric = 4 };

/// Every choice the main window offers, as a plain value. Settings, patterns and
/// presets read and write it; the engine reads it; the window binds its widgets to it.
struct FormModel {
    // The annotation
    std::vector<std::string> memoLines; ///< annotation lines, Shift-JIS

    // Drawing choices of the main window
    Tip tip = Tip::NoLeader;
    int lineType = 0;   ///< line type 0..7
    FrameKind frameKind = FrameKind::None;
    int attachPosition = 0; ///< attach position 0..4
    int copyMethod = 0;   ///< phrase-book copy method 0..3
    int textKind = 0;   ///< text kind: 0 host's kind, 1..10
    int extensionLength = 0;   ///< extension length, paper mm (0..99)
    int extensionMode = 0;   ///< extension mode: 0 任意, 1 指定
    int slide = 0; ///< underline slide 0..6
    bool embeddedTextOn = false;  ///< embedded text on
    bool imeOn = false;  ///< input method button down
    ImeMode imeCaption = ImeMode::Hiragana; ///< caption (and glyph) of SpeedButton1
    int fontSwitch = 0;         ///< font-switch flag (-128..127); not 0 = selected font
    std::string selectedFontName; ///< font held for the annotation ("" = none held)
    ColorChoice fillColour;      ///< fill colour
    bool fillOn = false; ///< fill on
    bool tiltOn = false; ///< annotation tilt on
    bool textCentreBase = false;     ///< text-centre base point (text mode)
    int windowLeft = 0;
    int windowTop = 0;

    // Basic settings
    BasicSettings basic;
    int patternIndex = 0; ///< selected basic-settings pattern 0..5
    std::array<std::string, 6> patternNames;
    std::string newPatternName; ///< new name for the pattern being registered

    // Quick-select corner
    int presetDown = 0;          ///< preset button that is down, 1..10; 0 none
    bool presetSaveMode = false;  ///< save mode
    bool continuous = false;      ///< 連続: start the next run with the down preset
    bool fixedLeaderLength = false;      ///< fixed leader length
    std::array<std::string, 10> presetMemos; ///< rows of StringGrid1
    bool memosAsHints = false;      ///< show memos as hints
    bool presetHoverImage = true;       ///< hover image of a preset

    FormModel();

    /// The font name the annotation is written with: the held name, or the default when none.
    std::string heldFontNameOrDefault() const;
};

/// "ＭＳ ゴシック" in Shift-JIS, the program's default font name.
const std::string &defaultFontName();

} // namespace quillet
