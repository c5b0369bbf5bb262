#include "CommandLine.h"

#include "app/CCoverApp.h"
#include "document/CoverInfo.h"
#include "print/FileExport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {
constexpr int kExitUsage = 64;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: discora [COVER.zcv]\n"
        "       discora --info COVER.zcv\n"
        "       discora --export-png DIR [--dpi N] COVER.zcv\n"
        "       discora --export-pdf OUT.pdf [--covers-paper NAME] [--disc-paper NAME]\n"
        "                            [--bottom-disc-label] COVER.zcv\n"
        "       discora --calibration-page OUT.pdf [--covers-paper NAME] [--disc-paper NAME]\n"
        "                                  [--bottom-disc-label]\n"
        "       discora --help | --version\n"
        "\n"
        "Designs and prints covers for CD and DVD cases and labels for the discs.\n"
        "\n"
        "  COVER.zcv            open this cover file\n"
        "  --info COVER.zcv     print the cover's settings as JSON\n"
        "  --export-png DIR     write each face of the cover as a PNG into DIR\n"
        "  --dpi N              resolution of the PNG files (default 300)\n"
        "  --export-pdf OUT     write the printed pages of the cover to a PDF file\n"
        "  --calibration-page OUT\n"
        "                       write the printer calibration test page of the stored\n"
        "                       cover type to a PDF file\n"
        "  --covers-paper NAME  paper of the covers page (default: the stored choice)\n"
        "  --disc-paper NAME    label stock of the disc page (default: the stored choice)\n"
        "  --bottom-disc-label  use the bottom label of a label sheet\n"
        "  --help               show this help\n"
        "  --version            show the version\n");
}

CommandLineRequest parseCommandLine(const QStringList &args)
{
    CommandLineRequest r;
    auto fail = [&r](const QString &why) {
        r.mode = CommandLineRequest::Mode::Usage;
        r.error = why;
        return r;
    };
    QStringList positional;
    bool optionsEnded = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto value = [&](QString &into) {
            if (i + 1 >= args.size())
                return false;
            into = args.at(++i);
            return true;
        };
        if (optionsEnded || !a.startsWith(QLatin1String("--"))) {
            positional << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            optionsEnded = true;
        } else if (a == QLatin1String("--help")) {
            r.mode = CommandLineRequest::Mode::Help;
            return r;
        } else if (a == QLatin1String("--version")) {
            r.mode = CommandLineRequest::Mode::Version;
            return r;
        } else if (a == QLatin1String("--info")) {
            r.mode = CommandLineRequest::Mode::Info;
        } else if (a == QLatin1String("--export-png")) {
            r.mode = CommandLineRequest::Mode::ExportPng;
            if (!value(r.outputPath))
                return fail(QStringLiteral("--export-png needs a folder"));
        } else if (a == QLatin1String("--export-pdf")) {
            r.mode = CommandLineRequest::Mode::ExportPdf;
            if (!value(r.outputPath))
                return fail(QStringLiteral("--export-pdf needs a file name"));
        } else if (a == QLatin1String("--calibration-page")) {
            r.mode = CommandLineRequest::Mode::CalibrationPage;
            if (!value(r.outputPath))
                return fail(QStringLiteral("--calibration-page needs a file name"));
        } else if (a == QLatin1String("--dpi")) {
            QString v;
            if (!value(v))
                return fail(QStringLiteral("--dpi needs a number"));
            bool ok = false;
            r.dpi = v.toInt(&ok);
            if (!ok || r.dpi < 10 || r.dpi > 2400)
                return fail(QStringLiteral("--dpi takes a whole number from 10 to 2400"));
        } else if (a == QLatin1String("--covers-paper")) {
            if (!value(r.coversPaper))
                return fail(QStringLiteral("--covers-paper needs a paper name"));
        } else if (a == QLatin1String("--disc-paper")) {
            if (!value(r.discPaper))
                return fail(QStringLiteral("--disc-paper needs a paper name"));
        } else if (a == QLatin1String("--bottom-disc-label")) {
            r.bottomDiscLabel = true;
        } else {
            return fail(QStringLiteral("unknown option %1").arg(a));
        }
    }

    using Mode = CommandLineRequest::Mode;
    const bool exporting = r.mode == Mode::ExportPng || r.mode == Mode::ExportPdf;
    if (r.mode != Mode::ExportPng && args.contains(QLatin1String("--dpi")))
        return fail(QStringLiteral("--dpi goes with --export-png"));
    if (r.mode != Mode::ExportPdf && r.mode != Mode::CalibrationPage
        && (!r.coversPaper.isEmpty() || !r.discPaper.isEmpty() || r.bottomDiscLabel))
        return fail(QStringLiteral("paper options go with --export-pdf or --calibration-page"));
    if (r.mode == Mode::CalibrationPage && !positional.isEmpty())
        return fail(QStringLiteral("--calibration-page takes no cover file"));
    if (positional.size() > 1)
        return fail(QStringLiteral("only one cover file may be named"));
    if ((r.mode == Mode::Info || exporting) && positional.isEmpty())
        return fail(QStringLiteral("a cover file must be named"));
    if (!positional.isEmpty())
        r.coverPath = positional.first();
    return r;
}

int runDiscora(int argc, char **argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CommandLineRequest request = parseCommandLine(args);

    using Mode = CommandLineRequest::Mode;
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (request.mode) {
    case Mode::Usage:
        err << "discora: " << request.error << "\n\n" << usageText();
        return kExitUsage;
    case Mode::Help: out << usageText(); return 0;
    case Mode::Version: out << "Discora " << DISCORA_VERSION << "\n"; return 0;
    case Mode::Info: {
        QCoreApplication app(argc, argv);
        return printCoverInfo(request.coverPath, out, err);
    }
    case Mode::ExportPng:
    case Mode::ExportPdf:
    case Mode::CalibrationPage: {
        // The faces are drawn with fonts, which need a GUI application, but
        // never a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        if (request.mode == Mode::ExportPng)
            return exportCoverPng(request.coverPath, request.outputPath, request.dpi, err);
        PdfExportOptions options;
        options.coversPaper = request.coversPaper;
        options.discPaper = request.discPaper;
        options.useTopDiscLabel = !request.bottomDiscLabel;
        if (request.mode == Mode::CalibrationPage)
            return exportCalibrationPdf(request.outputPath, options, err);
        return exportCoverPdf(request.coverPath, request.outputPath, options, err);
    }
    case Mode::Gui: break;
    }
    // The window starts its file dialogs where the cover is: make the path
    // independent of the folder the program was started from.
    const QString coverPath
        = request.coverPath.isEmpty() ? QString() : QFileInfo(request.coverPath).absoluteFilePath();
    return CCoverApp::runApplication(argc, argv, coverPath);
}
