#pragma once
#include <string>

namespace quillet {

/// How Jw_cad started the program; fixed at start-up.
enum class Mode {
    Annotation = 0,  ///< leader from point 1 over point 2, direction by point 3
    TextImport = 1,  ///< T1: selected texts into the input box
    FrameAll = 2,    ///< T2: one frame around all selected texts
    FrameEach = 3,   ///< T3: one frame around each selected text
    TextMode = 4,    ///< T4: one point and a direction point
    Bend = 5,        ///< T5: annotation with a bend point
};

/// The mode named by the first command-line argument; anything else is the annotation mode.
Mode modeFromArgument(const std::string &argument);

/// "T1".."T5", or "" for the annotation mode.
std::string modeArgument(Mode mode);

} // namespace quillet
