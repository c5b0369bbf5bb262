#pragma once

#include "document/CoverDocument.h"
#include "print/FaceTextCheck.h"
#include "print/LabelStock.h"
#include "print/PrintNotice.h"
#include "print/PrintSheet.h"

#include <QList>
#include <QString>
#include <optional>

// What one print run prints: the papers of the cover type and their rows,
// built once at the start of the run with the calibration of that moment,
// and which sheets are ticked.
class PrintJob {
public:
    // The papers and ticks the settings store holds for `coverType`, the
    // rows with the stored calibration.
    static PrintJob fromSettings(int32_t coverType);
    // Both sheets of the given papers, the rows with `calibration`.
    static PrintJob forPapers(int32_t coverType, const QString &coversPaper,
        const QString &discPaper, const Calibration &calibration);

    int32_t coverType = StandardCD;
    QString coversPaper; // the names as stored
    QString discPaper;
    std::optional<LabelStock> coversRow; // none: the paper names no stock
    std::optional<LabelStock> discRow;
    bool printCover = true;
    bool printDisc = true;
    Calibration calibration;

    // Why nothing can be printed: a cover type without paper, or a ticked
    // sheet whose paper names no stock. None when the job can print.
    std::optional<PrintNotice> refusal() const;

    // Whether the sheet's paper is a pre-cut label stock, printed on the
    // stock's own sheet (its pageSize) rather than on the paper chosen in the
    // printer dialog.
    bool onLabelSheet(SheetKind kind) const;

    // The insert-paper prompt is shown before every sheet unless both
    // papers are plain.
    bool asksForPaper() const;
    QString coversPrompt() const;
    QString discPrompt() const;

    // The ticked sheets of `doc`, covers first, drawn by the page composer.
    // `doc` must outlive the sheets.
    QList<PrintSheet> coverSheets(
        const CoverDocument &doc, DiscLabelPosition position, int referenceDpi) const;
    // The faces coverSheets prints whose text would be cut off, in order.
    QList<FaceTextReport> cutText(const CoverDocument &doc, int referenceDpi) const;
    // The calibration test page: both sheets, on plain paper, no prompt.
    QList<PrintSheet> calibrationSheets(DiscLabelPosition position) const;

    // The position the disc sheet is printed at: Both only on a label sheet,
    // where the two labels lie apart; plain paper takes its top place.
    DiscLabelPosition discPosition(DiscLabelPosition chosen) const;

    // "cover(s)" or "disc label", as the messages name a sheet.
    static QString sheetName(SheetKind kind);

private:
    static QList<QRect> labelOutlines(const LabelStock &row, const PageDevice &device);
};
