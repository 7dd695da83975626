#include "widgets/TMLStringGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace quillet::widgets {

namespace {

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

Qt::KeyboardModifiers modifiersOf(const QKeyEvent *event)
{
    return event->modifiers() & ~Qt::KeypadModifier;
}

} // namespace

/// Draws the cells and makes the multi-line editor.
class MLCellDelegate : public QStyledItemDelegate {
public:
    explicit MLCellDelegate(TMLStringGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

        QString text = index.data().toString();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        // Line breaks start new lines, an ampersand underlines the letter after it.
        int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
        if (m_grid->wordWrap())
            flags |= Qt::TextWordWrap;
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setClipRect(option.rect);
        painter->setFont(option.font);
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect.adjusted(2, 2, 0, 0), flags, text);
        painter->restore();
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *editor = new TMLInplaceEdit(m_grid, index, parent);
        m_grid->editorCreated(editor);
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static_cast<TMLInplaceEdit *>(editor)->load(index.data().toString());
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, static_cast<TMLInplaceEdit *>(editor)->toPlainText());
    }

    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        editor->setGeometry(option.rect);
    }

private:
    TMLStringGrid *m_grid;
};

TMLInplaceEdit::TMLInplaceEdit(TMLStringGrid *grid, const QModelIndex &index, QWidget *parent)
    : QPlainTextEdit(parent), m_grid(grid), m_index(index)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The field scrolls itself to the caret both ways; a cell has no room for bars.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    document()->setDocumentMargin(1);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading)
            m_grid->editorTextChanged(this);
    });
}

void TMLInplaceEdit::load(const QString &text)
{
    m_loading = true;
    setPlainText(text);
    m_loading = false;
    moveCursor(QTextCursor::End);
}

void TMLInplaceEdit::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = modifiersOf(event);
    const int key = event->key();
    if (isEnter(key) && modifiers == Qt::ControlModifier) {
        m_grid->endEdit();
        return;
    }
    if (isArrow(key) && modifiers == Qt::NoModifier) {
        // At the first or last line the field has nowhere to go; the key must still
        // not fall through to the grid and move its cell.
        QPlainTextEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    if (isArrow(key) && modifiers == Qt::ControlModifier) {
        m_grid->stepFromEditor(key);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

TMLStringGrid::TMLStringGrid(int columns, int rows, QWidget *parent) : QTableWidget(parent)
{
    // Headers still showing would measure the text of every new section.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setColumnCount(columns);
    setRowCount(rows);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setAutoScroll(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setItemDelegate(new MLCellDelegate(this));
    setEditingAllowed(true);
    QTableView::setWordWrap(false);
}

void TMLStringGrid::setWordWrap(bool wrap)
{
    if (wrap == m_wordWrap)
        return;
    m_wordWrap = wrap;
    QTableView::setWordWrap(wrap);
    viewport()->update();
}

QString TMLStringGrid::cell(int column, int row) const
{
    const QTableWidgetItem *cellItem = item(row, column);
    return cellItem ? cellItem->text() : QString();
}

void TMLStringGrid::setCell(int column, int row, const QString &text)
{
    if (QTableWidgetItem *cellItem = item(row, column))
        cellItem->setText(text);
    else
        setItem(row, column, new QTableWidgetItem(text));
}

int TMLStringGrid::defaultRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

bool TMLStringGrid::focusCell(int column, int row)
{
    if (column < 0 || column >= columnCount() || row < 0 || row >= rowCount())
        return false;
    if (m_selectCell && !m_selectCell(column, row))
        return false;
    setCurrentCell(row, column);
    emit gridClick();
    return true;
}

void TMLStringGrid::setEditingAllowed(bool allowed)
{
    setEditTriggers(allowed ? QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                            : QAbstractItemView::NoEditTriggers);
    if (!allowed)
        endEdit();
}

void TMLStringGrid::endEdit()
{
    if (TMLInplaceEdit *editor = m_editor) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TMLStringGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    auto *inplace = qobject_cast<TMLInplaceEdit *>(editor);
    if (inplace && hint == QAbstractItemDelegate::RevertModelCache) {
        // Every change was already handed on; handing on the old text undoes them, so
        // what is stored stays what the cell shows.
        const QString original = cell(inplace->index().column(), inplace->index().row());
        if (inplace->toPlainText() != original)
            inplace->setPlainText(original);
    }
    if (inplace == m_editor)
        m_editor = nullptr;
    QTableWidget::closeEditor(editor, hint);
}

void TMLStringGrid::editorTextChanged(const TMLInplaceEdit *editor)
{
    if (editor->index().isValid())
        emit editTextChanged(editor->index().column(), editor->index().row(), editor->toPlainText());
}

void TMLStringGrid::stepFromEditor(int key)
{
    endEdit();
    moveByKey(key);
    if (editTriggers() != QAbstractItemView::NoEditTriggers)
        edit(currentIndex(), QAbstractItemView::EditKeyPressed, nullptr);
}

bool TMLStringGrid::moveByKey(int key)
{
    int column = std::max(currentColumn(), 0), row = std::max(currentRow(), 0);
    switch (key) {
    case Qt::Key_Left:
        column = std::max(column - 1, 0);
        break;
    case Qt::Key_Right:
        column = std::min(column + 1, columnCount() - 1);
        break;
    case Qt::Key_Up:
        row = std::max(row - 1, 0);
        break;
    case Qt::Key_Down:
        row = std::min(row + 1, rowCount() - 1);
        break;
    case Qt::Key_Home:
        column = 0;
        break;
    case Qt::Key_End:
        column = columnCount() - 1;
        break;
    case Qt::Key_PageUp:
        row = 0;
        break;
    case Qt::Key_PageDown:
        row = rowCount() - 1;
        break;
    default:
        return false;
    }
    if (column != currentColumn() || row != currentRow())
        focusCell(column, row);
    return true;
}

void TMLStringGrid::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_F2) {
        // The base opens the editor; loading it leaves the caret at the end, unselected.
        QTableWidget::keyPressEvent(event);
        return;
    }
    if (isEnter(key) && modifiersOf(event) == Qt::NoModifier) {
        if (state() != QAbstractItemView::EditingState && editTriggers() != QAbstractItemView::NoEditTriggers)
            edit(currentIndex(), QAbstractItemView::EditKeyPressed, event);
        event->accept();
        return;
    }
    // Every move of the current cell goes through the select-cell check.
    if (moveByKey(key)) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

QPoint TMLStringGrid::toGrid(const QPoint &viewportPos) const
{
    return viewport()->mapToParent(viewportPos);
}

void TMLStringGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    endEdit();
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        const QModelIndex index = indexAt(pos);
        if (index.isValid())
            focusCell(index.column(), index.row());
    }
    emit buttonPressed(event->button(), toGrid(pos));
    event->accept();
}

void TMLStringGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit gridDblClick();
}

void TMLStringGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit pointerMoved(toGrid(pos));
    if (event->buttons() & Qt::LeftButton) {
        const QModelIndex index = indexAt(pos);
        if (index.isValid() && index != currentIndex())
            focusCell(index.column(), index.row());
    }
    event->accept();
}

void TMLStringGrid::wheelEvent(QWheelEvent *event)
{
    m_wheelRest += event->angleDelta().y();
    while (m_wheelRest >= 120 || m_wheelRest <= -120) {
        const int direction = m_wheelRest > 0 ? -1 : 1;
        m_wheelRest += direction * 120;
        emit wheelStepped(direction);
        const int row = currentRow() + direction;
        if (row >= 0 && row < rowCount())
            focusCell(std::max(currentColumn(), 0), row);
    }
    event->accept();
}

} // namespace quillet::widgets
