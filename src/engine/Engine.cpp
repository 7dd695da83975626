#include "engine/Engine.h"

#include "engine/Frames.h"
#include "engine/GeometrySetup.h"
#include "engine/Leader.h"
#include "engine/TextPlacement.h"
#include "engine/TextWriter.h"

namespace quillet {

namespace {

// Frames that are written before the tip symbol, by kind.
void writeFrame(EngineRun &e)
{
    switch (e.frameKind()) {
    case FrameKind::None: writeNoFrame(e); break;
    case FrameKind::Underline:
    case FrameKind::UnderlineExtended: writeUnderline(e); break;
    case FrameKind::Rectangle:
    case FrameKind::RectangleExtended: writeRectangle(e); break;
    case FrameKind::NoneExtended: writeExtensionOnly(e); break;
    case FrameKind::Oval:
    case FrameKind::OvalExtended: writeOval(e); break;
    case FrameKind::Bracket:
    case FrameKind::BracketExtended: writeBracket(e); break;
    case FrameKind::Balloon: writeBalloonAndWedge(e); break;
    case FrameKind::CloudEven:
    case FrameKind::CloudUneven:
        writeCloud(e);
        writeBalloonAndWedge(e);
        break;
    case FrameKind::CurvedLeader1:
    case FrameKind::CurvedLeader2: break; // the leader itself is the frame
    }
}

} // namespace

void runEngine(EngineRun &e)
{
    e.g.bumps.clear();
    setupGeometry(e);
    if (e.frameMode() && !frameExistingText(e))
        return;
    writeFrame(e);
    if (!e.frameMode()) {
        if (!isBalloonOrCloud(e.frameKind()))
            writeTipAndLeader(e);
        // The text mode placed its text before the frame.
        if (e.mode() != Mode::TextMode)
            placeText(e);
    }
    writeFill(e);
    writeText(e);
}

} // namespace quillet
