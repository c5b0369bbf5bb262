#pragma once

#include "document/CoverDocument.h"

#include <QString>

class CoverSession;
class QWidget;

// The commands that edit the face in view: pictures, alignment and the two
// option boxes. Each is one change of the session (one undo step) and
// counts as a change of the cover even when it left the document as it was.
// The window shows the result when the session announces the change.
class FaceCommands {
public:
    FaceCommands(QWidget *parent, CoverSession &session);

    void setAlignment(Face view, int32_t alignment);
    void setBorder(Face view, bool on);
    // Box 1009: the picture over the spines, the spine itself (the back of
    // a DVD sheet, where it reads "Print Spine?") or the picture over the
    // disc's hub.
    void setPictureExtent(Face view, bool on);
    void clearPicture(Face view);

    // A file dropped on the window, by its name: ignored, the face's new
    // picture, or a cover file to open.
    enum class Drop { Ignored, Picture, CoverFile };
    static Drop classifyDrop(const QString &name);
    // Makes a dropped picture (or cover file) the picture of the face.
    void dropPicture(Face view, const QString &name);

private:
    QWidget *m_parent;
    CoverSession &m_session;
};
