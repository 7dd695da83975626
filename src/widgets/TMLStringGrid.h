#pragma once
#include <QPersistentModelIndex>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableWidget>

#include <functional>

namespace quillet::widgets {

class TMLStringGrid;

/// The cell editor of TMLStringGrid: several lines, Enter breaks the line, Ctrl+Enter
/// ends the edit, plain arrows stay inside the text and Ctrl+arrows move the cell.
class TMLInplaceEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    TMLInplaceEdit(TMLStringGrid *grid, const QModelIndex &index, QWidget *parent);
    const QPersistentModelIndex &index() const { return m_index; }
    /// Puts text in without raising the edit-text notice, caret at the end, nothing selected.
    void load(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TMLStringGrid *m_grid;
    QPersistentModelIndex m_index;
    bool m_loading = false;
};

/// A string grid whose cells hold several lines of text, drawn from 2 pixels in from
/// the cell's left and top edges, an ampersand marking the next letter as a mnemonic.
/// It behaves like the designer's string grid: a current cell that user gestures move
/// only when the select-cell check allows it, a click notice on every such move, and
/// an edit-text notice on every change in the cell editor.
class TMLStringGrid : public QTableWidget {
    Q_OBJECT
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
public:
    TMLStringGrid(int columns, int rows, QWidget *parent = nullptr);

    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);
    int defaultRowHeight() const;

    /// Asked before a user gesture makes (column, row) current; true allows it.
    void setSelectCellCheck(std::function<bool(int column, int row)> check) { m_selectCell = std::move(check); }
    /// Makes (column, row) current as a user gesture does: only when the check allows
    /// it, and then with the click notice (also when the cell was current already).
    bool focusCell(int column, int row);

    /// In-place editing on or off.
    void setEditingAllowed(bool allowed);
    /// Ends an open edit, keeping the text in the cell.
    void endEdit();
    TMLInplaceEdit *inplaceEditor() const { return m_editor; }

signals:
    /// A user gesture chose the current cell (the designer grid's click).
    void gridClick();
    /// The left button was double-clicked.
    void gridDblClick();
    /// The pointer moved; `pos` in the grid's own coordinates.
    void pointerMoved(const QPoint &pos);
    /// A mouse button went down; `pos` in the grid's own coordinates.
    void buttonPressed(Qt::MouseButton button, const QPoint &pos);
    /// One wheel step, +1 down, -1 up, before the grid's own step of the current row.
    void wheelStepped(int direction);
    /// The text in the cell editor changed.
    void editTextChanged(int column, int row, const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyboardSearch(const QString &) override {}

private:
    friend class TMLInplaceEdit;
    friend class MLCellDelegate;
    void editorCreated(TMLInplaceEdit *editor) { m_editor = editor; }
    void editorTextChanged(const TMLInplaceEdit *editor);
    /// Ctrl+arrow in the editor: the edit ends, the cell moves one step, the edit goes on there.
    void stepFromEditor(int key);
    bool moveByKey(int key);
    QPoint toGrid(const QPoint &viewportPos) const;

    std::function<bool(int, int)> m_selectCell;
    QPointer<TMLInplaceEdit> m_editor;
    bool m_wordWrap = false;
    int m_wheelRest = 0;
};

} // namespace quillet::widgets
