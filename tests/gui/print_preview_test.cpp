// The Print dialog's sheet previews: the faces land where the print run puts
// them, for every cover type and label position.
#include "print/PaperPrompt.h"
#include "print/PrintEngine.h"
#include "print/dialogs/CPrintPaperDlg.h"
#include "print/dialogs/CSheetPreview.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"

#include <QComboBox>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class PrintEverySheet : public PaperPrompt {
public:
    bool insertPaper(const QString &) override { return true; }
};

// The faces the print run draws on `kind`'s sheet at `dpi`, no offset.
QList<PlacedFace> printedFaces(
    const CoverDocument &doc, DiscLabelPosition position, SheetKind kind, int dpi)
{
    RecordingPrinter printer;
    printer.dpi = dpi;
    PrintEverySheet prompt;
    for (const SheetResult &sheet :
        PrintEngine(printer, prompt, "t").runPrintJob(doc, position, 96).sheets)
        if (sheet.kind == kind)
            return sheet.faces;
    return {};
}

} // namespace

TEST(PrintPreview, FacesLandWhereThePrintRunPutsThem)
{
    ScriptedUiHost host(ScriptedUiHost::AnswerNoticesWithOk);
    struct Case {
        int32_t type;
        QString disc;
        QRadioButton *(CPrintPaperDlg::*position)() const;
        int covers, discs, labels;
    } cases[] = {
        {StandardCD, "Avery 5931 CD/DVD Labels (Letter)", &CPrintPaperDlg::topLabelButton, 2, 1, 2},
        {StandardDVD, "Neato CD/DVD Labels (A4)", &CPrintPaperDlg::bottomLabelButton, 1, 1, 2},
        {SlimlineCD, "PC Line CD/DVD Labels (A4)", &CPrintPaperDlg::bothLabelsButton, 1, 2, 2},
        // Its two places overlap: no Both on plain paper.
        {SlimlineDVD, kPlainPaper, &CPrintPaperDlg::bothLabelsButton, 1, 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        clearSettings();
        CoverDocument doc;
        resetDocumentForType(doc, c.type, 96);
        CPrintPaperDlg dlg(c.type);
        dlg.setCover(&doc, QString(), 96);
        dlg.discList()->setCurrentText(c.disc);
        (dlg.*c.position)()->click();
        const SheetImage covers = dlg.coversPreview()->sheetImage();
        const SheetImage disc = dlg.discPreview()->sheetImage();
        dlg.printButton()->click(); // stores the papers the print run reads
        ASSERT_EQ(dlg.result(), QDialog::Accepted);
        ASSERT_GT(covers.dpi, 0);
        EXPECT_EQ(covers.faces.size(), c.covers);
        EXPECT_EQ(disc.faces.size(), c.discs);
        EXPECT_EQ(disc.labels.size(), c.labels);
        EXPECT_EQ(covers.faces,
            printedFaces(doc, dlg.discLabelPosition(), SheetKind::Covers, covers.dpi));
        EXPECT_EQ(
            disc.faces, printedFaces(doc, dlg.discLabelPosition(), SheetKind::Disc, disc.dpi));
        // Both is kept for the next print.
        EXPECT_EQ(CPrintPaperDlg(c.type).bothLabelsButton()->isChecked(), c.discs == 2);
    }
}
