#include "CPrintPaperDlg.h"

#include "CPrinterAdjustDlg.h"
#include "CSheetPreview.h"
#include "PrintNotices.h"
#include "document/UserSettings.h"
#include "print/LabelStock.h"
#include "print/PrintJob.h"
#include "print/SheetPdf.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogLook.h"
#include "widgets/DialogUnits.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStandardPaths>
#include <QUrl>

using namespace DialogLook;

namespace {

QRect units(int x, int y, int w, int h)
{
    return dialogUnitRect(x, y, w, h);
}

// The link look of button 5: Verdana 13 pixels high, underlined, blue.
QFont linkFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(11); // a 13-pixel character cell
    f.setWeight(QFont::Normal);
    f.setUnderline(true);
    return f;
}

// A list's search for a stored name: the first entry that begins with
// `text`, ignoring case; -1 when none does.
int findByPrefix(const QComboBox *list, const QString &text)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->itemText(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    return -1;
}

} // namespace

CPrintPaperDlg::CPrintPaperDlg(int32_t coverType, QWidget *parent)
    : QDialog(parent)
    , m_coverType(coverType)
{
    // Grown from 255 x 153 units: the previews stand right of the choices,
    // and "Both labels" needs a row of its own.
    setUpDialog(*this, QStringLiteral("Print"), 486, 165);
    buildControls();
    fillForCoverType();
    loadSettings();
    enableControls();
    m_print->setFocus();
}

void CPrintPaperDlg::buildControls()
{
    addLogo(this, QRect(1, 2, 45, 41));
    addHeading(this, QStringLiteral("Print Options:"), QRect(50, 6, 144, 9));

    m_coversCheck = new QCheckBox(QStringLiteral("Tick here to print the cover(s)."), this);
    m_coversCheck->setGeometry(units(58, 18, 190, 10));
    m_discCheck = new QCheckBox(QStringLiteral("Tick to print the disc label."), this);
    m_discCheck->setGeometry(units(58, 30, 190, 10));

    // Wider than the layout drew it: the bold font needs the room.
    addHeading(
        this, QStringLiteral("Choose the type of paper you will print on:"), QRect(45, 49, 205, 9));
    m_coversLabel = addLabel(this, QStringLiteral("Covers:"), QRect(57, 63, 37, 9));
    addLabel(this, QStringLiteral("Disc:"), QRect(57, 77, 37, 9));

    m_coversList = new QComboBox(this);
    m_coversList->setGeometry(units(93, 61, 157, 13));
    m_discList = new QComboBox(this);
    m_discList->setGeometry(units(93, 76, 157, 13));
    for (QComboBox *list : {m_coversList, m_discList}) {
        list->setEditable(false);
        list->setInsertPolicy(QComboBox::NoInsert);
        // The drop-down is about six closed heights of the disc list; a
        // list-style pop-up is needed for the style to honour the count.
        list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
        list->setMaxVisibleItems(6);
        // A style sheet no longer passes the dialog's font on by itself.
        list->setFont(font());
        list->view()->setFont(font());
    }

    m_top = new QRadioButton(QStringLiteral("Use top disc label"), this);
    m_top->setGeometry(units(95, 91, 110, 10));
    m_bottom = new QRadioButton(QStringLiteral("Use bottom disc label"), this);
    m_bottom->setGeometry(units(95, 101, 110, 10));
    m_both = new QRadioButton(QStringLiteral("Both labels"), this);
    m_both->setGeometry(units(95, 111, 110, 10));
    m_both->setToolTip(
        QStringLiteral("Print the disc on both labels of the sheet (label sheets only)."));

    addHeading(this, QStringLiteral("Covers sheet:"), QRect(262, 6, 106, 9));
    m_coversPreview = new CSheetPreview(this);
    m_coversPreview->setGeometry(units(258, 17, 112, 144));
    addHeading(this, QStringLiteral("Disc sheet:"), QRect(376, 6, 106, 9));
    m_discPreview = new CSheetPreview(this);
    m_discPreview->setGeometry(units(372, 17, 112, 144));

    m_adjust
        = new CFlatHoverButton(QStringLiteral("Click here to adjust label size && position"), this);
    m_adjust->setGeometry(units(20, 130, 81, 31));
    m_adjust->setFont(linkFont());
    m_adjust->setTransparent(true, false);
    m_adjust->setColor(CFlatHoverButton::TextHover, QColor(0, 51, 254), false);
    m_adjust->setColor(CFlatHoverButton::TextNormal, QColor(50, 51, 254), false);
    m_adjust->setHoverCursor(QCursor(Qt::PointingHandCursor));
    m_adjust->setTooltipText(QStringLiteral("Calibrate the size and position of what you print."));
    connect(m_adjust, &CFlatHoverButton::clicked, this, &CPrintPaperDlg::openAdjustment);

    m_cancel = addDialogButton(
        this, QStringLiteral("&Cancel"), Icons::cancel(), QRect(112, 126, 45, 37));
    connect(m_cancel, &CFlatHoverButton::clicked, this, &QDialog::reject);
    m_savePdf = addDialogButton(
        this, QStringLiteral("Save as PDF\u2026"), Icons::savePdf(), QRect(161, 126, 45, 37));
    m_savePdf->setTooltipText(
        QStringLiteral("Write the pages printing would produce into a PDF file."));
    connect(m_savePdf, &CFlatHoverButton::clicked, this, &CPrintPaperDlg::saveAsPdf);
    m_print
        = addDialogButton(this, QStringLiteral("&Print"), Icons::print(), QRect(210, 126, 45, 37));
    m_print->setDefault(true, false);
    connect(m_print, &CFlatHoverButton::clicked, this, &CPrintPaperDlg::accept);

    connect(m_coversCheck, &QCheckBox::clicked, this, &CPrintPaperDlg::enableControls);
    connect(m_discCheck, &QCheckBox::clicked, this, &CPrintPaperDlg::enableControls);
    // Any change of the disc paper, by the drop-down or the keyboard.
    connect(m_discList, &QComboBox::currentTextChanged, this, &CPrintPaperDlg::enableControls);
    connect(m_coversList, &QComboBox::currentTextChanged, this, &CPrintPaperDlg::updatePreviews);
    for (QRadioButton *position : {m_top, m_bottom, m_both})
        connect(position, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                updatePreviews();
        });

    setTabOrder(m_coversCheck, m_discCheck);
    setTabOrder(m_discCheck, m_coversList);
    setTabOrder(m_coversList, m_discList);
    setTabOrder(m_discList, m_top);
    setTabOrder(m_top, m_bottom);
    setTabOrder(m_bottom, m_both);
    setTabOrder(m_both, m_adjust);
    setTabOrder(m_adjust, m_cancel);
    setTabOrder(m_cancel, m_savePdf);
    setTabOrder(m_savePdf, m_print);
}

void CPrintPaperDlg::fillForCoverType()
{
    switch (m_coverType) {
    case StandardCD:
        m_coversLabel->setText(QStringLiteral("Covers:"));
        m_coversCheck->setText(QStringLiteral("Tick to print the back && front CD covers."));
        break;
    case StandardDVD:
    case SlimlineDVD:
        m_coversLabel->setText(QStringLiteral("Cover:"));
        m_coversCheck->setText(QStringLiteral("Tick to print the DVD cover."));
        break;
    case SlimlineCD:
        m_coversLabel->setText(QStringLiteral("Cover:"));
        m_coversCheck->setText(QStringLiteral("Tick to print the CD cover."));
        break;
    default: return; // Other: no papers to choose from
    }
    m_coversList->addItems(coverPaperNames());
    m_discList->addItems(discPaperNames());
}

void CPrintPaperDlg::loadSettings()
{
    const UserSettings settings;
    m_coversCheck->setChecked(settings.printCover != 0);
    m_discCheck->setChecked(settings.printDisc != 0);
    m_coversList->setCurrentIndex(findByPrefix(m_coversList, settings.coversPaperFor(m_coverType)));
    m_discList->setCurrentIndex(findByPrefix(m_discList, settings.discPaperFor(m_coverType)));
    // Of the positions only Both is stored, and it stands for a label sheet
    // only: otherwise the dialog opens on the top label.
    const bool both = settings.bothDiscLabels != 0 && isLabelSheet(m_discList->currentText());
    m_top->setChecked(!both);
    m_bottom->setChecked(false);
    m_both->setChecked(both);
}

void CPrintPaperDlg::enableControls()
{
    const bool disc = m_discCheck->isChecked();
    m_coversList->setEnabled(m_coversCheck->isChecked());
    m_discList->setEnabled(disc);
    const bool labelSheet = disc && m_discList->currentText() != kPlainPaper;
    m_top->setEnabled(labelSheet);
    m_bottom->setEnabled(labelSheet);
    // The two places of plain paper overlap: Both is for pre-cut sheets.
    m_both->setEnabled(disc && isLabelSheet(m_discList->currentText()));
    updatePreviews();
}

DiscLabelPosition CPrintPaperDlg::chosenPosition() const
{
    if (m_both->isChecked())
        return isLabelSheet(m_discList->currentText()) ? DiscLabelPosition::Both
                                                       : DiscLabelPosition::Top;
    // Also when the buttons are disabled: plain paper uses its top position.
    return m_top->isChecked() ? DiscLabelPosition::Top : DiscLabelPosition::Bottom;
}

void CPrintPaperDlg::updatePreviews()
{
    // Built while the dialog's controls are made, before all of them are.
    if (!m_coversPreview || !m_discPreview)
        return;
    std::optional<PrintSheet> covers;
    std::optional<PrintSheet> disc;
    if (m_document) {
        // Both sheets, ticked or not: an unticked one is shown faded.
        PrintJob job = PrintJob::forPapers(m_coverType, m_coversList->currentText(),
            m_discList->currentText(), storedCalibration());
        job.printCover = job.printDisc = true;
        for (const PrintSheet &sheet :
            job.coverSheets(*m_document, chosenPosition(), m_referenceDpi))
            (sheet.kind == SheetKind::Covers ? covers : disc) = sheet;
    }
    m_coversPreview->setSheet(covers, m_coversCheck->isChecked());
    m_discPreview->setSheet(disc, m_discCheck->isChecked());
}

void CPrintPaperDlg::setCover(
    const CoverDocument *document, const QString &coverPath, int referenceDpi)
{
    m_document = document;
    m_coverPath = coverPath;
    m_referenceDpi = referenceDpi;
    updatePreviews();
}

QString CPrintPaperDlg::nothingTickedText()
{
    return QStringLiteral("You have not selected any items to print.  Please tick the boxes next "
                          "to the items you wish to print, or click 'Cancel' to return to the "
                          "main screen.");
}

bool CPrintPaperDlg::storeChoices()
{
    if (!m_coversCheck->isChecked() && !m_discCheck->isChecked()) {
        UiHost::instance().message(this, nothingTickedText(), QStringLiteral("Print"),
            UiHost::Buttons::Ok, UiHost::Icon::Information);
        return false;
    }
    m_position = chosenPosition();
    UserSettings settings;
    settings.bothDiscLabels = m_both->isChecked() ? 1 : 0;
    settings.printDisc = m_discCheck->isChecked() ? 1 : 0;
    settings.printCover = m_coversCheck->isChecked() ? 1 : 0;
    if (m_coverType != Other)
        settings.setPapersFor(m_coverType, m_coversList->currentText(), m_discList->currentText());
    settings.save();
    return true;
}

bool CPrintPaperDlg::confirmCutText(const QString &caption, const QString &actionText)
{
    const QList<FaceTextReport> cut
        = PrintJob::fromSettings(m_coverType).cutText(*m_document, m_referenceDpi);
    if (cut.isEmpty())
        return true;
    return UiHost::instance().confirmAction(this, cutTextQuestion(cut), caption, actionText);
}

QString CPrintPaperDlg::cutTextQuestion(const QList<FaceTextReport> &cut)
{
    return QStringLiteral("Some text does not fit and will be cut off:\n\n%1\n\nYou can make the "
                          "text shorter or smaller, or tick \"Shrink text to fit\" in the font "
                          "window of the face.")
        .arg(textCutLines(cut));
}

void CPrintPaperDlg::accept()
{
    if (!storeChoices())
        return;
    if (m_document && !confirmCutText(QStringLiteral("Print"), QStringLiteral("Print Anyway")))
        return;
    QDialog::accept();
}

QString CPrintPaperDlg::proposedPdfPath() const
{
    if (!m_coverPath.isEmpty() && !QFileInfo(m_coverPath).isDir()) {
        const QFileInfo cover(m_coverPath);
        return cover.dir().filePath(cover.completeBaseName() + QStringLiteral(".pdf"));
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("cover.pdf"));
}

void CPrintPaperDlg::saveAsPdf()
{
    if (!m_document || !storeChoices())
        return;
    const PrintJob job = PrintJob::fromSettings(m_coverType);
    if (const std::optional<PrintNotice> refusal = job.refusal()) {
        showPrintNotices(this, {*refusal});
        return;
    }
    if (!confirmCutText(QStringLiteral("Save as PDF"), QStringLiteral("Save Anyway")))
        return;
    const QString path = UiHost::instance().exportFileName(this, QStringLiteral("Save as PDF"),
        proposedPdfPath(), QStringLiteral("PDF Files (*.pdf)"));
    if (path.isEmpty())
        return;
    const QString title = m_coverPath.isEmpty() ? QStringLiteral("cover")
                                                : QFileInfo(m_coverPath).completeBaseName();
    QString error;
    if (!writeSheetsPdf(
            path, title, job.coverSheets(*m_document, m_position, m_referenceDpi), error)) {
        UiHost::instance().message(this,
            QStringLiteral("The PDF could not be saved as \"%1\".\n\n%2")
                .arg(QDir::toNativeSeparators(path), error),
            QStringLiteral("Save as PDF"), UiHost::Buttons::Ok, UiHost::Icon::Exclamation);
        return;
    }
    done(SavedAsPdf);
    if (UiHost::instance().noticeWithAction(parentWidget(), pdfSavedText(path),
            QStringLiteral("Save as PDF"), QStringLiteral("&Open")))
        UiHost::instance().openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

QString CPrintPaperDlg::pdfSavedText(const QString &path)
{
    return QStringLiteral("The PDF was saved as \"%1\".").arg(QDir::toNativeSeparators(path));
}

void CPrintPaperDlg::openAdjustment()
{
    CPrinterAdjustDlg adjust(this);
    adjust.setTestPageSheets(
        m_coverType, m_coversList->currentText(), m_discList->currentText(), chosenPosition());
    UiHost::instance().execDialog(adjust);
    updatePreviews(); // the calibration may have changed
    m_print->setFocus();
}

void CPrintPaperDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        UiHost::instance().showHelp(this, QStringLiteral("printing"));
        return;
    }
    if (handleEnter(*this, event, m_print))
        return;
    QDialog::keyPressEvent(event);
}

void CPrintPaperDlg::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Qt::white);
}
