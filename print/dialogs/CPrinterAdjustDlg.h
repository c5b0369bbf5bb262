#pragma once

#include "document/CoverDocument.h"
#include "print/LabelStock.h"

#include <QDialog>
#include <QString>
#include <array>

class CFlatHoverButton;
class CTransparentStatic;
class CUpDownControl;
class QLineEdit;
class QRadioButton;

// "Printer Adjustment": the calibration in whole millimetres (covers and
// disc labels expanded, disc labels moved), stored on "&OK" exactly as typed.
// "Print Test Page" prints the outlines of the chosen papers' faces with the
// values in the fields, without storing them.
class CPrinterAdjustDlg : public QDialog {
    Q_OBJECT
public:
    enum Field { ExpandDisc = 0, ExpandCover = 1, MoveX = 2, MoveY = 3 };
    enum Direction { Left = 0, Right = 1, Up = 2, Down = 3 };

    explicit CPrinterAdjustDlg(QWidget *parent = nullptr);

    // What the test page shows: the papers chosen in the Print dialog.
    void setTestPageSheets(int32_t coverType, const QString &coversPaper, const QString &discPaper,
        DiscLabelPosition position);

    // "&OK": stores the six values and closes.
    void accept() override;

    // The calibration the fields and buttons hold now.
    Calibration enteredCalibration() const;

    // Prints the test page with enteredCalibration(); messages through UiHost.
    void printTestPage();

    QLineEdit *field(Field f) const { return m_fields[f]; }
    CUpDownControl *upDown(Field f) const { return m_upDowns[f]; }
    QRadioButton *directionButton(Direction d) const { return m_directions[d]; }
    CFlatHoverButton *okButton() const { return m_ok; }
    CFlatHoverButton *cancelButton() const { return m_cancel; }
    CFlatHoverButton *testPageButton() const { return m_testPage; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void loadSettings();
    // A click on one button of a pair hands its former state to its partner.
    void directionClicked(Direction clicked);

    std::array<QLineEdit *, 4> m_fields{};
    std::array<CUpDownControl *, 4> m_upDowns{};
    std::array<QRadioButton *, 4> m_directions{};
    CFlatHoverButton *m_ok = nullptr;
    CFlatHoverButton *m_cancel = nullptr;
    CFlatHoverButton *m_testPage = nullptr;

    int32_t m_coverType = StandardCD;
    QString m_coversPaper = kPlainPaper;
    QString m_discPaper = kPlainPaper;
    DiscLabelPosition m_position = DiscLabelPosition::Top;
};
