#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Text pasted into the track grid as rows of number, title and length: one
// row a line, the cells of a line split by tabs (as spreadsheets copy them)
// or read from "3. Title 4:05", "03 - Title (4:05)", "Title [4:05]".
class PastedTracks {
public:
    // Three cells a row; a cell the line does not give is empty. Empty
    // lines give no row.
    static QList<QStringList> parse(const QString &text);

    // Whether the text is more than one cell: several lines or a tab.
    static bool isRows(const QString &text);

    // "4:05", "1:02:03" in seconds; -1 for anything else.
    static qint64 lengthSeconds(const QString &text);
};
