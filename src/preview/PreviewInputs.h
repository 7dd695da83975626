#pragma once
#include "model/Choices.h"
#include "model/Mode.h"

#include <optional>

namespace quillet {
struct FormModel;
class QuickSelectList;
} // namespace quillet

namespace quillet::preview {

/// What the setting preview draws from: the few choices its picture depends on.
/// Item indexes are the choosers' (-1 when a list has no selection).
struct PreviewInputs {
    Tip tip = Tip::NoLeader;
    FrameKind frameKind = FrameKind::None;
    int attachPosition = 0; ///< 最上行上 .. 最下行下
    int extensionMode = 0;  ///< 0 任意, 1 指定
    int slide = 0;          ///< なし, １行 .. ３行, 最大１行 .. 最大３行
    bool fill = false;
    bool tilt = false;
    bool fixedLeaderLength = false;
    Mode mode = Mode::Annotation;
};

/// The preview of the window's current choices.
PreviewInputs fromForm(const FormModel &form, Mode mode);

/// The preview of stored preset n (1..10) as recalling it onto `form` would set the
/// choices; none when the preset holds nothing. The fixed-length check box stays
/// the window's own.
std::optional<PreviewInputs> fromPreset(const QuickSelectList &presets, const FormModel &form, Mode mode, int preset);

} // namespace quillet::preview
