#pragma once

namespace quillet {

/// The frame around the annotation text (文字枠), in the order of its chooser; the
/// value is the index the settings files store. -1 (no selection) can come from a
/// damaged file and draws like no known kind.
enum class FrameKind : int {
    None = 0,              ///< 枠無
    Underline = 1,         ///< 下線
    Rectangle = 2,         ///< 四角
    Oval = 3,              ///< 長丸
    Bracket = 4,           ///< 括弧
    NoneExtended = 5,      ///< 枠無延長: the extension line alone
    UnderlineExtended = 6, ///< 下線延長
    RectangleExtended = 7, ///< 四角延長
    OvalExtended = 8,      ///< 長丸延長
    BracketExtended = 9,   ///< 括弧延長
    Balloon = 10,          ///< 吹出四角
    CloudEven = 11,        ///< 雲　等片
    CloudUneven = 12,      ///< 雲　異片
    CurvedLeader1 = 13,    ///< 曲線引出１
    CurvedLeader2 = 14,    ///< 曲線引出２
};

/// Kinds 5..9: a frame of kinds 0..4 with an extension line towards point 3.
constexpr bool hasExtensionLine(FrameKind k) { return k >= FrameKind::NoneExtended && k <= FrameKind::BracketExtended; }
constexpr bool isUnderline(FrameKind k) { return k == FrameKind::Underline || k == FrameKind::UnderlineExtended; }
constexpr bool isOval(FrameKind k) { return k == FrameKind::Oval || k == FrameKind::OvalExtended; }
/// Kinds 10..12: the balloon and the clouds, whose leader is a wedge without a tip symbol.
constexpr bool isBalloonOrCloud(FrameKind k) { return k >= FrameKind::Balloon && k <= FrameKind::CloudUneven; }
constexpr bool isCloud(FrameKind k) { return k == FrameKind::CloudEven || k == FrameKind::CloudUneven; }
/// Kinds 13 and 14: the leader is a chain of arcs.
constexpr bool isCurvedLeader(FrameKind k) { return k == FrameKind::CurvedLeader1 || k == FrameKind::CurvedLeader2; }
/// Kinds 10 and up: the frame is drawn around the text block's own rectangle.
constexpr bool isBalloonCloudOrCurve(FrameKind k) { return k >= FrameKind::Balloon; }

/// The tip symbol at point 1 (先端記号), in the order of its chooser.
enum class Tip : int {
    NoLeader = 0,    ///< 引出なし: neither symbol nor leader
    NoSymbol = 1,    ///< 記号なし: the leader alone
    SolidDot = 2,    ///< 実点
    HollowDot = 3,   ///< 空点
    Arrow1 = 4,      ///< 矢印１: one wing
    Arrow2 = 5,      ///< 矢印２: two wings
    Arrow3 = 6,      ///< 矢印３: hollow triangle
    Arrow4 = 7,      ///< 矢印４: hollow and solid triangle
};

constexpr bool isDot(Tip t) { return t == Tip::SolidDot || t == Tip::HollowDot; }

} // namespace quillet
