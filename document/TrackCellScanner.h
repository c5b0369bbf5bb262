#pragma once

#include <QByteArray>
#include <QString>

// Walks the cells of a track listing ("[DELIM]" value "[/DELIM]", three a
// row) in one pass over the string, for every reader of listings: the cover
// file's conversion, the editor and the renderers. Works on the stored bytes
// or on text already decoded; the string must outlive the scanner.
//
// A cell whose closing marker is missing runs to the end of the string and
// so overlaps every cell after it; a damaged listing of n bytes could hold
// n * n / 14 bytes of cells. Genuine cells lie side by side, so the scan
// stops once the cells found hold far more than the whole string.
class TrackCellScanner {
public:
    struct Cell {
        qsizetype start = 0; // offset of the cell's text
        qsizetype size = 0;
        int column = 0; // 0 number, 1 title, 2 length
    };

    explicit TrackCellScanner(const QByteArray &encoded);
    explicit TrackCellScanner(const QString &text);

    // The next cell; false when there is none or the budget is spent.
    bool next(Cell &cell);

private:
    qsizetype find(bool closing, qsizetype from) const;

    const QByteArray *m_bytes = nullptr;
    const QString *m_text = nullptr;
    qsizetype m_size = 0;
    qsizetype m_budget = 0;
    qsizetype m_decoded = 0;
    qsizetype m_offset = 0;
    // The first "[/DELIM]" at or after the last "[DELIM]"; it stays the
    // answer for every later "[DELIM]" before it, which keeps one scan over
    // the string however many cells lack their closing marker.
    qsizetype m_close = -1;
    bool m_noMoreClose = false;
    int m_column = 0;
    bool m_done = false;
};
