#pragma once
#include "engine/EngineRun.h"

namespace quillet {

/// The common set-up of every engine pass: orientation, fixed leader length, tilt and
/// layout rules, extension, crossing and turn-back flags, attach offset, far corner
/// and, in the text mode, the text placed first and the frame moved around it.
void setupGeometry(EngineRun &e);

/// Frame-kind remap of the text mode and frame write 1: the extended and curved kinds
/// become their plain forms.
FrameKind plainFrameKind(FrameKind kind);

} // namespace quillet
