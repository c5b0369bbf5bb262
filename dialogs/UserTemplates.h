#pragma once

#include "document/CoverDocument.h"

#include <QString>
#include <QStringList>

// The user's own templates: sets named as the shipped ones ("NAME[BACK].jpg",
// "NAME[FRONT].jpg", "NAME[DISC].jpg") in a folder of the user's data
// folder. Nothing here touches the program's own (shipped) sets.
class UserTemplates {
public:
    // $XDG_DATA_HOME/discora/templates. Only named here: the folder is made
    // when a set is saved or the folder is to be opened.
    static QString folder();

    // Why `name` cannot name a set (the message for the user); empty when it
    // can. Names are taken trimmed.
    static QString nameProblem(const QString &name);

    // The name of the set whose "[BACK]" picture is `backFileName`: the file
    // name up to its last ".", without the marker.
    static QString setName(const QString &backFileName);

    // The files of set `name` in `folder`: the "[BACK]", "[FRONT]" and
    // "[DISC]" pictures of that name, whatever their extension.
    static QStringList setFiles(const QString &folder, const QString &name);

    // Writes set `name` made from `doc` into `folder` (made when missing),
    // replacing a set of that name. The "[BACK]" file's name; empty with the
    // reason in `error` when nothing was written.
    static QString save(
        const CoverDocument &doc, const QString &folder, const QString &name, QString &error);

    // Removes the set whose "[BACK]" picture is `backFileName` in `folder`:
    // its marker files of either naming (the set's name, or the back file's
    // name with the marker exchanged). False with the reason.
    static bool remove(const QString &folder, const QString &backFileName, QString &error);
};
