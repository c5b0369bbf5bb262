#include "CPrinterAdjustDlg.h"

#include "CUpDownControl.h"
#include "InsertPaperPrompt.h"
#include "PrintNotices.h"
#include "document/UserSettings.h"
#include "print/PrintEngine.h"
#include "print/PrintJob.h"
#include "print/printer/PrinterDevices.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/DialogLook.h"
#include "widgets/DialogUnits.h"
#include "widgets/Icons.h"
#include "widgets/UiHost.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

using namespace DialogLook;

namespace {

struct FieldLayout {
    QRect edit;
    QRect upDown;
};
// Indexed by CPrinterAdjustDlg::Field.
const FieldLayout kFields[] = {
    {QRect(64, 44, 24, 14), QRect(90, 44, 11, 14)}, // expandDiscMM
    {QRect(64, 70, 24, 14), QRect(90, 70, 11, 14)}, // expandCoverMM
    {QRect(64, 97, 24, 14), QRect(90, 97, 11, 14)}, // moveDiscMMX
    {QRect(148, 98, 24, 14), QRect(174, 98, 11, 14)}, // moveDiscMMY
};

struct DirectionLayout {
    const char *text;
    QRect rect;
};
// Indexed by CPrinterAdjustDlg::Direction.
const DirectionLayout kDirections[] = {
    {"To the left", QRect(63, 114, 48, 10)},
    {"To the right", QRect(63, 126, 52, 10)},
    {"Up", QRect(148, 114, 25, 10)},
    {"Down", QRect(148, 126, 35, 10)},
};

QString directionText(bool firstChecked)
{
    return firstChecked ? QStringLiteral("0") : QStringLiteral("1");
}

} // namespace

CPrinterAdjustDlg::CPrinterAdjustDlg(QWidget *parent)
    : QDialog(parent)
{
    setUpDialog(*this, QStringLiteral("Printer Adjustment"), 218, 177);
    buildControls();
    loadSettings();
}

void CPrinterAdjustDlg::buildControls()
{
    addLogo(this, QRect(3, 4, 45, 41));
    // The headings may use the dialog's width: the bold font is wider than
    // the one the layout was drawn for.
    addHeading(this,
        QStringLiteral("If you need to adjust the size and position of the printed labels you "
                       "can do so on this screen."),
        QRect(52, 7, 162, 25));
    addHeading(this, QStringLiteral("Expand my disc labels by:"), QRect(62, 33, 150, 9));
    addHeading(this, QStringLiteral("Expand my cover(s) by:"), QRect(62, 60, 150, 9));
    addHeading(this, QStringLiteral("Move my disc labels:"), QRect(62, 87, 150, 9));

    for (int f = 0; f < 4; ++f) {
        const FieldLayout &layout = kFields[f];
        auto *edit = new QLineEdit(this);
        edit->setGeometry(dialogUnitRect(
            layout.edit.x(), layout.edit.y(), layout.edit.width(), layout.edit.height()));
        edit->setAlignment(Qt::AlignRight);
        auto *upDown = new CUpDownControl(edit, this);
        upDown->setGeometry(dialogUnitRect(
            layout.upDown.x(), layout.upDown.y(), layout.upDown.width(), layout.upDown.height()));
        upDown->setRange(-kCalibrationLimitMM, kCalibrationLimitMM);
        m_fields[f] = edit;
        m_upDowns[f] = upDown;
    }
    addLabel(this, QStringLiteral("mm"), QRect(106, 46, 30, 9));
    addLabel(this, QStringLiteral("mm"), QRect(106, 73, 30, 9));
    addLabel(this, QStringLiteral("mm"), QRect(106, 98, 30, 9));
    CTransparentStatic *lastMM = addLabel(this, QStringLiteral("mm"), QRect(188, 100, 30, 9));
    lastMM->setFont(headingFont());

    for (int d = 0; d < 4; ++d) {
        const DirectionLayout &choice = kDirections[d];
        auto *radio = new QRadioButton(QString::fromLatin1(choice.text), this);
        // The dialog keeps each pair itself.
        radio->setAutoExclusive(false);
        const QRect r = dialogUnitRect(
            choice.rect.x(), choice.rect.y(), choice.rect.width(), choice.rect.height());
        radio->setGeometry(
            r.x(), r.y(), std::max(r.width(), radio->sizeHint().width()), r.height());
        const auto direction = static_cast<Direction>(d);
        connect(radio, &QRadioButton::clicked, this,
            [this, direction] { directionClicked(direction); });
        m_directions[d] = radio;
    }

    m_testPage = addDialogButton(
        this, QStringLiteral("Print Test Page"), Icons::testPage(), QRect(62, 138, 62, 38));
    m_testPage->setTooltipText(
        QStringLiteral("Print the outlines of your labels and covers on plain paper, with "
                       "the values above, to check them against a label sheet."));
    connect(m_testPage, &CFlatHoverButton::clicked, this, &CPrinterAdjustDlg::printTestPage);

    m_cancel = addDialogButton(
        this, QStringLiteral("&Cancel"), Icons::cancel(), QRect(128, 138, 43, 38));
    connect(m_cancel, &CFlatHoverButton::clicked, this, &QDialog::reject);
    m_ok = addDialogButton(this, QStringLiteral("&OK"), Icons::ok(), QRect(173, 138, 43, 38));
    m_ok->setDefault(true, false);
    connect(m_ok, &CFlatHoverButton::clicked, this, &CPrinterAdjustDlg::accept);

    setTabOrder(m_fields[ExpandDisc], m_fields[ExpandCover]);
    setTabOrder(m_fields[ExpandCover], m_fields[MoveX]);
    setTabOrder(m_fields[MoveX], m_fields[MoveY]);
    setTabOrder(m_fields[MoveY], m_directions[Left]);
    setTabOrder(m_directions[Left], m_directions[Right]);
    setTabOrder(m_directions[Right], m_directions[Up]);
    setTabOrder(m_directions[Up], m_directions[Down]);
    setTabOrder(m_directions[Down], m_testPage);
    setTabOrder(m_testPage, m_cancel);
    setTabOrder(m_cancel, m_ok);
}

void CPrinterAdjustDlg::loadSettings()
{
    const UserSettings settings;
    m_fields[ExpandCover]->setText(settings.calibration.expandCoverMM);
    m_fields[ExpandDisc]->setText(settings.calibration.expandDiscMM);
    m_fields[MoveX]->setText(settings.calibration.moveDiscMMX);
    m_fields[MoveY]->setText(settings.calibration.moveDiscMMY);
    // Any other stored text leaves both buttons of its pair unchecked.
    m_directions[Left]->setChecked(settings.calibration.moveDiscLeftRight == QLatin1String("0"));
    m_directions[Right]->setChecked(settings.calibration.moveDiscLeftRight == QLatin1String("1"));
    m_directions[Up]->setChecked(settings.calibration.moveDiscUpDown == QLatin1String("0"));
    m_directions[Down]->setChecked(settings.calibration.moveDiscUpDown == QLatin1String("1"));
}

void CPrinterAdjustDlg::setTestPageSheets(int32_t coverType, const QString &coversPaper,
    const QString &discPaper, DiscLabelPosition position)
{
    m_coverType = coverType;
    m_coversPaper = coversPaper;
    m_discPaper = discPaper;
    m_position = position;
}

void CPrinterAdjustDlg::directionClicked(Direction clicked)
{
    const Direction partner = static_cast<Direction>(clicked ^ 1);
    // Qt has already toggled the clicked button: its partner takes the
    // state it had before the click.
    m_directions[partner]->setChecked(!m_directions[clicked]->isChecked());
}

Calibration CPrinterAdjustDlg::enteredCalibration() const
{
    Calibration c;
    c.expandCoverMM = m_fields[ExpandCover]->text();
    c.expandDiscMM = m_fields[ExpandDisc]->text();
    c.moveDiscMMX = m_fields[MoveX]->text();
    c.moveDiscMMY = m_fields[MoveY]->text();
    c.moveDiscLeftRight = directionText(m_directions[Left]->isChecked());
    c.moveDiscUpDown = directionText(m_directions[Up]->isChecked());
    return c;
}

void CPrinterAdjustDlg::accept()
{
    const Calibration c = enteredCalibration();
    UserSettings settings;
    settings.calibration = c;
    settings.save();
    QDialog::accept();
}

void CPrinterAdjustDlg::printTestPage()
{
    const PrintJob job
        = PrintJob::forPapers(m_coverType, m_coversPaper, m_discPaper, enteredCalibration());
    const std::shared_ptr<PrinterDevice> printer = printerDevice(this);
    InsertPaperPrompt prompt(this);
    PrintEngine engine(*printer, prompt, QStringLiteral("Calibration test page"));
    const PrintReport report = engine.runCalibrationPage(job, m_position);
    showPrintNotices(this, report.notices);
}

void CPrinterAdjustDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        UiHost::instance().showHelp(this, QStringLiteral("calibration"));
        return;
    }
    if (handleEnter(*this, event, m_ok))
        return;
    QDialog::keyPressEvent(event);
}

void CPrinterAdjustDlg::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Qt::white);
}
