// Event handlers of the main window: each hands the user's gesture to the core and
// shows what the core made of it.
#include "ui/TForm1.h"

#include "base/PhaseClock.h"
#include "preview/PreviewBox.h"
#include "program/CompleteInput.h"
#include "settings/Patterns.h"
#include "settings/Presets.h"
#include "settings/Settings.h"
#include "ui/ColorBox.h"
#include "ui/FormBinding.h"
#include "ui/FormBuilder.h"
#include "ui/Texts.h"
#include "ui/WindowScale.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

using namespace quillet;
using namespace quillet::ui;

namespace {

// What a change of a bound control sets off beyond updating the model.
struct ChangeHandler {
    const char *name;
    void (TForm1::*handler)();
};

const ChangeHandler kChangeHandlers[] = {
    {"ComboBoxEx2", &TForm1::ComboBoxEx2Change},  {"ComboBox5", &TForm1::ComboBox5Change},
    {"ComboBox10", &TForm1::ComboBox10Change},    {"ComboBox1", &TForm1::ComboBox1Change},
    {"ComboBox3", &TForm1::ComboBox3Change},      {"ListBox1", &TForm1::ListBox1Click},
    {"SpeedButton1", &TForm1::SpeedButton1Click}, {"SpeedButton18", &TForm1::SpeedButton18Click},
};

} // namespace

void TForm1::wire()
{
    wireBindings();
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn5Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(ColorBox2, &ColorBox::droppedDown, this, &TForm1::ColorBox2DropDown);
    connect(ColorBox2, &ColorBox::closedUp, this, &TForm1::ColorBox2CloseUp);
    for (int i = 0; i < 10; ++i) {
        connect(m_presetButtons[std::size_t(i)], &QToolButton::clicked, this,
                [this, i](bool down) { PresetButtonClick(i + 1, down); });
    }
    SpeedButton18->installEventFilter(this);
    wireInputBox();
    wireHelp();
    wirePhraseBook();
    for (QWidget *preview : {static_cast<QWidget *>(Panel3), static_cast<QWidget *>(PaintBox1), static_cast<QWidget *>(PaintBox2)})
        preview->installEventFilter(this);
    connect(new QShortcut(Qt::Key_F5, this), &QShortcut::activated, this, &TForm1::openOutputView);
    wirePreview();
}

void TForm1::wireHiddenParts()
{
    for (const QWidget *panel : hiddenPanels())
        wireBindings(panel);
    connect(BitBtn6, &QPushButton::clicked, this, &TForm1::BitBtn6Click);
    connect(new QShortcut(Qt::Key_Escape, Panel5, nullptr, nullptr, Qt::WidgetWithChildrenShortcut),
            &QShortcut::activated, this, &TForm1::BitBtn6Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(StringGrid1, &QTableWidget::itemChanged, this, &TForm1::memosFromGrid);
    connect(MENW1, &QAction::triggered, this, &TForm1::MENW1Click);
    connect(MENW2, &QAction::triggered, this, &TForm1::MENW2Click);
    for (int i = 0; i < int(SUBMEN.size()); ++i)
        connect(SUBMEN[std::size_t(i)], &QAction::triggered, this, [this, i] { SUBMENClick(i); });
    for (int i = 0; i < 10; ++i) {
        connect(DOTAn[std::size_t(i)], &QAction::triggered, this, [this, i] { DOTAClick(i); });
        connect(DOTBn[std::size_t(i)], &QAction::triggered, this, [this, i] { DOTBClick(i); });
    }
    connect(BitBtn7, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connect(BitBtn8, &QPushButton::clicked, this, &TForm1::BitBtn8Click);
    // Esc answers "いいえ" wherever the focus is, while the warning is up.
    connect(new QShortcut(Qt::Key_Escape, Panel2, nullptr, nullptr, Qt::WindowShortcut), &QShortcut::activated,
            this, &TForm1::BitBtn8Click);
    // The block view only shows the block; what is typed goes into the input box.
    Memo2->setReadOnly(true);
}

template <typename Control> Control *TForm1::bound(const char *name)
{
    // The bindings are looked up at every display of the model; a search of the whole
    // widget tree by name for each of them was a good part of showing it.
    if (m_controlsByName.isEmpty())
        m_controlsByName = build::widgetsByName(this);
    return qobject_cast<Control *>(m_controlsByName.value(QString::fromLatin1(name)));
}

template QWidget *TForm1::bound<QWidget>(const char *);
template ColorBox *TForm1::bound<ColorBox>(const char *);
template QLineEdit *TForm1::bound<QLineEdit>(const char *);

void TForm1::wireBindings(const QWidget *within)
{
    // Each control is wired once: the window's own when the window is wired, before
    // the hidden parts exist (null here), the others with the panel that holds them.
    auto wires = [within](const QWidget *control) { return control && (!within || within->isAncestorOf(control)); };
    for (const ValueBinding &binding : valueBindings()) {
        QWidget *control = bound<QWidget>(binding.name);
        if (!wires(control))
            continue;
        onWidgetValueChanged(control, this, [this, &binding, control] {
            binding.set(m_session.form, widgetValue(control));
            controlChanged(binding.name);
        });
    }
    for (const ColorBinding &binding : colorBindings()) {
        auto *box = bound<ColorBox>(binding.name);
        if (!wires(box))
            continue;
        connect(box, &ColorBox::choiceChanged, this, [this, &binding, box] {
            binding.field(m_session.form) = box->choice();
            controlChanged(binding.name);
        });
    }
    for (const TextBinding &binding : textBindings()) {
        auto *edit = bound<QLineEdit>(binding.name);
        if (!wires(edit))
            continue;
        connect(edit, &QLineEdit::textEdited, this,
                [this, &binding](const QString &text) { binding.field(m_session.form) = toSjis(text); });
    }
}

void TForm1::controlChanged(const char *name)
{
    if (qstrcmp(name, "ColorBox1") == 0)
        ColorBox1Select();
    for (const ChangeHandler &entry : kChangeHandlers) {
        if (qstrcmp(entry.name, name) == 0)
            (this->*entry.handler)();
    }
    PaintBox1->update();
    outputChanged();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    presetHoverEvent(watched, event);
    if (phraseBookEvent(watched, event) || inputBoxEvent(watched, event))
        return true;
    if (event->type() == QEvent::MouseButtonDblClick && (watched == Panel3 || watched == PaintBox1 || watched == PaintBox2)) {
        openOutputView();
        return true;
    }
    // A disabled button takes no press, as its own handlers would not.
    if (event->type() == QEvent::MouseButtonPress && static_cast<QWidget *>(watched)->isEnabled()) {
        const auto buttons = static_cast<QMouseEvent *>(event)->buttons();
        if (watched == SpeedButton18)
            SpeedButton18MouseDown(buttons);
        else if (watched == SpeedButton1)
            SpeedButton1MouseDown(buttons);
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::BitBtn2Click()
{
    if (!BitBtn2->isEnabled())
        return;
    phases::start();
    finishGridEdits();
    syncWindowPosition();
    guarded([this] { completeInput(m_session, *m_host); });
    phases::mark("files written");
    showModel();
    phases::mark("redisplay");
    endRun();
    phases::mark("hide");
}

void TForm1::MENW1Click()
{
    copyBlockToMemo();
    BitBtn2Click();
}

void TForm1::Button2Click()
{
    guarded([this] { storeLeaderLength(m_session); });
    outputChanged();
}

void TForm1::SpeedButton3Click()
{
    syncWindowPosition();
    startFeedback(SpeedButton3);
    guarded([this] { settings::registerSettings(m_session.settingsScope(), *m_host); });
}

void TForm1::BitBtn1Click()
{
    syncWindowPosition();
    startFeedback(BitBtn1);
    guarded([this] { patterns::registerPattern(m_session.settingsScope(), *m_host); });
    showModel();
}

void TForm1::startFeedback(QWidget *greenCaption)
{
    QPalette palette = greenCaption->palette();
    palette.setColor(QPalette::ButtonText, QColor(0, 128, 0));
    greenCaption->setPalette(palette);
    Timer1->start();
}

void TForm1::Timer1Timer()
{
    SpeedButton3->setPalette(QPalette());
    if (BitBtn1)
        BitBtn1->setPalette(QPalette());
    Label16->hide();
    Label17->hide();
    Timer1->stop();
}

void TForm1::SpeedButton4Click()
{
    ensureHiddenParts();
    Panel5->setVisible(!Panel5->isVisible());
    if (Panel5->isVisible()) {
        Panel5->raise();
        Panel5->setFocus();
    }
}

void TForm1::BitBtn6Click()
{
    Panel5->hide();
}

void TForm1::ListBox1Click()
{
    guarded([this] { patterns::apply(m_session.settingsScope(), false); });
    showModel();
    showFolderStatus();
}

void TForm1::ColorBox1Select()
{
    showWindowColour();
}

void TForm1::ColorBox2DropDown()
{
    // Wide enough to read the colour names while the list is open.
    const int n = qRound(m_scale * 1024);
    ColorBox2->setGeometry(scaled(QRect(404, 87, 102, 22), n));
}

void TForm1::ColorBox2CloseUp()
{
    const int n = qRound(m_scale * 1024);
    ColorBox2->setGeometry(scaled(QRect(468, 87, 38, 22), n));
}

void TForm1::ComboBoxEx2Change()
{
    applyAvailability();
}

void TForm1::ComboBox5Change()
{
    applyAvailability();
}

void TForm1::ComboBox10Change()
{
    showRadioMarks();
}

void TForm1::ComboBox1Change()
{
    showRadioMarks();
}

void TForm1::ComboBox3Change()
{
    showRadioMarks();
}

void TForm1::PresetButtonClick(int preset, bool down)
{
    presets::ClickOutcome outcome = presets::ClickOutcome::Nothing;
    guarded([&] { outcome = presets::click(m_session.settingsScope(), *m_host, preset, down); });
    showModel();
    if (outcome == presets::ClickOutcome::Saved || outcome == presets::ClickOutcome::Empty) {
        (outcome == presets::ClickOutcome::Saved ? Label16 : Label17)->show();
        Timer1->start();
    } else if (outcome != presets::ClickOutcome::Nothing) {
        showFolderStatus();
    }
}

void TForm1::SpeedButton18Click()
{
    guarded([this] { presets::saveToggle(m_session.settingsScope(), *m_host, m_session.form.presetSaveMode); });
    showModel();
    if (!m_session.form.presetSaveMode)
        showFolderStatus();
}

void TForm1::SpeedButton18MouseDown(Qt::MouseButtons buttons)
{
    ensureHiddenParts();
    if (buttons & Qt::RightButton)
        Panel4->setVisible(!Panel4->isVisible());
    if (!Panel4->isVisible())
        return;
    Panel4->raise();
    guarded([this] { presets::readMemos(m_session.settingsScope(), *m_host); });
    showModel();
}

void TForm1::memosFromGrid()
{
    for (int row = 0; row < 10; ++row) {
        const QTableWidgetItem *item = StringGrid1->item(row, 0);
        m_session.form.presetMemos[std::size_t(row)] = item ? toSjis(item->text()) : std::string();
    }
}

void TForm1::Button1Click()
{
    memosFromGrid();
    guarded([this] { presets::saveMemos(m_session.settingsScope(), *m_host); });
    showPresetHints();
    Panel4->hide();
}

void TForm1::MENW2Click()
{
    Memo1->clear();
}

void TForm1::SUBMENClick(int colour)
{
    BasicSettings &basic = m_session.form.basic;
    basic.leaderColour = colour;
    basic.arrowColour = basic.dotColour = basic.extensionColour = basic.frameColour = 0;
    showModel();
}

void TForm1::DOTAClick(int index)
{
    m_session.form.basic.dotRadiusMm = index;
    showModel();
}

void TForm1::DOTBClick(int index)
{
    m_session.form.basic.dotRadiusTenths = index;
    showModel();
}
