#pragma once

#include "print/CoverThumbnail.h"

#include <QString>
#include <QStringList>

class QTextStream;

// What the command line asks for.
struct CommandLineRequest {
    enum class Mode {
        Gui,
        Help,
        Version,
        Info,
        ExportPng,
        ExportPdf,
        CalibrationPage,
        Thumbnail,
        Usage
    } mode
        = Mode::Gui;
    QString coverPath; // the cover to open, inspect or export
    QString outputPath; // PNG folder, PDF file or thumbnail
    int dpi = 300; // --export-png
    int thumbnailSize = kDefaultThumbnailSize; // --thumbnail: pixels on the longer side
    QString coversPaper; // --export-pdf, empty: from the settings store
    QString discPaper;
    bool bottomDiscLabel = false;
    bool bothDiscLabels = false; // --export-pdf only
    QStringList ignoredFiles; // Gui: file arguments after the first, not opened
    QString error; // for Mode::Usage
    // One of the options that answer without a window was given (also when
    // the line is a usage error).
    bool commandNamed = false;
    // Options were given that this program does not know.
    bool unknownOptions = false;

    // Whether the window's application object is to take the arguments
    // over: Qt's own options (-style, -platform, -reverse, ...) are known
    // only once it has taken them out, so until then they read as unknown.
    bool opensWindow() const
    {
        return mode == Mode::Gui || (mode == Mode::Usage && unknownOptions && !commandNamed);
    }
};

// Parses the arguments, the program name first.
CommandLineRequest parseCommandLine(const QStringList &arguments);
QString usageText();

// The short message of a usage error, on `err`; returns the exit code (64).
int reportUsageError(const CommandLineRequest &request, QTextStream &err);

// The whole program: options that answer without a display, else the
// windowed application.
int runDiscora(int argc, char **argv);
