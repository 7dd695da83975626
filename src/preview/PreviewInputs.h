#pragma once
#include "exchange/Mode.h"

#include <optional>

namespace quillet {
struct FormModel;
struct Session;
} // namespace quillet

namespace quillet::preview {

/// What the setting preview draws from: the few choices its picture depends on, as
/// the controls' item indexes (-1 when a list has no selection).
struct PreviewInputs {
    int tip = 0;            ///< ComboBoxEx1
    int frameKind = 0;      ///< ComboBoxEx2
    int attachPosition = 0; ///< ComboBoxEx3
    int extensionMode = 0;  ///< ComboBox5: 0 任意, 1 指定
    int slide = 0;          ///< ComboBoxEx4
    bool fill = false;      ///< SpeedButton10
    bool tilt = false;      ///< SpeedButton11
    bool fixedLeaderLength = false; ///< CheckBox4
    Mode mode = Mode::Annotation;
};

/// The preview of the window's current choices.
PreviewInputs fromForm(const FormModel &form, Mode mode);

/// The preview of stored preset n (1..10) as its recall would set the choices; none
/// when the preset holds nothing. The fixed-length check box is the window's own.
std::optional<PreviewInputs> fromPreset(const Session &session, int preset);

} // namespace quillet::preview
