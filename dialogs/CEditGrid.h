#pragma once

#include <QByteArray>
#include <QTableWidget>

// The track grid: a header row, an invisible column 0 and free-text cells
// (1 number, 2 title, 3 length) edited in place. A click, Enter or typing
// begins editing a cell (typing with the key typed); Enter ends it and moves
// down, Tab and Shift+Tab move title, length, next row's title (the numbers
// are the renumbering's), Escape drops the edit. Moving on past a last row
// that holds a title or a length adds a row. Delete clears the selected
// cells, Alt+Up and Alt+Down move the selected rows, a paste of several
// lines fills a row a line. While the grid has the focus, Enter and Escape
// are its own and never reach the dialog's buttons.
//
// Cells hold the document's bytes beside the text they show, so a cell that
// was not edited gives back exactly the bytes it was given.
class CEditGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit CEditGrid(QWidget *parent = nullptr);

    // Column widths are designed in twips (1/1440 inch).
    void setColumnWidthTwips(int column, int twips);
    static int twipsToPixels(int twips, int dpi);

    QString cellText(int row, int column) const;
    QByteArray cellBytes(int row, int column) const;
    void setCellBytes(int row, int column, const QByteArray &bytes);
    void setCellText(int row, int column, const QString &text);
    // A new empty row at `row`; its invisible column 0 says "New Row".
    void insertEmptyRow(int row);

    bool isEditing() const;
    // Opens the editor on the current cell (not in column 0).
    void beginEditing();
    // Stores what the editor holds and closes it.
    void endEditing();

    // A title or a length in the row.
    bool rowHasContent(int row) const;
    // The rows with a selected cell, in order; the current row when none.
    QList<int> selectedRowList() const;
    // Moves the selected rows one up (-1) or down (1), when there is room.
    void moveSelectedRows(int delta);
    void clearSelectedCells();
    // Several lines or tabs: rows from the current row on, added as needed;
    // else the text goes into the current cell.
    void pasteText(const QString &text);

Q_SIGNALS:
    // The grid added, moved or filled rows itself.
    void rowsChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    QTableWidgetItem *itemAt(int row, int column);
    // The row below `row`: a new one after a last row with content; -1 when
    // there is none.
    int rowBelow(int row);
    void swapRows(int a, int b);
};
