#pragma once

#include "UiHost.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QString>

class QComboBox;
class QLabel;
class QFontDialog;
class QLineEdit;
class QRadioButton;
class CFlatHoverButton;

// "Font": Qt's font chooser with a text colour beside it, as a face's font
// is chosen: family, style, size, underline, strike-out and colour. The
// colour is one of the sixteen basic colours or, through "Custom...", any
// colour the colour chooser gives. A face with a title chooses the title's
// font and colour and the text's in turn ("Title" / "Text"), each shown in
// the sample on the face's own colour.
class CFontChooserDlg : public QDialog {
    Q_OBJECT
public:
    struct BasicColor {
        const char *name;
        QRgb rgb;
    };
    static constexpr int kBasicColorCount = 16;
    static const BasicColor (&basicColors())[kBasicColorCount];

    explicit CFontChooserDlg(QWidget *parent = nullptr);

    void setChoice(const UiHost::FontChoice &choice);
    UiHost::FontChoice choice() const;

    // For tests and the layout.
    QFontDialog *fontChooser() const { return m_fonts; }
    QComboBox *colorChoice() const { return m_colors; }
    QRadioButton *titleChoice() const { return m_titlePart; }
    // The small samples of both parts beside the choice.
    QLabel *titleSample() const { return m_samples[1]; }
    QLabel *textSample() const { return m_samples[0]; }
    QRadioButton *textChoice() const { return m_textPart; }
    CFlatHoverButton *okButton() const { return m_ok; }
    CFlatHoverButton *cancelButton() const { return m_cancel; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Part {
        QFont font;
        QColor color;
    };
    // The chooser and colour list show `part`; what they showed is kept.
    void showPart(int part);
    void loadPart(const Part &part);
    Part shownPart() const;
    void selectColor(const QColor &color);
    void onColorActivated(int index);
    void showColorInSample();
    void showPartSamples();
    QColor groundFor(const QColor &ink) const;
    int customItemIndex() const; // the item of a colour not among the basic ones, or -1
    int customCommandIndex() const; // "Custom..."
    static QString matchingStyle(const QString &family, const QFont &font);

    QFontDialog *m_fonts = nullptr;
    QWidget *m_partRow = nullptr;
    QRadioButton *m_textPart = nullptr;
    QRadioButton *m_titlePart = nullptr;
    QLabel *m_samples[2] = {nullptr, nullptr}; // text, title
    Part m_parts[2]; // text, title
    int m_shown = 0;
    bool m_hasTitle = false;
    QColor m_background = Qt::white;
    QComboBox *m_colors = nullptr;
    QLineEdit *m_sample = nullptr; // the chooser's sample line, when found
    CFlatHoverButton *m_ok = nullptr;
    CFlatHoverButton *m_cancel = nullptr;
    QString m_requestedFamily;
    QString m_shownFamily;
    QColor m_color = Qt::black;
    int m_lastIndex = 0;
};
