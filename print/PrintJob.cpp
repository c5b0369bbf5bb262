#include "PrintJob.h"

#include "FaceTextCheck.h"

#include "document/UserSettings.h"
#include "print/CalibrationPage.h"
#include "print/PageComposer.h"

namespace {

std::optional<LabelStock> rowFor(std::optional<StockRow> row, const Calibration &calibration)
{
    if (!row)
        return std::nullopt;
    return applyCalibration(baseLabelStock(*row), calibration);
}

QString insertPaperMessage(const QString &stockName, const char *what)
{
    return QStringLiteral("Please insert the '") + promptName(stockName)
        + QStringLiteral("' and press 'Print' to continue printing the ") + QLatin1String(what)
        + QStringLiteral(".");
}

PrintNotice unknownPaper(SheetKind kind, const QString &name)
{
    const QString sheet = PrintJob::sheetName(kind);
    const QString text = name.isEmpty()
        ? QStringLiteral("No paper is chosen for the %1, so nothing was printed.  Please choose "
                         "the paper in the Print dialog.")
              .arg(sheet)
        : QStringLiteral("The paper '%1' chosen for the %2 is not a paper or label sheet Discora "
                         "knows, so nothing was printed.  Please choose the paper again in the "
                         "Print dialog.")
              .arg(name, sheet);
    return {text, QStringLiteral("Print"), PrintNotice::Kind::Error};
}

} // namespace

PrintJob PrintJob::fromSettings(int32_t coverType)
{
    const UserSettings settings;
    PrintJob job = forPapers(coverType, settings.coversPaperFor(coverType),
        settings.discPaperFor(coverType), storedCalibration());
    job.printCover = settings.printCover != 0;
    job.printDisc = settings.printDisc != 0;
    return job;
}

PrintJob PrintJob::forPapers(int32_t coverType, const QString &coversPaper,
    const QString &discPaper, const Calibration &calibration)
{
    PrintJob job;
    job.coverType = coverType;
    job.coversPaper = coversPaper;
    job.discPaper = discPaper;
    job.calibration = calibration;
    job.coversRow = rowFor(stockRowForCovers(coversPaper, coverType), calibration);
    job.discRow = rowFor(stockRowForDisc(discPaper, coverType), calibration);
    return job;
}

std::optional<PrintNotice> PrintJob::refusal() const
{
    if (!plainRowForCoverType(coverType))
        return PrintNotice{QStringLiteral("Covers of type Other have no paper or label sheet to "
                                          "print on, so nothing was printed."),
            QStringLiteral("Print"), PrintNotice::Kind::Error};
    if (printCover && !coversRow)
        return unknownPaper(SheetKind::Covers, coversPaper);
    if (printDisc && !discRow)
        return unknownPaper(SheetKind::Disc, discPaper);
    return std::nullopt;
}

bool PrintJob::onLabelSheet(SheetKind kind) const
{
    if (kind == SheetKind::Covers)
        return coversRow && coversPaper != kPlainPaper;
    return discRow && discPaper != kPlainPaper;
}

bool PrintJob::asksForPaper() const
{
    return !(coversPaper == kPlainPaper && discPaper == kPlainPaper);
}

QString PrintJob::coversPrompt() const
{
    return insertPaperMessage(coversPaper, "cover(s)");
}

QString PrintJob::discPrompt() const
{
    return insertPaperMessage(discPaper, "disc");
}

QString PrintJob::sheetName(SheetKind kind)
{
    return kind == SheetKind::Covers ? QStringLiteral("cover(s)") : QStringLiteral("disc label");
}

DiscLabelPosition PrintJob::discPosition(DiscLabelPosition chosen) const
{
    if (chosen == DiscLabelPosition::Both && !onLabelSheet(SheetKind::Disc))
        return DiscLabelPosition::Top;
    return chosen;
}

QList<QRect> PrintJob::labelOutlines(const LabelStock &row, const PageDevice &device)
{
    QList<QRect> rects;
    for (const PlacedFace &label : discPageLayout(device, row, DiscLabelPosition::Both))
        rects << label.rect;
    return rects;
}

QList<PrintSheet> PrintJob::coverSheets(
    const CoverDocument &doc, DiscLabelPosition position, int referenceDpi) const
{
    QList<PrintSheet> sheets;
    if (printCover && coversRow) {
        PrintSheet sheet;
        sheet.kind = SheetKind::Covers;
        sheet.pageSize = pageSizeForPaperCode(coversRow->paperCodes[0]);
        sheet.landscape = coversPageIsLandscape(coverType);
        if (asksForPaper())
            sheet.prompt = coversPrompt();
        // The face sizes come from the same row as the places: the covers
        // paper is always the cover type's plain paper, and a calibration
        // made since the window opened then takes effect in full.
        CoversPageInput input;
        input.document = &doc;
        input.geometry = *coversRow;
        input.coversRow = *coversRow;
        input.referenceDpi = referenceDpi;
        sheet.draw = [input](DeviceContext &dc, const PageDevice &device) {
            return drawCoversPage(dc, device, input);
        };
        sheets << sheet;
    }
    if (printDisc && discRow) {
        PrintSheet sheet;
        sheet.kind = SheetKind::Disc;
        sheet.pageSize = pageSizeForPaperCode(discRow->paperCodes[0]);
        if (asksForPaper())
            sheet.prompt = discPrompt();
        DiscPageInput input;
        input.document = &doc;
        input.discRow = *discRow;
        input.position = discPosition(position);
        input.referenceDpi = referenceDpi;
        sheet.draw = [input](DeviceContext &dc, const PageDevice &device) {
            return drawDiscPage(dc, device, input);
        };
        if (onLabelSheet(SheetKind::Disc))
            sheet.labels
                = [row = *discRow](const PageDevice &device) { return labelOutlines(row, device); };
        sheets << sheet;
    }
    return sheets;
}

QList<FaceTextReport> PrintJob::cutText(const CoverDocument &doc, int referenceDpi) const
{
    QList<FaceTextReport> reports;
    // The faces as coverSheets sizes them: covers and disc from their rows.
    if (printCover && coversRow) {
        const CoverFaces faces(coverType, *coversRow, *coversRow);
        reports += checkFacesText(doc, faces, faces.covers(), referenceDpi);
    }
    if (printDisc && discRow) {
        const CoverFaces faces(coverType, *discRow, *discRow);
        reports += checkFacesText(doc, faces, {faces.disc()}, referenceDpi);
    }
    return reports;
}

QList<PrintSheet> PrintJob::calibrationSheets(DiscLabelPosition position) const
{
    QList<PrintSheet> sheets;
    if (coversRow) {
        PrintSheet sheet;
        sheet.kind = SheetKind::Covers;
        sheet.pageSize = pageSizeForPaperCode(coversRow->paperCodes[0]);
        sheet.landscape = coversPageIsLandscape(coverType);
        const CalibrationSheet page{
            coverType, coversPaper, *coversRow, calibration, DiscLabelPosition::Top};
        sheet.draw = [page](DeviceContext &dc, const PageDevice &device) {
            return drawCalibrationCoversPage(dc, device, page);
        };
        sheets << sheet;
    }
    if (discRow) {
        PrintSheet sheet;
        sheet.kind = SheetKind::Disc;
        sheet.pageSize = pageSizeForPaperCode(discRow->paperCodes[0]);
        const CalibrationSheet page{
            coverType, discPaper, *discRow, calibration, discPosition(position)};
        sheet.draw = [page](DeviceContext &dc, const PageDevice &device) {
            return drawCalibrationDiscPage(dc, device, page);
        };
        sheets << sheet;
    }
    return sheets;
}
