#pragma once

#include "document/CoverDocument.h"
#include "print/DiscLabelPosition.h"
#include "print/FaceTextCheck.h"

#include <QDialog>
#include <QString>

class CFlatHoverButton;
class CSheetPreview;
class CTransparentStatic;
class QCheckBox;
class QComboBox;
class QRadioButton;

// "Print": what to print (the cover or covers, the disc label), the paper of
// each, and the top, bottom or both labels of a label sheet, with a preview
// of each sheet as it will print. "&Print" and "Save as PDF..." store the
// choices in the settings store; "&Cancel" stores nothing.
class CPrintPaperDlg : public QDialog {
    Q_OBJECT
public:
    // The dialog's result after "Save as PDF..." wrote the file.
    static constexpr int SavedAsPdf = 2;

    explicit CPrintPaperDlg(int32_t coverType, QWidget *parent = nullptr);

    // The cover "Save as PDF..." writes, the path it was saved at (empty for
    // a new cover) and the screen resolution its fonts were chosen at. The
    // previews show it from then on.
    void setCover(const CoverDocument *document, const QString &coverPath, int referenceDpi);

    int32_t coverType() const { return m_coverType; }
    // The label position selected at "&Print": Both only on a label sheet.
    DiscLabelPosition discLabelPosition() const { return m_position; }
    // The position the buttons select now, as discLabelPosition() will be.
    DiscLabelPosition chosenPosition() const;

    // "&Print": refuses with a message when nothing is ticked, else stores
    // the choices and closes.
    void accept() override;
    // "Save as PDF...": stores as "&Print" does, asks for the file and
    // writes the pages printing would produce; closes once it is written
    // and says where it is, offering to open it.
    void saveAsPdf();
    // Asks before printing or saving a cover whose text would be cut off;
    // true to go on.
    bool confirmCutText(const QString &caption, const QString &actionText);
    // Button 5: the printer adjustment, modally.
    void openAdjustment();

    // The file name "Save as PDF..." proposes.
    QString proposedPdfPath() const;

    static QString nothingTickedText();
    static QString pdfSavedText(const QString &path);
    // The question before printing text that paper would cut off.
    static QString cutTextQuestion(const QList<FaceTextReport> &cut);

    QCheckBox *coversCheck() const { return m_coversCheck; }
    QCheckBox *discCheck() const { return m_discCheck; }
    QComboBox *coversList() const { return m_coversList; }
    QComboBox *discList() const { return m_discList; }
    QRadioButton *topLabelButton() const { return m_top; }
    QRadioButton *bottomLabelButton() const { return m_bottom; }
    QRadioButton *bothLabelsButton() const { return m_both; }
    CSheetPreview *coversPreview() const { return m_coversPreview; }
    CSheetPreview *discPreview() const { return m_discPreview; }
    CTransparentStatic *coversLabel() const { return m_coversLabel; }
    CFlatHoverButton *printButton() const { return m_print; }
    CFlatHoverButton *cancelButton() const { return m_cancel; }
    CFlatHoverButton *savePdfButton() const { return m_savePdf; }
    CFlatHoverButton *adjustButton() const { return m_adjust; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void fillForCoverType();
    void loadSettings();
    void enableControls();
    // The previews of the choices as they stand.
    void updatePreviews();
    // The nothing-ticked check, then the choices into the settings store.
    bool storeChoices();

    int32_t m_coverType;
    DiscLabelPosition m_position = DiscLabelPosition::Top;
    const CoverDocument *m_document = nullptr;
    QString m_coverPath;
    int m_referenceDpi = 96;

    QCheckBox *m_coversCheck = nullptr;
    QCheckBox *m_discCheck = nullptr;
    QComboBox *m_coversList = nullptr;
    QComboBox *m_discList = nullptr;
    QRadioButton *m_top = nullptr;
    QRadioButton *m_bottom = nullptr;
    QRadioButton *m_both = nullptr;
    CSheetPreview *m_coversPreview = nullptr;
    CSheetPreview *m_discPreview = nullptr;
    CTransparentStatic *m_coversLabel = nullptr;
    CFlatHoverButton *m_print = nullptr;
    CFlatHoverButton *m_cancel = nullptr;
    CFlatHoverButton *m_savePdf = nullptr;
    CFlatHoverButton *m_adjust = nullptr;
};
