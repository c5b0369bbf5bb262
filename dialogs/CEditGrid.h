#pragma once

#include <QByteArray>
#include <QTableWidget>

// The track grid: a header row, an invisible column 0 and free-text cells
// edited in place. A click or Enter begins editing a cell; Enter or moving
// the focus away ends it, Escape drops the edit. While the grid has the
// focus, Enter and Escape are its own and never reach the dialog's buttons.
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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QTableWidgetItem *itemAt(int row, int column);
};
