#pragma once
#include "base/Host.h"
#include "model/MemoCapacity.h"
#include "phrasebook/PhraseGrid.h"
#include "program/Session.h"
#include "program/Startup.h"

#include <QHash>
#include <QWidget>

#include <array>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QKeyEvent;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QTableWidget;
class QTimer;
class QToolButton;
class QUrl;

namespace quillet::outputview {
class OutputView;
} // namespace quillet::outputview

namespace quillet::ui {
class BriefHelp;
class ColorBox;
class FontDialog;
class RadioGroup;
} // namespace quillet::ui
namespace quillet::preview {
class PreviewBox;
} // namespace quillet::preview
namespace quillet::widgets {
class TMLStringGrid;
} // namespace quillet::widgets

/// The main window. Controls keep their designer names as member names and as
/// objectName(); their state lives in the session's form model, bound through one
/// table keyed by those names. Handlers are named after control and event and leave
/// every decision to the core.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    /// How start-up paces its work.
    /// - AllAtOnce: everything is made before the constructor returns, and nothing is
    ///   shown (tests, pictures).
    /// - ScreenFirst: the window is put on the screen as soon as start-up has chosen
    ///   its size and place, and its controls are made on it before its first paint;
    ///   the panels laid over it (basic settings, memo window, block view, delete
    ///   warning) and the grid's pop-up menu follow that paint, or come on first use.
    enum class Pace { AllAtOnce, ScreenFirst };

    /// Creating the window runs the start-up sequence for the command-line argument
    /// in the start directory. Without a host the window shows its own message boxes.
    TForm1(const std::string &argument, const std::filesystem::path &startDir, quillet::Host *host = nullptr,
           QWidget *parent = nullptr, Pace pace = Pace::AllAtOnce);
    ~TForm1() override;

    /// True when start-up ended the program: the window must not be shown.
    bool startupEnded() const { return m_startupResult == quillet::StartupResult::Ended; }
    /// True once "入力完了", a closing of the window or an uncaught error ended the run.
    bool runEnded() const { return m_runEnded; }
    quillet::Session &session() { return m_session; }

    /// Asks the user for a phrase-book folder (title, start directory); nothing when
    /// cancelled. The window's own asks the platform's folder dialog.
    using FolderChooser =
        std::function<std::optional<std::filesystem::path>(QWidget *parent, const QString &title,
                                                           const std::filesystem::path &startDir)>;
    void setFolderChooser(FolderChooser chooser) { m_folderChooser = std::move(chooser); }

    /// Builds what the window does not need for its first showing (the font dialog,
    /// and the hidden parts when they wait); runs by itself after the first paint.
    /// Nothing when it was built already.
    void buildDeferredParts();
    /// Makes the hidden parts, wired, scaled and showing the model, unless they exist.
    void ensureHiddenParts();

    /// Shows an error that nothing else caught and, once start-up installed the
    /// handler, ends the program.
    void AppException(const std::exception &error);

    // Top row
    QToolButton *SpeedButton4, *SpeedButton3, *SpeedButton5, *SpeedButton6;
    QPushButton *BitBtn2;
    // Annotation input
    QLabel *Label9;
    QPlainTextEdit *Memo1;
    QToolButton *SpeedButton1;
    QPushButton *BitBtn5, *BitBtn4;
    QLineEdit *Edit2;
    QToolButton *SpeedButton2, *SpeedButton10, *SpeedButton11;
    quillet::ui::ColorBox *ColorBox2;
    // Drawing choices
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8;
    QComboBox *ComboBoxEx1, *ComboBox2, *ComboBoxEx2, *ComboBoxEx3, *ComboBox6, *ComboBox5, *ComboBoxEx4, *ComboBox8;
    QSpinBox *SpinEdit1;
    // Phrase book
    QToolButton *SpeedButton7, *SpeedButton8, *SpeedButton9;
    quillet::widgets::TMLStringGrid *MLStringGrid1;
    QTableWidget *StringGrid2, *StringGrid3;
    QLabel *Label18;
    // Preview and quick-select corner
    QWidget *Panel3;
    quillet::preview::PreviewBox *PaintBox1, *PaintBox2;
    QLabel *Label10, *Label16, *Label17;
    QToolButton *SpeedButton13, *SpeedButton14, *SpeedButton15, *SpeedButton16, *SpeedButton17;
    QToolButton *SpeedButton19, *SpeedButton20, *SpeedButton21, *SpeedButton22, *SpeedButton23;
    QToolButton *SpeedButton18;
    QCheckBox *CheckBox3, *CheckBox4;
    QPushButton *Button2;
    QWidget *Panel6;
    QLabel *Label11;
    QCheckBox *CheckBox2;
    // Panels over the window (hidden parts: null until ensureHiddenParts)
    QWidget *Panel1 = nullptr;
    QLabel *Label12 = nullptr, *Label13 = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    QWidget *Panel2 = nullptr;
    QLabel *Label14 = nullptr, *Label15 = nullptr, *Image1 = nullptr;
    QPushButton *BitBtn7 = nullptr, *BitBtn8 = nullptr;
    QWidget *Panel4 = nullptr;
    QLabel *Label19 = nullptr;
    QTableWidget *StringGrid1 = nullptr;
    QCheckBox *CheckBox1 = nullptr, *CheckBox6 = nullptr;
    QPushButton *Button1 = nullptr;
    // Basic settings (a hidden part)
    QWidget *Panel5 = nullptr;
    QCheckBox *CheckBox5 = nullptr;
    QSpinBox *SpinEdit3 = nullptr, *SpinEdit4 = nullptr, *SpinEdit5 = nullptr, *SpinEdit6 = nullptr,
             *SpinEdit2 = nullptr;
    QComboBox *ComboBox9 = nullptr, *ComboBox1 = nullptr, *ComboBox3 = nullptr;
    QComboBox *ComboBox10 = nullptr, *ComboBox11 = nullptr, *ComboBox12 = nullptr, *ComboBox13 = nullptr,
              *ComboBox14 = nullptr;
    QComboBox *ComboBox15 = nullptr, *ComboBox16 = nullptr, *ComboBox17 = nullptr;
    quillet::ui::ColorBox *ColorBox1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QLineEdit *Edit7 = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn6 = nullptr;
    quillet::ui::RadioGroup *RadioGroup1 = nullptr;
    // Window-wide
    QStatusBar *StatusBar1;
    QTimer *Timer1;
    QMenu *PopupMenu1 = nullptr; ///< a hidden part, with its actions
    QAction *MENW1 = nullptr, *MENW2 = nullptr, *MENW3 = nullptr, *DOTA = nullptr, *DOTB = nullptr;
    std::array<QAction *, 9> SUBMEN{};
    std::array<QAction *, 10> DOTAn{}, DOTBn{};
    /// Built after the window's first paint or on first use (buildDeferredParts).
    quillet::ui::FontDialog *FontDialog1 = nullptr;

    /// How the font dialog is run: modal by default; a test answers it in place.
    /// Returns the dialog's result code.
    using FontDialogRunner = std::function<int(quillet::ui::FontDialog &)>;
    void setFontDialogRunner(FontDialogRunner runner) { m_runFontDialog = std::move(runner); }
    /// How the help document is opened: the desktop's viewer by default. True when it opened.
    using HelpOpener = std::function<bool(const QUrl &)>;
    void setHelpOpener(HelpOpener opener) { m_openHelp = std::move(opener); }

    // Event handlers
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void BitBtn2Click();
    void Button2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void BitBtn6Click();
    void BitBtn1Click();
    void ListBox1Click();
    void ColorBox1Select();
    void ColorBox2DropDown();
    void ColorBox2CloseUp();
    void ComboBoxEx2Change();
    void ComboBox5Change();
    void ComboBox10Change();
    void ComboBox1Change();
    void ComboBox3Change();
    void PresetButtonClick(int preset, bool down);
    void SpeedButton18Click();
    void SpeedButton18MouseDown(Qt::MouseButtons buttons);
    void Button1Click();
    void SpeedButton1Click();
    void SpeedButton1MouseDown(Qt::MouseButtons buttons);
    void BitBtn5Click();
    void BitBtn4Click();
    void Memo1Change();
    /// Down arrow and Alt+Enter in the input box; true when the key was taken.
    bool Memo1KeyDown(const QKeyEvent *event);
    /// Enter in the input box; true when the key was dropped.
    bool Memo1KeyPress(const QKeyEvent *event);
    void Memo1MouseMove();
    void Memo1Exit();
    void Edit2Click();
    void SpeedButton5Click(bool down);
    void SpeedButton6Click();
    void MENW1Click();
    void MENW2Click();
    void SUBMENClick(int colour);
    void DOTAClick(int index);
    void DOTBClick(int index);
    void Timer1Timer();
    /// The pointer rests on preset button n (1..10): its picture in the preview.
    void PresetButtonMouseMove(int preset);
    /// The pointer is off the preset buttons: the preview of the current choices again.
    void FormMouseMove();
    // Phrase book (TForm1PhraseBook.cpp)
    void MLStringGrid1MouseMove(const QPoint &pos);
    void MLStringGrid1MouseWheel(int direction);
    void MLStringGrid1Click();
    bool MLStringGrid1SelectCell(int column, int row);
    void MLStringGrid1MouseDown(Qt::MouseButton button, const QPoint &pos);
    void MLStringGrid1DblClick();
    void MLStringGrid1SetEditText(int column, int row, const QString &text);
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton9MouseDown(Qt::MouseButtons buttons);
    void BitBtn7Click();
    void BitBtn8Click();
    void StringGrid2Click();
    void StringGrid2MouseMove();

    /// Opens the output view "出力図" beside the window (F5, or a double click on the
    /// setting preview), or brings it to the front.
    void openOutputView();
    quillet::outputview::OutputView *outputView() const { return m_outputView; }

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building the window (TForm1Controls.cpp, TForm1Panels.cpp)
    void createWindow();
    void createControls();
    void createTopRow();
    void createAnnotationInput();
    void createChoosers();
    void createPhraseBookArea();
    void createPresetCorner();
    void createBlockView();
    void createDeleteWarning();
    void showDeleteWarning();
    void createMemoWindow();
    void createBasicPanel();
    void createBasicPanelColours(QWidget *panel);
    void createPopupMenu();
    void wire();
    /// Connects the bound controls inside `within` (the whole window when null).
    void wireBindings(const QWidget *within = nullptr);
    void wireHiddenParts();
    /// The panels among the hidden parts; null until they are made.
    std::array<QWidget *, 4> hiddenPanels() const { return {Panel1, Panel2, Panel4, Panel5}; }
    /// Whether the block view exists and shows.
    bool blockViewShown() const { return Panel1 && Panel1->isVisible(); }
    /// The bound control of that object name; every one exists once the controls are made.
    template <typename Control> Control *bound(const char *name);
    void wirePhraseBook();
    void wireInputBox();
    void wireHelp();
    bool inputBoxEvent(QObject *watched, QEvent *event);
    void wirePreview();
    /// Hover events of the preset buttons; never takes the event.
    void presetHoverEvent(QObject *watched, const QEvent *event);

    // Start-up and model display (TForm1.cpp)
    void applyStartupState();
    void applyWindowSize();
    void applyCaptionsForMode();
    void assignHints();
    void fillPageIndex();
    // Phrase book display (TForm1PhraseBook.cpp)
    void showPhraseBook();
    void refreshGrid();
    void fillBlockView(bool full);
    void copyBlockToMemo();
    void deleteCurrentBlock();
    void indexFromGrid();
    void finishGridEdits();
    int currentBlock() const;
    bool phraseBookEvent(QObject *watched, QEvent *event);
    void applyInputMethod();
    void showModel();
    void showMemos();
    void showPresetButtons();
    void showFontSwitch();
    void showRadioMarks();
    void showWindowColour();
    void showFolderStatus();
    void showPresetHints();
    void showImeButton();
    void applyAvailability();
    void controlChanged(const char *name);
    void memosFromGrid();
    void memoToModel();
    void syncWindowPosition();
    void startFeedback(QWidget *greenCaption);
    void endRun();
    /// The choices or the text changed: the output view draws them again.
    void outputChanged();
    /// Runs a handler's core call; an uncaught error goes to AppException.
    template <typename Call> void guarded(Call call);

    quillet::Session m_session;
    quillet::phrasegrid::GridState m_grid;
    FolderChooser m_folderChooser;
    bool m_fillingIndex = false;
    int m_indexWheelRest = 0;
    std::unique_ptr<quillet::Host> m_ownHost;
    quillet::Host *m_host;
    std::string m_argument;
    std::filesystem::path m_startDir;
    std::array<QToolButton *, 10> m_presetButtons{};
    QHash<QString, QWidget *> m_controlsByName;
    quillet::StartupResult m_startupResult = quillet::StartupResult::Running;
    bool m_firstShowDone = false;
    bool m_firstPaintDone = false;
    Pace m_pace = Pace::AllAtOnce;
    bool m_hiddenPartsBuilt = false;
    bool m_startupStateShown = false;
    std::optional<quillet::ImeMode> m_imeButtonMode; ///< the mode SpeedButton1 shows
    bool m_runEnded = false;
    quillet::MemoCaretMemory m_memoCaret;
    quillet::ui::BriefHelp *m_briefHelp = nullptr;
    FontDialogRunner m_runFontDialog;
    HelpOpener m_openHelp;
    int m_hoveredPreset = 0; ///< preset whose picture PaintBox2 shows; 0 none
    double m_scale = 1.0;
    quillet::outputview::OutputView *m_outputView = nullptr;
};

template <typename Call> void TForm1::guarded(Call call)
{
    try {
        call();
    } catch (const std::exception &error) {
        AppException(error);
    }
}
