// The annotation input box and the controls beside it: the capacity of five lines of
// 70 bytes, the keys that would break it, the input method and the font.
#include "ui/TForm1.h"

#include "model/MemoCapacity.h"
#include "ui/FontDialog.h"
#include "ui/ImeControl.h"
#include "ui/MemoCapacity.h"
#include "ui/Texts.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QToolButton>

using namespace quillet;
using namespace quillet::ui;

void TForm1::wireInputBox()
{
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TForm1::Memo1Change);
    Memo1->installEventFilter(this);
    Memo1->viewport()->installEventFilter(this);
    Memo1->viewport()->setMouseTracking(true);
    Edit2->installEventFilter(this);
    SpeedButton1->installEventFilter(this);
    m_runFontDialog = [](FontDialog &dialog) { return dialog.exec(); };
}

bool TForm1::inputBoxEvent(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == Memo1 && type == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        return Memo1KeyDown(key) || Memo1KeyPress(key);
    }
    if (watched == Memo1 && type == QEvent::FocusOut) {
        // Leaving for another window or a pop-up menu is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Memo1Exit();
    } else if (watched == Memo1->viewport() && type == QEvent::MouseMove) {
        Memo1MouseMove();
    } else if (watched == Edit2 && type == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
               Edit2->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
        Edit2Click();
        return true;
    }
    return false;
}

void TForm1::Memo1Change()
{
    const MemoCaret now = memo::caretOf(Memo1);
    m_memoCaret.enter(now);
    if (memo::fitDocument(Memo1->document())) {
        // The first line comes back into view before the caret goes where it belongs.
        Memo1->verticalScrollBar()->setValue(0);
        memo::placeCaret(Memo1, m_memoCaret.restored(now));
        Memo1->ensureCursorVisible();
    }
    m_memoCaret.leave();
    memoToModel();
}

void TForm1::memoToModel()
{
    m_session.form.memoLines = memo::toLines(Memo1->toPlainText());
    outputChanged();
}

bool TForm1::Memo1KeyDown(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Down) {
        // The box keeps five lines; the caret has nowhere to go below the fifth.
        const MemoCaret caret = memo::caretOf(Memo1);
        if (memoCaretMayGoDown(caret.line))
            return false;
        if (caret.line > kMemoMaxLines - 1)
            memo::placeCaret(Memo1, {kMemoMaxLines - 1, caret.column});
        return true;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !(event->modifiers() & Qt::AltModifier))
        return false;
    // A file already written back, or one that made no sense, has nothing to draw into.
    const ExchangeVerdict verdict = m_session.verdict;
    if (verdict != ExchangeVerdict::AlreadyTransformed && verdict != ExchangeVerdict::Abnormal && BitBtn2->isEnabled())
        BitBtn2Click();
    return true;
}

bool TForm1::Memo1KeyPress(const QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter)
        return false;
    if (!memoTakesLineBreak(Memo1->document()->blockCount()))
        return true;
    // Shift+Enter breaks the line like Enter: the box's own line separator would be
    // a line the output counts but the box does not.
    if (event->modifiers() & Qt::ShiftModifier) {
        QTextCursor caret = Memo1->textCursor();
        caret.insertBlock();
        Memo1->setTextCursor(caret);
        return true;
    }
    return false;
}

void TForm1::Memo1MouseMove()
{
    if (!Memo1->hasFocus())
        Memo1->setFocus(Qt::MouseFocusReason);
}

void TForm1::Memo1Exit()
{
    ime::resetControl(Memo1);
}

void TForm1::BitBtn4Click()
{
    Memo1->clear();
}

void TForm1::SpeedButton1Click()
{
    if (m_session.form.imeOn) {
        ime::open(this, m_session.form.imeCaption);
        return;
    }
    ime::close(this);
    if (m_session.files.settingsList.size() > 14)
        m_session.files.settingsList[14] = "0";
}

void TForm1::SpeedButton1MouseDown(Qt::MouseButtons buttons)
{
    if (!(buttons & Qt::RightButton) || !m_session.form.imeOn)
        return;
    ImeMode &mode = m_session.form.imeCaption;
    mode = mode == ImeMode::FullAlphanumeric ? ImeMode::Hiragana : ImeMode(int(mode) + 1);
    if (m_session.files.settingsList.size() > 14)
        m_session.files.settingsList[14] = std::to_string(int(mode));
    showImeButton();
    ime::open(this, mode);
}

void TForm1::BitBtn5Click()
{
    int &flag = m_session.form.fontSwitch;
    flag = flag != 0 ? 0 : 1;
    showFontSwitch();
}

void TForm1::Edit2Click()
{
    buildDeferredParts();
    // The dialog opens on the font held now, so that a cancel leaves that font held.
    FontDialog1->setFontName(fromSjis(m_session.form.heldFontNameOrDefault()));
    const int result = m_runFontDialog(*FontDialog1);
    const QString name = FontDialog1->fontName();
    if (result == QDialog::Accepted)
        Edit2->setText(name);
    m_session.form.selectedFontName = toSjis(name);
    showFontSwitch();
}
