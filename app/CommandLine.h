#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for.
struct CommandLineRequest {
    enum class Mode { Gui, Help, Version, Info, ExportPng, ExportPdf, CalibrationPage, Usage };
    Mode mode = Mode::Gui;
    QString coverPath;      // the cover to open, inspect or export
    QString outputPath;     // PNG folder or PDF file (also --calibration-page)
    int dpi = 300;          // --export-png
    QString coversPaper;    // --export-pdf, --calibration-page; empty: stored
    QString discPaper;
    bool bottomDiscLabel = false;
    QString error;          // for Mode::Usage
};

CommandLineRequest parseCommandLine(const QStringList &arguments);
QString usageText();

// The whole program: options that answer without a display, else the
// windowed application.
int runDiscora(int argc, char **argv);
