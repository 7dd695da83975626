#pragma once
// The pictures kept as reference images: every frame kind upright and tilted, with
// tip symbol and attach position stepping along so that each symbol is seen somewhere.
#include "preview/PreviewInputs.h"

#include <QString>

#include <vector>

namespace previewtest {

struct ReferenceCase {
    QString file; ///< name in tests/fixtures/preview
    quillet::preview::PreviewInputs inputs;
};

inline std::vector<ReferenceCase> referenceCases()
{
    std::vector<ReferenceCase> cases;
    for (int frame = 0; frame < 15; ++frame) {
        for (bool tilt : {false, true}) {
            quillet::preview::PreviewInputs in;
            in.frameKind = quillet::FrameKind(frame);
            in.tilt = tilt;
            in.tip = quillet::Tip(1 + frame % 7);
            in.attachPosition = frame % 5;
            in.extensionMode = 1;
            in.slide = 5; // 最大２行: maroon bars under the underlines
            in.fill = true;
            cases.push_back({QStringLiteral("frame%1-%2.png").arg(frame, 2, 10, QLatin1Char('0'))
                                 .arg(tilt ? QStringLiteral("tilted") : QStringLiteral("upright")),
                             in});
        }
    }
    return cases;
}

/// The designed panel.
constexpr int kWidth = 105;
constexpr int kHeight = 62;

} // namespace previewtest
