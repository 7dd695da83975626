#pragma once
#include "model/Mode.h"

namespace quillet {

struct FormModel;

/// Which controls the window enables: the rule run after the settings are applied,
/// on every frame-kind change and after a preset recall.
struct ControlAvailability {
    bool tip = true;  ///< tip symbol
    bool attachPosition = true;  ///< attach position
    bool slide = true;  ///< slide
    bool extensionMode = true;    ///< extension mode
    bool extensionLength = true;    ///< extension length
    bool embeddedText = true; ///< embedded text
    bool registerSettings = true; ///< 設定登録
    bool basicSettings = true; ///< 基本設定
    bool tilt = true; ///< tilt
    bool presetSaveMode = true; ///< preset save toggle
    bool clearMemo = true;      ///< クリア
    bool fontSwitch = true;      ///< ﾌｫﾝﾄ切替
    bool fixedLeaderLength = true;    ///< 引出線長固定
    bool storeLeaderLength = true;      ///< 長さ記憶
    bool leaderColourMenu = true; ///< fifth popup item
    bool dotRadiusMenus = true;   ///< seventh and eighth popup items
};

/// The availability of the controls for the mode and the form's frame kind and extension mode.
ControlAvailability controlAvailability(Mode mode, const FormModel &form);

} // namespace quillet
