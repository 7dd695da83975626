// The phrase-book part of the main window: the block grid, the page index, the block
// view, the delete warning and the folder switch. The core decides what happens to
// the page and its files; these handlers hand it the gesture and show the result.
#include "ui/TForm1.h"

#include "phrasebook/PhraseBookEditing.h"
#include "ui/MemoCapacity.h"
#include "ui/Texts.h"
#include "widgets/TMLStringGrid.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTextBlock>
#include <QToolButton>
#include <QWheelEvent>

using namespace quillet;
using namespace quillet::ui;
using quillet::widgets::TMLStringGrid;
namespace pg = quillet::phrasegrid;

namespace {

QString joined(const Lines &lines)
{
    QStringList parts;
    for (const std::string &line : lines)
        parts << fromSjis(line);
    return parts.join(QLatin1Char('\n'));
}

std::optional<std::filesystem::path> chooseWithDialog(QWidget *parent, const QString &title,
                                                      const std::filesystem::path &startDir)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, title, QString::fromStdString(startDir.u8string()),
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    return std::filesystem::u8path(folder.toStdString());
}

bool focusInside(const QWidget *widget)
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

} // namespace

void TForm1::wirePhraseBook()
{
    m_folderChooser = chooseWithDialog;
    MLStringGrid1->setSelectCellCheck([this](int column, int row) { return MLStringGrid1SelectCell(column, row); });
    connect(MLStringGrid1, &TMLStringGrid::pointerMoved, this, &TForm1::MLStringGrid1MouseMove);
    connect(MLStringGrid1, &TMLStringGrid::wheelStepped, this, &TForm1::MLStringGrid1MouseWheel);
    connect(MLStringGrid1, &TMLStringGrid::gridClick, this, &TForm1::MLStringGrid1Click);
    connect(MLStringGrid1, &TMLStringGrid::buttonPressed, this, &TForm1::MLStringGrid1MouseDown);
    connect(MLStringGrid1, &TMLStringGrid::gridDblClick, this, &TForm1::MLStringGrid1DblClick);
    connect(MLStringGrid1, &TMLStringGrid::editTextChanged, this, &TForm1::MLStringGrid1SetEditText);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::SpeedButton8Click);
    SpeedButton9->installEventFilter(this);
    StringGrid2->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    StringGrid2->setTabKeyNavigation(false);
    connect(StringGrid2, &QTableWidget::currentCellChanged, this, &TForm1::StringGrid2Click);
    connect(StringGrid2, &QTableWidget::itemChanged, this, &TForm1::indexFromGrid);
    StringGrid2->viewport()->setMouseTracking(true);
    StringGrid2->viewport()->installEventFilter(this);
}

bool TForm1::phraseBookEvent(QObject *watched, QEvent *event)
{
    if (watched == SpeedButton9 && event->type() == QEvent::MouseButtonPress && SpeedButton9->isEnabled()) {
        SpeedButton9MouseDown(static_cast<QMouseEvent *>(event)->buttons());
        return false;
    }
    if (watched != StringGrid2->viewport())
        return false;
    if (event->type() == QEvent::MouseMove)
        StringGrid2MouseMove();
    if (event->type() != QEvent::Wheel)
        return false;
    // The wheel steps the selected page, as the arrow keys do; it never scrolls.
    m_indexWheelRest += static_cast<QWheelEvent *>(event)->angleDelta().y();
    while (m_indexWheelRest >= 120 || m_indexWheelRest <= -120) {
        const int direction = m_indexWheelRest > 0 ? -1 : 1;
        m_indexWheelRest += direction * 120;
        const int row = StringGrid2->currentRow() + direction;
        if (row >= 0 && row < StringGrid2->rowCount())
            StringGrid2->setCurrentCell(row, 0);
    }
    return true;
}

void TForm1::showPhraseBook()
{
    const bool open = m_session.phraseBookOpened;
    for (QWidget *control : {static_cast<QWidget *>(SpeedButton7), static_cast<QWidget *>(SpeedButton8),
                             static_cast<QWidget *>(SpeedButton9)})
        control->setEnabled(open);
    // Without an opened phrase book the lists are placeholders that must never reach a file.
    MLStringGrid1->setEditingAllowed(open && m_session.phraseBook.acceptsEdits());
    StringGrid2->setEnabled(open);
    fillPageIndex();
    if (open)
        refreshGrid();
}

void TForm1::fillPageIndex()
{
    const QSignalBlocker blocker(StringGrid2);
    m_fillingIndex = true;
    const Lines &index = m_session.phraseBook.pageIndex();
    auto setText = [](QTableWidget *grid, int row, const QString &text) {
        if (QTableWidgetItem *item = grid->item(row, 0))
            item->setText(text);
        else
            grid->setItem(row, 0, new QTableWidgetItem(text));
    };
    for (int row = 0; row < 20; ++row) {
        setText(StringGrid3, row, QStringLiteral("%1").arg(row + 1, 2));
        setText(StringGrid2, row, row < int(index.size()) ? fromSjis(index[std::size_t(row)]) : QString());
    }
    if (m_session.phraseBookOpened)
        StringGrid2->setCurrentCell(m_session.phraseBook.pageNumber() - 1, 0);
    m_fillingIndex = false;
}

void TForm1::indexFromGrid()
{
    if (m_fillingIndex)
        return;
    // A name being typed counts as typed, as the designer grid hands on every change.
    const QLineEdit *editor = nullptr;
    for (const QLineEdit *edit : StringGrid2->viewport()->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly)) {
        if (edit->isVisible())
            editor = edit;
    }
    Lines &index = m_session.phraseBook.pageIndex();
    index.resize(20);
    for (int row = 0; row < 20; ++row) {
        const QTableWidgetItem *item = StringGrid2->item(row, 0);
        QString text = item ? item->text() : QString();
        if (editor && row == StringGrid2->currentRow())
            text = editor->text();
        index[std::size_t(row)] = toSjis(text);
    }
}

void TForm1::finishGridEdits()
{
    MLStringGrid1->endEdit();
    indexFromGrid();
}

int TForm1::currentBlock() const
{
    return pg::blockAt(std::max(MLStringGrid1->currentColumn(), 0), std::max(MLStringGrid1->currentRow(), 0));
}

void TForm1::refreshGrid()
{
    MLStringGrid1->endEdit();
    const Lines &page = m_session.phraseBook.openPage();
    const int height = MLStringGrid1->defaultRowHeight();
    for (int row = 0; row < pg::kRows; ++row) {
        const bool open = row == m_grid.openRow;
        MLStringGrid1->setRowHeight(row, open ? 5 * height : height);
        for (int column = 0; column < pg::kColumns; ++column) {
            const int block = pg::blockAt(column, row);
            MLStringGrid1->setCell(column, row,
                                   open ? joined(pg::blockLines(page, block))
                                        : fromSjis(m_grid.condensed[std::size_t(block)]));
        }
    }
}

void TForm1::fillBlockView(bool full)
{
    const Lines block = pg::blockLines(m_session.phraseBook.openPage(), currentBlock());
    Memo2->setPlainText(joined(pg::blockViewLines(block, full)));
}

void TForm1::copyBlockToMemo()
{
    if (!m_session.phraseBookOpened)
        return;
    const int mode = m_session.form.copyMethod;
    const bool knownMode = mode >= 0 && mode <= 3;
    // Without a copy mode the gesture only steps the caret, as with the block view up.
    const pg::MemoCopy copy = pg::copyBlock(memo::toLines(Memo1->toPlainText()), Memo1->textCursor().blockNumber(),
                                            pg::blockLines(m_session.phraseBook.openPage(), currentBlock()),
                                            pg::CopyMode(knownMode ? mode : 0), blockViewShown() || !knownMode);
    if (copy.linesChanged)
        Memo1->setPlainText(joined(copy.lines));
    if (copy.caretMoved) {
        QTextBlock line = Memo1->document()->findBlockByNumber(copy.caretLine);
        if (!line.isValid())
            line = Memo1->document()->lastBlock();
        Memo1->setTextCursor(QTextCursor(line));
    }
}

void TForm1::MLStringGrid1MouseMove(const QPoint &pos)
{
    // Focus follows the pointer, but an edit under way keeps it.
    if (!focusInside(MLStringGrid1))
        MLStringGrid1->setFocus(Qt::MouseFocusReason);
    const int row = MLStringGrid1->rowAt(MLStringGrid1->viewport()->mapFromParent(pos).y());
    const pg::PointerStep step =
        pg::pointerMove(m_grid, pos.x(), MLStringGrid1->width(), m_session.form.basic.detectionRange, row);
    if (step.openRow) {
        const int column = step.column >= 0 ? step.column : std::max(MLStringGrid1->currentColumn(), 0);
        MLStringGrid1->setCurrentCell(m_grid.openRow, column);
        refreshGrid();
        if (blockViewShown())
            fillBlockView(true);
    } else if (step.column >= 0 && step.column != MLStringGrid1->currentColumn()) {
        MLStringGrid1->focusCell(step.column, std::max(MLStringGrid1->currentRow(), 0));
    }
}

void TForm1::MLStringGrid1MouseWheel(int direction)
{
    if (!pg::wheelStep(m_grid, direction))
        return;
    refreshGrid();
    if (blockViewShown())
        fillBlockView(true);
}

void TForm1::MLStringGrid1Click()
{
    m_grid.openRow = std::max(MLStringGrid1->currentRow(), 0);
    refreshGrid();
    if (blockViewShown())
        fillBlockView(true);
}

bool TForm1::MLStringGrid1SelectCell(int, int)
{
    return m_grid.permission;
}

void TForm1::MLStringGrid1MouseDown(Qt::MouseButton button, const QPoint &pos)
{
    ensureHiddenParts();
    if (button == Qt::RightButton && !blockViewShown()) {
        PopupMenu1->popup(MLStringGrid1->mapToGlobal(pos));
    } else if (button == Qt::MiddleButton) {
        Panel1->setVisible(!blockViewShown());
        if (blockViewShown()) {
            Panel1->raise();
            fillBlockView(false);
        }
    }
}

void TForm1::MLStringGrid1DblClick()
{
    copyBlockToMemo();
}

void TForm1::MLStringGrid1SetEditText(int column, int row, const QString &text)
{
    if (row != m_grid.openRow || !m_session.phraseBookOpened)
        return;
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    pg::storeCellEdit(m_session.phraseBook, m_grid, pg::blockAt(column, row), toSjis(lines));
}

void TForm1::SpeedButton8Click()
{
    finishGridEdits();
    bool changed = false;
    guarded([&] {
        changed = pg::registerInput(m_session.phraseBook, m_grid, *m_host, currentBlock(),
                                    memo::toLines(Memo1->toPlainText()));
    });
    if (changed)
        showPhraseBook();
}

void TForm1::SpeedButton9MouseDown(Qt::MouseButtons buttons)
{
    if (buttons & Qt::LeftButton) {
        showDeleteWarning();
    } else if (buttons & (Qt::RightButton | Qt::MiddleButton)) {
        deleteCurrentBlock();
    }
}

void TForm1::deleteCurrentBlock()
{
    finishGridEdits();
    guarded([this] { pg::deleteFromBook(m_session.phraseBook, m_grid, *m_host, currentBlock()); });
    MLStringGrid1->setCell(std::max(MLStringGrid1->currentColumn(), 0), std::max(MLStringGrid1->currentRow(), 0),
                           QString());
    // Deleting on a page without a file created it: its index row is no longer "(ページなし)".
    fillPageIndex();
    MLStringGrid1->setEditingAllowed(m_session.phraseBook.acceptsEdits());
}

void TForm1::BitBtn7Click()
{
    deleteCurrentBlock();
    Panel2->hide();
}

void TForm1::BitBtn8Click()
{
    Panel2->hide();
}

void TForm1::StringGrid2Click()
{
    if (m_fillingIndex || !m_session.phraseBookOpened)
        return;
    const int row = StringGrid2->currentRow();
    if (row < 0 || std::to_string(row + 1) == m_session.phraseBook.page())
        return;
    finishGridEdits();
    guarded([&] { pg::switchPage(m_session.phraseBook, m_grid, *m_host, row + 1); });
    showPhraseBook();
    if (blockViewShown())
        fillBlockView(false);
}

void TForm1::StringGrid2MouseMove()
{
    if (!focusInside(StringGrid2))
        StringGrid2->setFocus(Qt::MouseFocusReason);
}

void TForm1::SpeedButton7Click()
{
    finishGridEdits();
    const std::optional<std::filesystem::path> chosen =
        m_folderChooser ? m_folderChooser(this, QStringLiteral("文字帳切り替え"), m_startDir) : std::nullopt;
    guarded([&] { pg::switchFolder(m_session.phraseBook, m_grid, *m_host, chosen); });
    showPhraseBook();
    if (blockViewShown())
        fillBlockView(false);
    showFolderStatus();
}
