#include "program/ControlAvailability.h"

#include "model/FormModel.h"

namespace quillet {

ControlAvailability controlAvailability(Mode mode, const FormModel &form)
{
    ControlAvailability a;
    const FrameKind frame = form.frameKind;
    switch (mode) {
    case Mode::Annotation:
    case Mode::Bend: {
        a.slide = isUnderline(frame);
        a.attachPosition = !(isUnderline(frame) || isOval(frame) || isBalloonOrCloud(frame));
        const bool extension = hasExtensionLine(frame);
        a.extensionMode = extension;
        a.extensionLength = extension && form.extensionMode == 1;
        a.tip = !isBalloonOrCloud(frame);
        break;
    }
    case Mode::TextImport:
    case Mode::FrameAll:
    case Mode::FrameEach:
        a.tip = a.attachPosition = a.slide = a.extensionMode = a.extensionLength = false;
        a.embeddedText = a.registerSettings = a.tilt = a.presetSaveMode = false;
        a.clearMemo = a.fontSwitch = a.fixedLeaderLength = a.storeLeaderLength = false;
        a.dotRadiusMenus = false;
        a.leaderColourMenu = mode != Mode::TextImport;
        a.basicSettings = mode != Mode::TextImport;
        break;
    case Mode::TextMode:
        a.tip = a.slide = a.extensionMode = a.extensionLength = false;
        a.dotRadiusMenus = false;
        break;
    }
    return a;
}

} // namespace quillet
