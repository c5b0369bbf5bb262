#include "CommandLine.h"

#include "app/CCoverApp.h"
#include "document/CoverInfo.h"
#include "print/CoverThumbnail.h"
#include "print/FileExport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kExitUsage = 64;

using Mode = CommandLineRequest::Mode;

// Stores an option's value; returns why it cannot be taken, or nothing.
using StoreValue = std::function<QString(CommandLineRequest &, const QString &)>;

QString storeOutput(CommandLineRequest &r, const QString &value)
{
    r.outputPath = value;
    return {};
}

// An option that goes with one or more of the commands below.
struct Setting {
    const char *name;
    const char *valueName; // nullptr: a switch
    const char *needs; // what a missing value should have been
    StoreValue store; // switches: called with an empty value
};

const std::vector<Setting> &settings()
{
    static const std::vector<Setting> table = {
        {"dpi", "N", "a number",
            [](CommandLineRequest &r, const QString &v) {
                bool ok = false;
                r.dpi = v.toInt(&ok);
                return ok && r.dpi >= 10 && r.dpi <= 2400
                    ? QString()
                    : QStringLiteral("--dpi takes a whole number from 10 to 2400");
            }},
        {"size", "N", "a number",
            [](CommandLineRequest &r, const QString &v) {
                bool ok = false;
                r.thumbnailSize = v.toInt(&ok);
                return ok && r.thumbnailSize >= 8 && r.thumbnailSize <= 2048
                    ? QString()
                    : QStringLiteral("--size takes a whole number from 8 to 2048");
            }},
        {"covers-paper", "NAME", "a paper name",
            [](CommandLineRequest &r, const QString &v) {
                r.coversPaper = v;
                return QString();
            }},
        {"disc-paper", "NAME", "a paper name",
            [](CommandLineRequest &r, const QString &v) {
                r.discPaper = v;
                return QString();
            }},
        {"bottom-disc-label", nullptr, nullptr,
            [](CommandLineRequest &r, const QString &) {
                r.bottomDiscLabel = true;
                return QString();
            }},
        {"both-disc-labels", nullptr, nullptr,
            [](CommandLineRequest &r, const QString &) {
                r.bothDiscLabels = true;
                return QString();
            }},
    };
    return table;
}

// A command that answers without a window: one entry each, with its lines
// of the help text.
struct Command {
    Mode mode;
    const char *name;
    const char *valueName; // nullptr: a switch
    const char *needs;
    StoreValue store;
    bool takesCover; // exactly one cover file; otherwise none
    std::vector<const char *> settings; // names from settings() it takes
    const char *synopsis; // after "discora "; continuation lines indented
    const char *help; // its lines of the option list
};

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {Mode::Info, "info", nullptr, nullptr, nullptr, true, {}, "--info COVER.zcv",
            "  --info COVER.zcv     print the cover's settings as JSON\n"},
        {Mode::ExportPng, "export-png", "DIR", "a folder", storeOutput, true, {"dpi"},
            "--export-png DIR [--dpi N] COVER.zcv",
            "  --export-png DIR     write each face of the cover as a PNG into DIR\n"
            "  --dpi N              resolution of the PNG files (default 300)\n"},
        {Mode::ExportPdf, "export-pdf", "OUT.pdf", "a file name", storeOutput, true,
            {"covers-paper", "disc-paper", "bottom-disc-label", "both-disc-labels"},
            "--export-pdf OUT.pdf [--covers-paper NAME] [--disc-paper NAME]\n"
            "                            [--bottom-disc-label | --both-disc-labels] COVER.zcv",
            "  --export-pdf OUT     write the printed pages of the cover to a PDF file\n"
            "  --covers-paper NAME  paper of the covers page (default: the stored choice)\n"
            "  --disc-paper NAME    label stock of the disc page (default: the stored choice)\n"
            "  --bottom-disc-label  use the bottom label of a label sheet\n"
            "  --both-disc-labels   print the disc on both labels of a label sheet\n"},
        {Mode::CalibrationPage, "calibration-page", "OUT.pdf", "a file name", storeOutput, false,
            {"covers-paper", "disc-paper", "bottom-disc-label"},
            "--calibration-page OUT.pdf [--covers-paper NAME] [--disc-paper NAME]\n"
            "                                  [--bottom-disc-label]",
            "  --calibration-page OUT\n"
            "                       write the printer calibration test page of the stored\n"
            "                       cover type to a PDF file\n"},
        {Mode::Thumbnail, "thumbnail", "OUT.png", "a file name", storeOutput, true, {"size"},
            "--thumbnail OUT.png [--size N] COVER.zcv",
            "  --thumbnail OUT      write a PNG picture of the cover's front (the sheet of a\n"
            "                       DVD or slimline cover, the disc of a disc alone)\n"
            "  --size N             longest side of the thumbnail in pixels (default 256)\n"},
    };
    return table;
}

QString dashed(const char *name)
{
    return QStringLiteral("--") + QLatin1String(name);
}

QCommandLineOption optionOf(const char *name, const char *valueName)
{
    return valueName ? QCommandLineOption(QLatin1String(name), QString(), QLatin1String(valueName))
                     : QCommandLineOption(QLatin1String(name));
}

CommandLineRequest usageError(CommandLineRequest r, const QString &why)
{
    r.mode = Mode::Usage;
    r.error = why;
    return r;
}

// Takes the value of a set option; an empty value is as good as none.
QString takeValue(CommandLineRequest &r, const QCommandLineParser &parser, const char *name,
    const char *valueName, const char *needs, const StoreValue &store)
{
    if (!valueName)
        return store(r, QString());
    const QString value = parser.value(QLatin1String(name));
    if (value.isEmpty())
        return QStringLiteral("%1 needs %2").arg(dashed(name), QLatin1String(needs));
    return store(r, value);
}

// "--dpi goes with --export-png", naming every command that takes it.
QString misplaced(const char *settingName)
{
    QStringList owners;
    for (const Command &c : commands())
        for (const char *s : c.settings)
            if (qstrcmp(s, settingName) == 0)
                owners << dashed(c.name);
    return QStringLiteral("%1 goes with %2")
        .arg(dashed(settingName), owners.join(QStringLiteral(" or ")));
}

} // namespace

QString usageText()
{
    QString text = QStringLiteral("Usage: discora [COVER.zcv]\n");
    for (const Command &c : commands())
        text += QStringLiteral("       discora ") + QLatin1String(c.synopsis) + QLatin1Char('\n');
    text += QStringLiteral(
        "       discora --help | --version\n"
        "\n"
        "Designs and prints covers for CD and DVD cases and labels for the discs.\n"
        "\n"
        "  COVER.zcv            open this cover file\n");
    for (const Command &c : commands())
        text += QLatin1String(c.help);
    text += QStringLiteral("  --help               show this help\n"
                           "  --version            show the version\n");
    return text;
}

CommandLineRequest parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(QStringLiteral("help")));
    parser.addOption(QCommandLineOption(QStringLiteral("version")));
    for (const Command &c : commands())
        parser.addOption(optionOf(c.name, c.valueName));
    for (const Setting &s : settings())
        parser.addOption(optionOf(s.name, s.valueName));

    CommandLineRequest r;
    const bool parsed = parser.parse(arguments);
    // Known options are recognised even when others are not.
    const Command *command = nullptr;
    QStringList named;
    for (const Command &c : commands()) {
        if (parser.isSet(QLatin1String(c.name))) {
            command = &c;
            named << dashed(c.name);
        }
    }
    r.commandNamed = command || parser.isSet(QStringLiteral("help"))
        || parser.isSet(QStringLiteral("version"));
    r.unknownOptions = !parser.unknownOptionNames().isEmpty();
    if (!parsed)
        return usageError(r, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        r.mode = Mode::Help;
        return r;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        r.mode = Mode::Version;
        return r;
    }
    if (named.size() > 1)
        return usageError(r, QStringLiteral("%1 cannot be combined").arg(named.join(" and ")));

    if (command) {
        r.mode = command->mode;
        if (command->store) {
            const QString why = takeValue(
                r, parser, command->name, command->valueName, command->needs, command->store);
            if (!why.isEmpty())
                return usageError(r, why);
        }
    }
    for (const Setting &s : settings()) {
        if (!parser.isSet(QLatin1String(s.name)))
            continue;
        const bool taken = command
            && std::any_of(command->settings.begin(), command->settings.end(),
                [&](const char *name) { return qstrcmp(name, s.name) == 0; });
        if (!taken)
            return usageError(r, misplaced(s.name));
        const QString why = takeValue(r, parser, s.name, s.valueName, s.needs, s.store);
        if (!why.isEmpty())
            return usageError(r, why);
    }

    if (r.bottomDiscLabel && r.bothDiscLabels)
        return usageError(
            r, QStringLiteral("--bottom-disc-label and --both-disc-labels cannot be combined"));

    QStringList files = parser.positionalArguments();
    if (command && command->takesCover) {
        if (files.isEmpty())
            return usageError(r, QStringLiteral("a cover file must be named"));
        if (files.size() > 1)
            return usageError(r, QStringLiteral("only one cover file may be named"));
    } else if (command && !files.isEmpty()) {
        return usageError(r, QStringLiteral("%1 takes no cover file").arg(dashed(command->name)));
    }
    if (!files.isEmpty())
        r.coverPath = files.takeFirst();
    // The window opens one cover; a file manager may hand over several.
    r.ignoredFiles = files;
    return r;
}

int reportUsageError(const CommandLineRequest &request, QTextStream &err)
{
    err << "discora: " << request.error << "\n"
        << "Try 'discora --help' for more information.\n";
    err.flush();
    return kExitUsage;
}

namespace {

// The commands print their own output and messages and nothing else: Qt's
// notes on the session they run in (no runtime folder, no display, fonts)
// would spoil a script's quiet success. A fatal message still says why
// the program ends.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fputs(qPrintable(message), stderr);
        std::fputc('\n', stderr);
    }
}

} // namespace

int runDiscora(int argc, char **argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CommandLineRequest request = parseCommandLine(args);
    if (request.opensWindow())
        return CCoverApp::runApplication(argc, argv);

    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (request.mode) {
    case Mode::Usage: return reportUsageError(request, err);
    case Mode::Help: out << usageText(); return 0;
    case Mode::Version: out << "Discora " << DISCORA_VERSION << "\n"; return 0;
    case Mode::Info: {
        qInstallMessageHandler(quietQtMessages);
        QCoreApplication app(argc, argv);
        return printCoverInfo(request.coverPath, out, err);
    }
    case Mode::ExportPng:
    case Mode::ExportPdf:
    case Mode::CalibrationPage:
    case Mode::Thumbnail: {
        qInstallMessageHandler(quietQtMessages);
        // The faces are drawn with fonts, which need a GUI application, but
        // never a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        if (request.mode == Mode::Thumbnail)
            return writeCoverThumbnail(
                request.coverPath, request.outputPath, request.thumbnailSize, err);
        if (request.mode == Mode::ExportPng)
            return exportCoverPng(request.coverPath, request.outputPath, request.dpi, err);
        PdfExportOptions options;
        options.coversPaper = request.coversPaper;
        options.discPaper = request.discPaper;
        options.position = request.bothDiscLabels ? DiscLabelPosition::Both
            : request.bottomDiscLabel             ? DiscLabelPosition::Bottom
                                                  : DiscLabelPosition::Top;
        if (request.mode == Mode::CalibrationPage)
            return exportCalibrationPdf(request.outputPath, options, err);
        return exportCoverPdf(request.coverPath, request.outputPath, options, err);
    }
    case Mode::Gui: break;
    }
    return CCoverApp::runApplication(argc, argv);
}
