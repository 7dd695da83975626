// Creating, showing and closing the main window, and showing the form model on it.
#include "ui/TForm1.h"

#include "base/PhaseClock.h"
#include "base/Sjis.h"
#include "outputview/OutputView.h"
#include "preview/PreviewBox.h"
#include "program/ControlAvailability.h"
#include "settings/Presets.h"
#include "ui/ColorBox.h"
#include "ui/FontConfigWarmUp.h"
#include "ui/FormBinding.h"
#include "ui/FormBuilder.h"
#include "ui/Icons.h"
#include "ui/ImeControl.h"
#include "ui/Texts.h"
#include "ui/WindowHost.h"
#include "ui/WindowScale.h"
#include "widgets/TMLStringGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

using namespace quillet;
using namespace quillet::ui;

TForm1::TForm1(const std::string &argument, const std::filesystem::path &startDir, Host *host, QWidget *parent,
               Pace pace)
    : QWidget(parent), m_host(host), m_argument(argument), m_startDir(startDir), m_pace(pace)
{
    if (!m_host) {
        m_ownHost = std::make_unique<WindowHost>(this);
        m_host = m_ownHost.get();
    }
    createWindow();
    FormCreate();
}

TForm1::~TForm1()
{
    // The view reads the session, which goes before the window's children do.
    delete m_outputView;
    // Controls die after the window; what they signal while dying must not reach it.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

void TForm1::FormCreate()
{
    guarded([this] { m_startupResult = runStartup(m_session, *m_host, m_argument, m_startDir); });
    // The controls are made once start-up chose the window's size: made under the
    // scaled font they load each font once, at the size they show it, and no control
    // takes a font change after it was made.
    const WindowSizeRow *row = startupEnded() ? nullptr : windowSizeRow(m_session.windowSizeRow);
    if (!startupEnded()) {
        if (row)
            scaleWindowSize(this, row->n);
        move(m_session.form.windowLeft, m_session.form.windowTop);
        // On the screen at its size and place before its fonts and controls are made,
        // as any window is before its first paint; they are all made before that paint.
        if (m_pace == Pace::ScreenFirst) {
            show();
            phases::mark("on the screen");
        }
    }
    // The font database is read, and the window's font matched, here: a phase of its own.
    FontConfigWarmUp::fontsReady();
    setFont(build::gothicFont(12));
    if (row)
        scaleWindowFont(this, row->n);
    QFontMetrics(font()).height();
    phases::mark("fonts");
    createControls();
    if (row)
        scaleControls(this, row->n);
    wire();
    phases::mark("window construction");
    if (!startupEnded())
        applyStartupState();
    if (isVisible())
        build::showControlsMadeOnAShownWindow(this);
    phases::mark("start-up state");
    if (m_pace == Pace::AllAtOnce)
        ensureHiddenParts();
}

void TForm1::applyStartupState()
{
    for (int k = 1; k <= 10; ++k) {
        const std::string &item = m_session.exchange.textKindItems[std::size_t(k)];
        if (!item.empty())
            ComboBox6->setItemText(k, fromSjis(item));
    }
    showModel();
    applyCaptionsForMode();
    BitBtn2->setEnabled(m_session.outputEnabled);
    applyWindowSize();
    if (m_session.phraseBookOpened) {
        m_grid.rebuild(m_session.phraseBook.openPage());
        MLStringGrid1->setCurrentCell(0, 0);
    }
    showPhraseBook();
    // The hints belong to the window whatever became of the files.
    assignHints();
    // The last steps of start-up only run when nothing before them failed.
    if (m_session.exceptionHandlerInstalled) {
        SpeedButton11->setText(QStringLiteral("注釈\n傾斜"));
        applyInputMethod();
    }
    showFolderStatus();
    m_startupStateShown = true;
}

void TForm1::applyCaptionsForMode()
{
    switch (m_session.mode) {
    case Mode::TextImport:
        BitBtn2->setText(QStringLiteral("取込完了"));
        if (MENW1)
            MENW1->setText(QStringLiteral("取込完了"));
        break;
    case Mode::FrameAll:
        BitBtn2->setText(QStringLiteral("枠書込１"));
        break;
    case Mode::FrameEach:
        BitBtn2->setText(QStringLiteral("枠書込２"));
        break;
    case Mode::TextMode:
        Panel6->show();
        break;
    default:
        break;
    }
}

void TForm1::applyWindowSize()
{
    // The controls were made at this size already (FormCreate).
    const WindowSizeRow *row = windowSizeRow(m_session.windowSizeRow);
    if (!row)
        return;
    m_scale = row->n / 1024.0;
    auto size = [](QTableWidget *grid, const WindowSizeRow::Grid &g) {
        grid->horizontalHeader()->setDefaultSectionSize(g.colWidth);
        grid->verticalHeader()->setDefaultSectionSize(g.rowHeight);
        grid->resize(grid->width(), g.height);
    };
    size(MLStringGrid1, row->phraseGrid);
    size(StringGrid2, row->indexGrid);
    size(StringGrid3, row->numberGrid);
    MLStringGrid1->setRowHeight(0, 5 * row->phraseGrid.rowHeight);
}

void TForm1::applyInputMethod()
{
    // With the button up the window starts in the first mode's look and the input
    // method stays as the user left it.
    if (!m_session.form.imeOn)
        m_session.form.imeCaption = ImeMode::Hiragana;
    showImeButton();
    if (m_session.form.imeOn)
        ime::open(this, m_session.form.imeCaption);
}

void TForm1::showModel()
{
    FormModel &form = m_session.form;
    if (ListBox1) {
        const QSignalBlocker blocker(ListBox1);
        ListBox1->clear();
        for (const std::string &name : form.patternNames)
            ListBox1->addItem(fromSjis(name));
    }
    for (const ValueBinding &binding : valueBindings()) {
        QWidget *control = bound<QWidget>(binding.name);
        if (!control)
            continue; // a hidden part not made yet shows the model when it is
        const QSignalBlocker blocker(control);
        setWidgetValue(control, binding.get(form));
    }
    for (const ColorBinding &binding : colorBindings()) {
        auto *box = bound<ColorBox>(binding.name);
        if (!box)
            continue;
        const QSignalBlocker blocker(box);
        box->setChoice(binding.field(form));
    }
    for (const TextBinding &binding : textBindings()) {
        auto *edit = bound<QLineEdit>(binding.name);
        if (!edit)
            continue;
        const QSignalBlocker blocker(edit);
        edit->setText(fromSjis(binding.field(form)));
    }
    showMemos();
    showPresetButtons();
    showFontSwitch();
    showRadioMarks();
    showWindowColour();
    showImeButton();
    applyAvailability();
    outputChanged();
    // Recalls, pattern switches and returns to the settings all end here.
    PaintBox1->update();
    PaintBox2->update();
}

void TForm1::showMemos()
{
    const FormModel &form = m_session.form;
    QStringList lines;
    for (const std::string &line : form.memoLines)
        lines << fromSjis(line);
    const QString text = lines.join(QLatin1Char('\n'));
    // Not blocked: whatever puts text into the box meets its capacity rule.
    if (Memo1->toPlainText() != text)
        Memo1->setPlainText(text);
    if (StringGrid1) {
        const QSignalBlocker blocker(StringGrid1);
        for (int row = 0; row < 10; ++row)
            StringGrid1->setItem(row, 0, new QTableWidgetItem(fromSjis(form.presetMemos[std::size_t(row)])));
    }
    // Setting a line edit's text lays it out anew, even the same text.
    const QString fontName = fromSjis(form.selectedFontName);
    if (Edit2->text() != fontName)
        Edit2->setText(fontName);
}

void TForm1::showPresetButtons()
{
    const FormModel &form = m_session.form;
    for (int i = 0; i < 10; ++i) {
        QToolButton *button = m_presetButtons[std::size_t(i)];
        const QSignalBlocker blocker(button);
        button->setChecked(form.presetDown == i + 1);
        // Save mode shows in the captions, so a press is never mistaken for a recall.
        QPalette palette;
        if (form.presetSaveMode)
            palette.setColor(QPalette::ButtonText, QColor(128, 0, 0));
        button->setPalette(palette);
    }
}

void TForm1::showFontSwitch()
{
    const FormModel &form = m_session.form;
    const bool selected = form.fontSwitch != 0;
    QPalette palette;
    if (selected)
        palette.setColor(QPalette::Base, QColor(0, 255, 0));
    Edit2->setPalette(palette);
    const std::string &name = selected ? form.heldFontNameOrDefault() : m_session.exchange.hostFontName;
    QFont font = Memo1->font();
    // A vertical-writing name ("@" first) shows its family upright in the box.
    QString family = fromSjis(name);
    if (family.startsWith(QLatin1Char('@')))
        family.remove(0, 1);
    // A font the system lacks falls back as the window's own font does, whose lines
    // fit the box five times.
    QStringList families = build::gothicFont(12).families();
    if (!family.isEmpty())
        families.prepend(family);
    font.setFamilies(families);
    // A new font lays the whole input box out again; most displays keep the one it has.
    if (Memo1->font() != font)
        Memo1->setFont(font);
    outputChanged();
}

void TForm1::showRadioMarks()
{
    if (!PopupMenu1)
        return;
    const BasicSettings &basic = m_session.form.basic;
    auto mark = [](auto &actions, int index) {
        if (index >= 0 && index < int(actions.size()))
            actions[std::size_t(index)]->setChecked(true);
    };
    mark(SUBMEN, basic.leaderColour);
    mark(DOTAn, basic.dotRadiusMm);
    mark(DOTBn, basic.dotRadiusTenths);
}

void TForm1::showWindowColour()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ColorBox::toQColor(m_session.form.basic.windowColour.color()));
    setPalette(palette);
    setAutoFillBackground(true);
}

void TForm1::showImeButton()
{
    static const QString captions[] = {QStringLiteral("日本語ひら"), QStringLiteral("日本語全カナ"),
                                       QStringLiteral("日本語半カナ"), QStringLiteral("日本語全英数")};
    const ImeMode mode = m_session.form.imeCaption;
    // Every display of the model comes here; painting the glyph again for the same
    // mode would only cost a bold font's text layout.
    if (m_imeButtonMode == mode)
        return;
    m_imeButtonMode = mode;
    SpeedButton1->setText(captions[int(mode) - 1]);
    SpeedButton1->setIcon(icons::imeGlyph(mode));
}

void TForm1::showFolderStatus()
{
    const FormModel &form = m_session.form;
    const int pattern = form.patternIndex;
    const std::string name = pattern >= 0 && pattern < 6 ? form.patternNames[std::size_t(pattern)] : std::string();
    StatusBar1->showMessage(fromSjis(m_session.phraseBook.statusText(name)));
}

void TForm1::showPresetHints()
{
    for (int n = 1; n <= 10; ++n) {
        QToolButton *button = m_presetButtons[std::size_t(n - 1)];
        const QString hint = fromSjis(presets::buttonHint(m_session.form, n));
        button->setStatusTip(hint);
        button->setToolTip(m_session.form.memosAsHints ? hint : QString());
    }
}

void TForm1::applyAvailability()
{
    const ControlAvailability a = controlAvailability(m_session.mode, m_session.form);
    const std::pair<QWidget *, bool> controls[] = {
        {ComboBoxEx1, a.tip},     {ComboBoxEx3, a.attachPosition},   {ComboBoxEx4, a.slide},
        {ComboBox5, a.extensionMode},         {SpinEdit1, a.extensionLength},       {SpeedButton2, a.embeddedText},
        {SpeedButton3, a.registerSettings},   {SpeedButton4, a.basicSettings}, {SpeedButton11, a.tilt},
        {SpeedButton18, a.presetSaveMode}, {BitBtn4, a.clearMemo},           {BitBtn5, a.fontSwitch},
        {CheckBox4, a.fixedLeaderLength},         {Button2, a.storeLeaderLength},
    };
    for (const auto &[control, enabled] : controls)
        control->setEnabled(enabled);
    if (PopupMenu1) {
        MENW3->setEnabled(a.leaderColourMenu);
        DOTA->setEnabled(a.dotRadiusMenus);
        DOTB->setEnabled(a.dotRadiusMenus);
    }
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_firstShowDone) {
        m_firstShowDone = true;
        // Let the window appear before the first-show messages are put over it.
        QTimer::singleShot(0, this, &TForm1::FormShow);
    }
}

void TForm1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_firstPaintDone) {
        m_firstPaintDone = true;
        // Painting and flushing end before the loop takes the next event.
        QTimer::singleShot(0, this, [this] {
            phases::mark("first paint");
            phases::print("start-up to the first paint:");
            buildDeferredParts();
        });
    }
}

void TForm1::FormShow()
{
    guarded([this] { runFirstShow(m_session, *m_host); });
    showModel();
    showPresetHints();
    showFolderStatus();
    if (!m_runEnded && outputview::OutputView::wasOpen())
        openOutputView();
    phases::mark("first show");
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_runEnded)
        FormCloseQuery();
    event->accept();
}

bool TForm1::FormCloseQuery()
{
    finishGridEdits();
    syncWindowPosition();
    m_runEnded = true;
    guarded([this] { closeWindow(m_session, *m_host); });
    return true;
}

void TForm1::AppException(const std::exception &error)
{
    m_host->warning(sjis::fromUtf8(error.what()));
    if (m_session.exceptionHandlerInstalled)
        endRun();
}

void TForm1::syncWindowPosition()
{
    m_session.form.windowLeft = pos().x();
    m_session.form.windowTop = pos().y();
}

void TForm1::endRun()
{
    m_runEnded = true;
    hide();
    // exit(), not quit(): quitting would close the window and write the close-time
    // files a second time.
    QCoreApplication::exit(0);
}
