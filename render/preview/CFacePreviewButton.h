#pragma once

#include "print/CoverFaces.h"
#include "print/FaceBinding.h"
#include "render/DrawTarget.h"
#include "render/FaceDrawResult.h"

#include <QAbstractButton>
#include <optional>

class DeviceContext;
class PictureSource;

// What the four face previews share: each paint is one drawFace of the face
// straight onto the widget, scaled from its nominal size to the control.
// The control draws the document as it is at the time of the paint; whoever
// changes the document calls update().
class CFacePreviewButton : public QAbstractButton {
    Q_OBJECT
public:
    // A rectangular face covers every pixel of the control; a round one lets
    // the window show around it.
    enum class Shape { Rectangular, Round };

    explicit CFacePreviewButton(Shape shape, QWidget *parent = nullptr);

    // Shows `face` of `doc`, laid out at `dpi` (the window's horizontal
    // resolution). The document must outlive the control or the next call.
    void showFace(
        const CoverDocument &doc, const CoverFaces &faces, const CoverFace &face, int dpi);
    // Shows no face (a cover type without faces).
    void clearFace();

    // What the next paint draws: the face's renderer with its inputs, and
    // what it is drawn for. None without a face.
    std::optional<FaceRenderer> boundFace() const;
    DrawTarget drawTarget() const;

    // Where the pictures come from: a source that keeps them between
    // paints (the window's), or none to decode them at every paint.
    void setPictureSource(PictureSource *source) { m_pictures = source; }
    // The names of a sheet's parts over it (sheets only; never printed).
    void setShowPartNames(bool shown);
    bool showsPartNames() const { return m_showPartNames; }

    // Renders done on screen so far.
    int renderCount() const { return m_renderCount; }

    // The texts of the face that paper would cut off, as of the last paint;
    // the control marks its corner red while there are any, and the mark's
    // tooltip says what is cut, a line each.
    const FaceDrawResult &textCheck() const { return m_textCheck; }
    QString cutTextTip() const;
    // Where the mark is drawn, in the control's coordinates.
    QRect cutTextMark() const;

Q_SIGNALS:
    void doubleClicked();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *) override { Q_EMIT doubleClicked(); }

private:
    bool hasFace() const;
    // Measures the face's texts again when what it draws has changed.
    void updateTextCheck();

    Shape m_shape;
    const CoverDocument *m_document = nullptr;
    std::optional<CoverFaces> m_faces;
    CoverFace m_face;
    int m_dpi = 96;
    int m_renderCount = 0;
    PictureSource *m_pictures = nullptr;
    bool m_showPartNames = false;
    std::optional<FaceRenderer> m_checkedFace; // bound at the measuring resolution
    FaceDrawResult m_textCheck;
};
