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
    case 0: writeNoFrame(e); break;
    case 1:
    case 6: writeUnderline(e); break;
    case 2:
    case 7: writeRectangle(e); break;
    case 5: writeExtensionOnly(e); break;
    case 3:
    case 8: writeOval(e); break;
    case 4:
    case 9: writeBracket(e); break;
    case 10: writeBalloonAndWedge(e); break;
    case 11:
    case 12:
        writeCloud(e);
        writeBalloonAndWedge(e);
        break;
    default: break; // the curved leaders have no frame
    }
}

bool wedgeLeader(int kind) { return kind >= 10 && kind <= 12; }

} // namespace

void runEngine(EngineRun &e)
{
    e.g.bumps.clear();
    setupGeometry(e);
    if (e.frameMode() && !frameExistingText(e))
        return;
    writeFrame(e);
    if (!e.frameMode()) {
        if (!wedgeLeader(e.frameKind()))
            writeTipAndLeader(e);
        // The text mode placed its text before the frame.
        if (e.mode() != Mode::TextMode)
            placeText(e);
    }
    writeFill(e);
    writeText(e);
}

} // namespace quillet
