#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <cstdint>

class QLabel;
class QRadioButton;
class CFlatHoverButton;
class CTransparentStatic;

// "Images": how pictures go on a DVD cover's wrap-around sheet, one picture
// stretched across it or a back and a front picture, and which pictures.
// Every change is reported at once (picturesChanged) so that the main window
// can show it; pictures() holds the final choice when the dialog closes,
// whatever closed it.
class CImagesDlg : public QDialog {
    Q_OBJECT
public:
    // The picture buttons; buttons on the same spot are alternatives.
    enum ButtonId {
        ChooseBackImage = 1001,
        ChooseFrontImage = 1002,
        ChooseImage = 1003, // the stretched picture
        ClearBackImage = 1051,
        ClearFrontImage = 1052,
        ClearImage = 1053,
    };

    // The document's fields the dialog edits. Paths are bytes as the
    // document holds them.
    struct Pictures {
        int32_t coverOption = 0; // 0 one stretched picture, 1 back and front
        QByteArray backImagePath;
        QByteArray frontImagePath;
        QByteArray stretchImagePath;
        bool operator==(const Pictures &) const = default;
    };

    explicit CImagesDlg(QWidget *parent = nullptr);

    // Opens on `pictures`. Choosing the layout `coverOption` names discards
    // the other layout's paths, and that is reported like any change; an
    // option other than 0 and 1 chooses no layout. `pictureFolder` is the
    // main window's last chosen picture (the settings store's value wins
    // when a picture is chosen).
    void setPictures(const Pictures &pictures, const QString &pictureFolder);

    Pictures pictures() const { return m_pictures; }
    // True when pictures() differs from what setPictures gave: a path or
    // the layout changed.
    bool hasChanges() const { return m_pictures != m_initial; }
    // Where the next picture chooser opens: the last picture chosen.
    QString pictureFolder() const { return m_pictureFolder; }

    // A path holding no picture: empty, or holding ".tmp" anywhere (the
    // copies a cover file's pictures were read into before).
    static bool holdsNoPicture(const QByteArray &path);

    // For tests and the layout.
    CFlatHoverButton *button(ButtonId id) const;
    QRadioButton *stretchedChoice() const { return m_stretched; }
    QRadioButton *separateChoice() const { return m_separate; }
    CTransparentStatic *heading() const { return m_heading; }
    CFlatHoverButton *continueButton() const { return m_continue; }

Q_SIGNALS:
    // After every change: the current choice, as pictures() gives it.
    void picturesChanged(const CImagesDlg::Pictures &pictures);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    CFlatHoverButton *addPictureButton(
        ButtonId id, const QString &text, const QString &tooltip, int xUnits);
    void chooseStretched();
    void chooseSeparate();
    void showChoiceFonts();
    void updateButtons();
    bool choosePicture(QByteArray &target);
    void onChooseImage(ButtonId id);
    void onClearImage(ButtonId id);
    void report();

    Pictures m_pictures;
    Pictures m_initial;
    QString m_pictureFolder;

    QLabel *m_logo = nullptr;
    CTransparentStatic *m_heading = nullptr;
    QRadioButton *m_stretched = nullptr;
    QRadioButton *m_separate = nullptr;
    CFlatHoverButton *m_chooseBack = nullptr;
    CFlatHoverButton *m_clearBack = nullptr;
    CFlatHoverButton *m_chooseStretched = nullptr;
    CFlatHoverButton *m_clearStretched = nullptr;
    CFlatHoverButton *m_chooseFront = nullptr;
    CFlatHoverButton *m_clearFront = nullptr;
    CFlatHoverButton *m_continue = nullptr;
};
