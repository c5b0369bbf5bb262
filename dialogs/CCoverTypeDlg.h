#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QRadioButton;
class CFlatHoverButton;
class CTransparentStatic;

// "Cover Type": asked before every new cover. The choice goes to the settings
// store ("Option", and for a custom cover its sizes in millimetres), not back
// to the caller; Escape leaves the store as it was.
class CCoverTypeDlg : public QDialog {
    Q_OBJECT
public:
    // The custom-size fields, in the order Continue checks them.
    enum SizeField { FrontHeight = 0, FrontWidth = 1, BackHeight = 2, BackWidth = 3 };

    explicit CCoverTypeDlg(QWidget *parent = nullptr);

    // Continue: checks the custom sizes when "Other:" is chosen (a message
    // names the first bad field, and the dialog stays), saves, closes.
    void accept() override;

    // The cover type Continue would store now: 1 when nothing is checked.
    int chosenType() const;

    // A size field's text in centimetres as whole millimetres; nothing when
    // it is not a number of the form digits[.digits]. "12" is 120, "11.9"
    // 119, ".5" 5, "" 0; digits past the first decimal round ("12.55" 126).
    static std::optional<uint32_t> centimetresToMillimetres(const QString &text);
    // The text a size field starts with: millimetres as centimetres, "%.1f".
    static QString millimetresToCentimetres(uint32_t millimetres);
    // The message shown for a bad size field.
    static QString invalidSizeMessage(SizeField field);

    // For tests and the layout: cover type 1 to 5, else nullptr.
    QRadioButton *choiceButton(int coverType) const;
    QLineEdit *sizeField(SizeField field) const { return m_sizeFields[field]; }
    CTransparentStatic *instructionLabel() const { return m_instruction; }
    // 0 "Front Cover:", 1 "Back Cover:", 2 "Width (cm):", 3 "Height (cm):".
    CTransparentStatic *sizeLabel(int index) const { return m_sizeLabels[index]; }
    CFlatHoverButton *continueButton() const { return m_continue; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void loadSettings();
    void choose(int coverType);
    void showChoiceFonts();
    void enableCustomSizes(bool enable);
    void openHelp();

    // Indexed by cover type - 1.
    std::array<QRadioButton *, 5> m_choices{};
    std::array<QLineEdit *, 4> m_sizeFields{};
    std::array<CTransparentStatic *, 4> m_sizeLabels{};
    CTransparentStatic *m_instruction = nullptr;
    QLabel *m_logo = nullptr;
    CFlatHoverButton *m_continue = nullptr;
};
