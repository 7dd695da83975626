#pragma once
#include "engine/EngineRun.h"

namespace quillet {

// One unit per frame kind; the engine calls them in its fixed order (Engine.cpp).

/// 枠無 (0): no outline; point 2 and the far corner move to the attach point.
void writeNoFrame(EngineRun &e);
/// The attach shift of the frames without an outline at point 2's side.
void applyAttachShift(EngineRun &e);
/// 枠無延長 (5): the extension line alone.
void writeExtensionOnly(EngineRun &e);
/// 下線 (1) and 下線延長 (6).
void writeUnderline(EngineRun &e);
/// 四角 (2) and 四角延長 (7).
void writeRectangle(EngineRun &e);
/// 長丸 (3) and 長丸延長 (8).
void writeOval(EngineRun &e);
/// 括弧 (4) and 括弧延長 (9).
void writeBracket(EngineRun &e);
/// 雲　等片 (11) and 雲　異片 (12): the cloud outline.
void writeCloud(EngineRun &e);
/// 吹出四角 (10) outline, and the wedge leader of kinds 10 to 12.
void writeBalloonAndWedge(EngineRun &e);
/// 曲線引出１ (13) and 曲線引出２ (14): the leader as a chain of arcs.
void writeCurvedLeader(EngineRun &e);
/// 枠内着色: the fill inside the frame.
void writeFill(EngineRun &e);
/// Frame modes: the text block taken from the existing text records. False when
/// the exchange line gives no text to frame and the pass ends here.
bool frameExistingText(EngineRun &e);

} // namespace quillet
