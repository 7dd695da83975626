#include "preview/PreviewInputs.h"

#include "exchange/Session.h"
#include "settings/Presets.h"

namespace quillet::preview {

PreviewInputs fromForm(const FormModel &form, Mode mode)
{
    PreviewInputs in;
    in.tip = form.ComboBoxEx1;
    in.frameKind = form.ComboBoxEx2;
    in.attachPosition = form.ComboBoxEx3;
    in.extensionMode = form.ComboBox5;
    in.slide = form.ComboBoxEx4;
    in.fill = form.SpeedButton10;
    in.tilt = form.SpeedButton11;
    in.fixedLeaderLength = form.CheckBox4;
    in.mode = mode;
    return in;
}

std::optional<PreviewInputs> fromPreset(const Session &session, int preset)
{
    if (preset < 1 || preset > QuickSelectList::kPresets)
        return std::nullopt;
    FormModel recalled = session.form;
    if (!presets::recallOnto(session.quickSelect, preset, recalled))
        return std::nullopt;
    return fromForm(recalled, session.mode);
}

} // namespace quillet::preview
