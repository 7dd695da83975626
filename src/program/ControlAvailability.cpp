#include "program/ControlAvailability.h"

#include "model/FormModel.h"

namespace quillet {

ControlAvailability controlAvailability(Mode mode, const FormModel &form)
{
    ControlAvailability a;
    const int frame = form.ComboBoxEx2;
    switch (mode) {
    case Mode::Annotation:
    case Mode::Bend: {
        a.ComboBoxEx4 = frame == 1 || frame == 6;
        a.ComboBoxEx3 = !(frame == 1 || frame == 3 || frame == 6 || frame == 8 || (frame >= 10 && frame <= 12));
        const bool extension = frame >= 5 && frame <= 9;
        a.ComboBox5 = extension;
        a.SpinEdit1 = extension && form.ComboBox5 == 1;
        a.ComboBoxEx1 = !(frame >= 10 && frame <= 12);
        break;
    }
    case Mode::TextImport:
    case Mode::FrameAll:
    case Mode::FrameEach:
        a.ComboBoxEx1 = a.ComboBoxEx3 = a.ComboBoxEx4 = a.ComboBox5 = a.SpinEdit1 = false;
        a.SpeedButton2 = a.SpeedButton3 = a.SpeedButton11 = a.SpeedButton18 = false;
        a.BitBtn4 = a.BitBtn5 = a.CheckBox4 = a.Button2 = false;
        a.dotRadiusMenus = false;
        a.leaderColourMenu = mode != Mode::TextImport;
        a.SpeedButton4 = mode != Mode::TextImport;
        break;
    case Mode::TextMode:
        a.ComboBoxEx1 = a.ComboBoxEx4 = a.ComboBox5 = a.SpinEdit1 = false;
        a.dotRadiusMenus = false;
        break;
    }
    return a;
}

} // namespace quillet
