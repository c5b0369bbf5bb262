#pragma once

#include "print/CoverFaces.h"

#include "document/CoverDocument.h"

#include <QString>

class CoverSession;
class QWidget;
class QString;

// The commands that edit the face in view: pictures, colour, font, texts,
// alignment and the two option boxes. Each is one change of the session
// (one undo step; a whole dialog session is one step) and counts as a change
// of the cover even when it left the document as it was. The window shows
// the result when the session announces the change. Dialogs run through
// UiHost with the window as their parent, so that they are modal to it.
// A question the user dismisses cancels the command.
class FaceCommands {
public:
    FaceCommands(QWidget *parent, CoverSession &session);

    void setAlignment(Face view, int32_t alignment);
    void setBorder(Face view, bool on);
    // Box 1104: text drawn smaller until it fits, on the face in view.
    void setShrinkText(Face view, bool on);
    // Box 1105: the disc's title and text along its edge.
    void setCurvedText(bool on);
    // Box 1009: the picture over the spines, the spine itself (the back of
    // a DVD sheet, where it reads "Print Spine?") or the picture over the
    // disc's hub.
    void setPictureExtent(Face view, bool on);
    void clearPicture(Face view);

    // Choose Image: the picture file dialog, or on the back of a DVD sheet
    // the Images dialog. `lastPath` is the window's copy of the picture
    // chosen last, where the dialog starts; it and the settings store keep
    // the new choice.
    void choosePicture(Face view, QString &lastPath);
    // Choose Color: the colour chooser, then whether the colour is for
    // every face.
    void chooseColor(Face view);
    // Font: the font chooser with the face's font and text colour; heights
    // at the screen's vertical resolution `screenDpiY`.
    void chooseFont(Face view, int screenDpiY);
    // The texts button: the track listing editor for a CD back, else the
    // Cover Text dialog with the rows of the cover type and view.
    void editTexts(Face view);
    // Picture Position: where the pictures of the face in view sit, shown
    // live; OK is one step, Cancel takes the changes back. Nothing when the
    // face shows no picture.
    void positionPicture(Face view, const CoverFaces &faces);
    // The pictures the face in view shows, by slot ('f', 'b', 's', 'd').
    static QList<std::pair<QString, char>> pictureSlots(const CoverDocument &doc, Face view);

    // The colour question for a cover type.
    static QString allFacesQuestion(int32_t coverType);

    // A file dropped on the window, by its name: ignored, the face's new
    // picture, or a cover file to open.
    enum class Drop { Ignored, Picture, CoverFile };
    static Drop classifyDrop(const QString &name);
    // Makes a dropped picture (or cover file) the picture of the face.
    void dropPicture(Face view, const QString &name);

private:
    void chooseSheetPictures(QString &lastPath);
    void editTrackListing();
    void editCoverTexts(Face view);

    QWidget *m_parent;
    CoverSession &m_session;
};
