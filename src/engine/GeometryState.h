#pragma once
#include "engine/RunSetup.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillet {

/// One half-ellipse bump of a cloud as the fill reads it back: its centre before any
/// tilt, its radius and which side of the cloud rectangle it sits on. `angle` is the
/// outward direction in radians and `flatness` the bump's depth ratio, both as the
/// fixed texts the fill writes unchanged.
struct CloudBump {
    PointF centre;
    float radius = 0;
    char side = '4';               ///< '1' left, '2' bottom, '3' right, '4' top
    const char *angle = "0";       ///< "1.5708", "-3.1416", "-1.5708", "0" by side
    const char *flatness = "0.5";  ///< "0.5" along the long sides, "0.65" on the ends
    /// Its kind, set by the cloud that records it: the bumps of one cloud that share
    /// it share radius, side, angle and flatness, and so everything their lines end
    /// with (SharedTails::ofKind). An uneven cloud has eight: two radii along each long
    /// side and two on the ends.
    int kind = -1;
    /// Where the cloud wrote it: the output line whose "x y" after "ci " is its
    /// centre as written (turned, with tilt on), that text's length (0: not written
    /// yet), and the `zero` it was turned with (turnAboutBy). A half disc of the fill
    /// that lands on the very same centre copies that text instead of turning and
    /// formatting the centre again.
    std::size_t line = 0;
    std::uint8_t centreLength = 0;
    float turnZero = 0;
};

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
    PointF extensionEnd;      ///< where the extension line ends (point 3 unless its length is 0)
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

    // Handed on by the balloon and cloud frames (kinds 10 to 12) to the wedge leader
    // and the fill. All points are unturned; with tilt on, readers turn them about
    // `cloudCentre` themselves.
    PointF frameNear;         ///< c0: point 2's corner, moved out by the cloud margin
    PointF frameFar;          ///< c1: the far corner, moved out likewise
    PointF gapStart;          ///< G1 = c0, where the wedge's first line ends
    PointF gapEnd;            ///< G2 = c0 moved by the gap along the text
    PointF cloudCentre;       ///< what the bumps and the wedge turn about
    /// Every bump written, in writing order (each pair: long sides plain then gapped,
    /// ends c0's end then c1's end), where the fill is on: it is the fill's to read.
    /// Emptied at every engine pass, so that in frame write 2 each frame's fill sees
    /// only its own bumps.
    std::vector<CloudBump> bumps;
    /// With tilt on, what the cloud turned its bumps about and by how many degrees.
    PointF bumpTurnCentre;
    float bumpTurnDegrees = 0;

    // Frame write 2: state of the existing texts, kept from one exchange line to the next.
    int existingText = 0;     ///< the framed text runs towards smaller x
    int basePoint = 0;        ///< base point index b (0..8) of the last "cc" line
    bool existingSize = false;     ///< a "cn" line has set the sizes below
    double existingHalfWidth = 0;  ///< paper mm
    double existingHeight = 0;     ///< paper mm
    double existingHalfSpacing = 0;///< paper mm

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
