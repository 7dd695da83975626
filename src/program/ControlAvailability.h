#pragma once
#include "model/Mode.h"

namespace quillet {

struct FormModel;

/// Which controls the window enables: the rule run after the settings are applied,
/// on every frame-kind change and after a preset recall.
struct ControlAvailability {
    bool ComboBoxEx1 = true;  ///< tip symbol
    bool ComboBoxEx3 = true;  ///< attach position
    bool ComboBoxEx4 = true;  ///< slide
    bool ComboBox5 = true;    ///< extension mode
    bool SpinEdit1 = true;    ///< extension length
    bool SpeedButton2 = true; ///< embedded text
    bool SpeedButton3 = true; ///< 設定登録
    bool SpeedButton4 = true; ///< 基本設定
    bool SpeedButton11 = true; ///< tilt
    bool SpeedButton18 = true; ///< preset save toggle
    bool BitBtn4 = true;      ///< クリア
    bool BitBtn5 = true;      ///< ﾌｫﾝﾄ切替
    bool CheckBox4 = true;    ///< 引出線長固定
    bool Button2 = true;      ///< 長さ記憶
    bool leaderColourMenu = true; ///< fifth popup item
    bool dotRadiusMenus = true;   ///< seventh and eighth popup items
};

/// The availability of the controls for the mode and the form's frame kind and extension mode.
ControlAvailability controlAvailability(Mode mode, const FormModel &form);

} // namespace quillet
