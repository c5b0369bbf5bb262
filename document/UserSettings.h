#pragma once

#include "Calibration.h"

#include <QString>
#include <cstdint>

// The user's choices that outlive a cover. Short-lived: create one (it fills
// itself with the defaults, then with what the store holds), read or change
// fields, and save it if something changed. Nothing is cached in between, so
// the store file is the one source of truth and the last save wins.
//
// The store is the file "Tessaly.conf" in the user's XDG config folder
// ($XDG_CONFIG_HOME, default ~/.config), values at its top level.
class UserSettings {
public:
    UserSettings(); // defaults, then load()

    void load();
    void save() const;

    // Path of the store file, from the environment at the time of the call.
    static QString storePath();

    uint32_t Option = 1;
    uint32_t dwCHF = 119;
    uint32_t dwCWF = 121;
    uint32_t dwCHB = 118;
    uint32_t dwCWB = 151;
    QString cdFormatCover = QStringLiteral("Plain Paper");
    QString cdFormatDisc = QStringLiteral("Plain Paper");
    QString cdSlimFormatCover = QStringLiteral("Plain Paper");
    QString cdSlimFormatDisc = QStringLiteral("Plain Paper");
    QString dvdFormatCover = QStringLiteral("Plain Paper");
    QString dvdFormatDisc = QStringLiteral("Plain Paper");
    QString dvdSlimFormatCover = QStringLiteral("Plain Paper");
    QString dvdSlimFormatDisc = QStringLiteral("Plain Paper");
    uint32_t printDisc = 1;
    uint32_t printCover = 1;
    // 1: the disc goes on both labels of a label sheet. Only this choice is
    // kept; top and bottom are not, and the dialog opens on the top label.
    // A store from before the choice existed reads as 0.
    uint32_t bothDiscLabels = 0;
    QString lastPath;
    // The printer adjustment (expandCoverMM ... moveDiscLeftRight).
    Calibration calibration;
    // The printer chosen in the printer dialog last, as the printing system
    // names it; empty: the default printer.
    QString printerName;
    // The main window: its size and place (as Qt saves a window's geometry,
    // in base64), the preview's zoom (0 fits the face to the window) and
    // whether the sheets show the names of their parts.
    QString windowGeometry;
    uint32_t previewZoom = 0;
    uint32_t showPartNames = 0;

    // The paper names stored for a cover type; empty for types without paper.
    QString coversPaperFor(int32_t coverType) const;
    QString discPaperFor(int32_t coverType) const;
    void setPapersFor(int32_t coverType, const QString &covers, const QString &disc);

private:
    class Exchange;
    void exchange(Exchange &ex);
};
