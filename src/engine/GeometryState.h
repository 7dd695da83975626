#pragma once
#include "exchange/RunSetup.h"

namespace quillet {

/// The engine's working values for one output run: orientation, extension, attach
/// offset, far corner and what the frame units hand on to the leader and the text.
struct GeometryState {
    // Orientation (0/1; the layout is 0xFF in T2 until the existing texts fix it).
    int vertical = 0;
    int rightward = 0;
    int upward = 0;
    int point2Left = 0;
    int point2Below = 0;
    int verticalFont = 0;     ///< the annotation font writes vertically ("@" font)

    float extension = 0;      ///< E, drawing units
    float ex = 0, ey = 0;     ///< signed extension along the annotation
    int crossAbove = 0;       ///< the leader would cross the text block from above
    int crossBelow = 0;       ///< ... from below
    int turnBack = 0;         ///< the frame lies on point 1's side of point 2
    float attach = 0;         ///< A, from the frame's near side to the attach point
    float fx = 0, fy = 0;     ///< far corner of the text frame

    // Handed on by the underline frames.
    int underlineShift = 0;   ///< the underline start was shifted instead of routing the leader
    float shiftAmount = 0;    ///< that shift along the text, drawing units
    float farUnderline = 0;   ///< u (horizontal, a y) or v (vertical, an x) a routed leader ends at
    float fx0 = 0, fy0 = 0;   ///< far corner before the underline shift

    // Handed on by the oval frames.
    float ovalInnerEnd = 0;   ///< xe (horizontal) or ye (vertical)
    float ovalRadius = 0;

    // Handed on by the balloon and cloud frames (kinds 10 to 12) to the wedge and the fill.
    PointF frameC0;           ///< c0: point 2's corner of the balloon or cloud rectangle
    PointF frameC1;           ///< c1: its far corner
    PointF gapEnd;            ///< G2: the end of the gap along the text, away from c0
    Lines bumps;              ///< six strings per bump: x, y, r, side code, angle, flatness
    int existingText = 0;     ///< T3: the existing text runs towards smaller x

    // Leader, from the tip step.
    float leaderAngle = 0;    ///< θ, degrees, after the curved-leader turn
    PointF leaderStart;       ///< on the dot's rim for dot tips
    float leaderLength = 0;   ///< from the leader start to point 2

    // Text placement, read by the fill and the text writing.
    float centring = 0;       ///< c
    float textMargin = 0;     ///< m
    float slideShift = 0;     ///< t of the underline slide
    float slideJump = 0;      ///< J
    PointF textStart;         ///< start of the first written text line

    bool horizontal() const { return vertical != 1; }
    TurnFlags turnFlags() const { return {vertical, rightward, upward, point2Left}; }
};

} // namespace quillet
