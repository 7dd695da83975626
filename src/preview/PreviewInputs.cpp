#include "preview/PreviewInputs.h"

#include "model/FormModel.h"
#include "settings/Presets.h"
#include "settings/QuickSelect.h"

namespace quillet::preview {

PreviewInputs fromForm(const FormModel &form, Mode mode)
{
    PreviewInputs in;
    in.tip = form.tip;
    in.frameKind = form.frameKind;
    in.attachPosition = form.attachPosition;
    in.extensionMode = form.extensionMode;
    in.slide = form.slide;
    in.fill = form.fillOn;
    in.tilt = form.tiltOn;
    in.fixedLeaderLength = form.fixedLeaderLength;
    in.mode = mode;
    return in;
}

std::optional<PreviewInputs> fromPreset(const QuickSelectList &presets, const FormModel &form, Mode mode, int preset)
{
    if (preset < 1 || preset > QuickSelectList::kPresets)
        return std::nullopt;
    FormModel recalled = form;
    if (!presets::recall(presets, recalled, preset))
        return std::nullopt;
    return fromForm(recalled, mode);
}

} // namespace quillet::preview
