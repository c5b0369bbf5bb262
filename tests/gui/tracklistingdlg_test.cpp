// The track listing editor: what it opens with, Insert and Remove with the
// renumbering rule, what OK returns, Enter and Escape while a cell is
// edited, the refusal of the cover file's tags, help, and the folder import.
// Grids are written as text: rows split by "|", cells by ",".
#include "dialogs/CEditGrid.h"
#include "dialogs/CTrackListingDlg.h"
#include "dialogs/ImportRunner.h"
#include "dialogs/TrackListingImporter.h"
#include "document/DisplayText.h"
#include "document/TrackListing.h"
#include "tests/support/AudioFiles.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace testsupport;

namespace {

QString gridText(const CTrackListingDlg &dlg)
{
    QStringList rows;
    for (int r = 0; r < dlg.grid()->rowCount(); ++r)
        rows << QStringList{dlg.grid()->cellText(r, 1), dlg.grid()->cellText(r, 2),
            dlg.grid()->cellText(r, 3)}
                    .join(QLatin1Char(','));
    return rows.join(QLatin1Char('|'));
}

QByteArray listing(const QString &grid)
{
    QList<TrackRow> rows;
    for (const QString &row : grid.split(QLatin1Char('|'))) {
        rows << TrackRow{};
        for (const QString &cell : row.split(QLatin1Char(',')))
            rows.last() << cell.toUtf8();
    }
    return writeTrackListing(rows);
}

// The results the dialog was closed with.
struct FinishedSpy {
    explicit FinishedSpy(QDialog &dialog)
    {
        QObject::connect(
            &dialog, &QDialog::finished, &dialog, [this](int result) { results << result; });
    }
    QList<int> results;
};

class TrackListingDlgTest : public ::testing::Test {
protected:
    void SetUp() override { UiHost::setInstance(&host); }
    void TearDown() override { UiHost::setInstance(nullptr); }

    std::unique_ptr<CTrackListingDlg> open(const QByteArray &tracks, const QByteArray &spine = {})
    {
        auto dlg = std::make_unique<CTrackListingDlg>();
        dlg->trackText = tracks;
        dlg->spineText = spine;
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        QApplication::processEvents();
        return dlg;
    }

    // A key pressed where the keyboard focus is, as a person would.
    static void press(int key)
    {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier);
            if (QWidget *target = QApplication::focusWidget())
                QApplication::sendEvent(target, &event);
        }
        QApplication::processEvents();
    }

    // A key with modifiers and the text it types.
    static void key(
        int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = QString())
    {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, modifiers, text);
            if (QWidget *target = QApplication::focusWidget())
                QApplication::sendEvent(target, &event);
        }
        QApplication::processEvents();
    }

    static QString cellAt(const CEditGrid &grid)
    {
        return QStringLiteral("%1,%2").arg(grid.currentRow()).arg(grid.currentColumn());
    }

    ScriptedUiHost host{ScriptedUiHost::AnswerNoticesWithOk};
};

} // namespace

TEST_F(TrackListingDlgTest, OpensWithTheRowsOfTheListing)
{
    QByteArray thirteen;
    for (char c = 'a'; c <= 'm'; ++c)
        thirteen += QByteArray("[DELIM]") + c + "[/DELIM]";
    const std::pair<QByteArray, const char *> cases[] = {
        {"", "1.,,|2.,,|3.,,|4.,,|5.,,|6.,,|7.,,|8.,,"},
        {"plain text", ",,"},
        {thirteen, "a,b,c|d,e,f|g,h,i|j,k,l|m,,"},
        {"[DELIM]1.[/DELIM][DELIM]Caf\xe9[/DELIM]", "1.,Caf\u00e9,"},
        {"[DELIM]Caf\xe9[/DELIM][DELIM]\xce\xa9mega[/DELIM]", "Caf\u00e9,\u03a9mega,"},
    };
    for (const auto &[tracks, grid] : cases) {
        auto dlg = open(tracks, "Spine");
        EXPECT_EQ(gridText(*dlg), QString::fromUtf8(grid));
        EXPECT_EQ(dlg->spineField()->text(), QStringLiteral("Spine"));
        EXPECT_EQ(dlg->grid()->currentRow(), 0);
    }
    CTrackListingDlg hidden;
    hidden.showSpineText = false;
    hidden.show();
    EXPECT_FALSE(hidden.spineField()->isVisible() || hidden.spineLabel()->isVisible());
}

TEST_F(TrackListingDlgTest, InsertAndRemoveFollowTheCurrentRowAndRenumber)
{
    const struct {
        const char *what, *grid;
        int current;
        bool insert;
        const char *after;
        int currentAfter;
    } cases[] = {
        {"insert at the last row appends", "1.,A,|2.,B,|3.,C,", 2, true, "1.,A,|2.,B,|3.,C,|4.,,",
            3},
        {"insert at an inner row goes above it", "1.,A,|2.,B,", 0, true, "1.,,|2.,A,|3.,B,", 0},
        {"a letter stops renumbering", "1.,A,|x,B,|3.,C,", 1, true, "1.,A,|,,|x,B,|3.,C,", 1},
        {"the last row's number is not looked at", "1.,A,|x,B,", 0, true, "1.,,|2.,A,|3.,B,", 0},
        {"empty cells and numbers without dots count as numbers", "7,A,|,B,|1.2,C,|9,D,", 1, false,
            "1.,A,|2.,C,|3.,D,", 1},
        {"removing the last row makes the one above current", "1.,A,|2.,B,|3.,C,", 2, false,
            "1.,A,|2.,B,", 1},
        {"the only row can be removed", "1.,A,", 0, false, "", -1},
        {"and a track inserted into an empty grid", "", -1, true, "1.,,", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto dlg = open(listing(QString::fromUtf8(c.grid)));
        if (!*c.grid)
            dlg->grid()->setRowCount(0);
        dlg->grid()->setCurrentCell(c.current, 2);
        (c.insert ? dlg->insertButton() : dlg->removeButton())->click();
        EXPECT_EQ(gridText(*dlg), QString::fromUtf8(c.after));
        EXPECT_EQ(dlg->grid()->currentRow(), c.currentAfter);
    }
}

TEST_F(TrackListingDlgTest, OkReturnsEveryRowInTheFileEncoding)
{
    auto dlg = open(listing(QStringLiteral("1.,Intro,3:45|2.,Outro,1:00|3.,,")));
    dlg->grid()->setCurrentCell(1, 2);
    dlg->insertButton()->click();
    dlg->grid()->setCellText(1, 1, QString());
    dlg->okButton()->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->trackText,
        QByteArray("[DELIM]1.[/DELIM][DELIM]Intro[/DELIM][DELIM]3:45[/DELIM]\n\r"
                   "[DELIM][/DELIM][DELIM][/DELIM][DELIM][/DELIM]\n\r"
                   "[DELIM]3.[/DELIM][DELIM]Outro[/DELIM][DELIM]1:00[/DELIM]\n\r"));

    // Bytes that were not edited come back as they were.
    dlg = open("[DELIM]1.[/DELIM][DELIM]Caf\xe9[/DELIM][DELIM]x[/DELIM]", "Gro\xdf");
    dlg->grid()->setCellText(0, 3, QStringLiteral("\u00e0 4:00"));
    dlg->accept();
    EXPECT_EQ(dlg->trackText,
        "[DELIM]1.[/DELIM][DELIM]Caf\xe9[/DELIM][DELIM]" + storedText(QStringLiteral("\u00e0 4:00"))
            + "[/DELIM]\n\r");
    EXPECT_EQ(dlg->spineText, QByteArray("Gro\xdf"));

    // A cell that needs UTF-8 takes the whole listing to UTF-8.
    dlg = open("[DELIM]1.[/DELIM][DELIM]Caf\xe9[/DELIM][DELIM]x[/DELIM]");
    dlg->grid()->setCellText(0, 3, QStringLiteral("\u03a9"));
    dlg->accept();
    EXPECT_EQ(dlg->trackText,
        QByteArray("[DELIM]1.[/DELIM][DELIM]Caf\xc3\xa9[/DELIM][DELIM]\xce\xa9[/DELIM]\n\r"));

    dlg = open("[DELIM]kept", "spine");
    dlg->grid()->setCellText(0, 1, QStringLiteral("changed"));
    dlg->spineField()->setText(QStringLiteral("changed"));
    dlg->cancelButton()->click();
    EXPECT_EQ(dlg->trackText + dlg->spineText, QByteArray("[DELIM]keptspine"));
}

TEST_F(TrackListingDlgTest, TextsHoldingTheFileTagsAreRefusedByName)
{
    const struct {
        int row, column; // column 0: the spine field
        const char *text, *named;
    } cases[] = {
        {0, 0, "Best of [BEGIN]", "The spine text holds \"[BEGIN]\""},
        {0, 1, "[IMAGE1]", "The number in row 1 holds \"[IMAGE1]\""},
        {1, 2, "Intro [END] outro [DELIM]", "The title in row 2 holds \"[END]\""},
        {1, 3, "3:45[/DELIM]", "The length in row 2 holds \"[/DELIM]\""},
    };
    const QByteArray given = listing(QStringLiteral("1.,A,1:00|2.,B,2:00"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        host.messages.clear();
        auto dlg = open(given);
        if (c.column == 0)
            dlg->spineField()->setText(QString::fromLatin1(c.text));
        else
            dlg->grid()->setCellText(c.row, c.column, QString::fromLatin1(c.text));
        dlg->okButton()->click();
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_TRUE(host.messages[0].text.startsWith(QLatin1String(c.named)));
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(dlg->trackText, given);
        if (c.column > 0) {
            EXPECT_EQ(dlg->grid()->currentIndex(), dlg->grid()->model()->index(c.row, c.column));
        }
    }
}

TEST_F(TrackListingDlgTest, EnterAndEscapeWhileEditingNeverCloseTheDialog)
{
    auto dlg = open(listing(QStringLiteral("1.,Intro,3:45")));
    CEditGrid *grid = dlg->grid();
    grid->setFocus();
    grid->setCurrentCell(0, 2);
    const auto editor = [] { return qobject_cast<QLineEdit *>(QApplication::focusWidget()); };

    press(Qt::Key_Return); // begins editing
    ASSERT_TRUE(grid->isEditing() && editor());
    EXPECT_EQ(editor()->selectedText(), QStringLiteral("Intro"));
    editor()->setText(QStringLiteral("Typed"));
    press(Qt::Key_Return); // ends it and moves to a new row below
    EXPECT_FALSE(grid->isEditing());
    EXPECT_EQ(gridText(*dlg), QStringLiteral("1.,Typed,3:45|2.,,"));
    EXPECT_EQ(grid->currentRow(), 1);
    press(Qt::Key_Enter);
    ASSERT_TRUE(grid->isEditing() && editor());
    editor()->setText(QStringLiteral("Dropped"));
    press(Qt::Key_Escape); // drops the edit
    EXPECT_FALSE(grid->isEditing());
    press(Qt::Key_Escape); // and a second Escape stays in the grid
    ASSERT_TRUE(dlg->isVisible());
    EXPECT_EQ(grid->cellText(0, 2), QStringLiteral("Typed"));

    // Pasted line breaks become spaces; OK while editing keeps the edit.
    press(Qt::Key_Return);
    ASSERT_TRUE(editor());
    press(Qt::Key_F1); // help, also while a cell is edited
    editor()->setText(QStringLiteral("Two\nlines"));
    dlg->okButton()->click();
    EXPECT_EQ(dlg->trackText, listing(QStringLiteral("1.,Typed,3:45|2.,Two lines,")));

    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].topic, QStringLiteral("tracklisting"));
    EXPECT_EQ(host.helpRequests[0].owner, dlg.get());

    // Enter in the spine field is OK.
    dlg = open({}, "Spine");
    dlg->spineField()->setFocus();
    press(Qt::Key_Return);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

// Enter presses the button that has the focus (as in the print dialogs); in
// the grid it is the grid's own key; anywhere else it is OK.
TEST_F(TrackListingDlgTest, EnterPressesTheFocusedButton)
{
    const QString grid = QStringLiteral("1.,Intro,3:45|2.,Outro,4:00");
    const struct {
        const char *focus;
        std::function<QWidget *(CTrackListingDlg &)> widget;
        bool closes;
        int result;
        QString gridAfter;
        bool editing;
    } cases[] = {
        {"OK", [](CTrackListingDlg &d) -> QWidget * { return d.okButton(); }, true,
            QDialog::Accepted, grid, false},
        {"Cancel", [](CTrackListingDlg &d) -> QWidget * { return d.cancelButton(); }, true,
            QDialog::Rejected, grid, false},
        {"Remove Track", [](CTrackListingDlg &d) -> QWidget * { return d.removeButton(); }, false,
            0, QStringLiteral("1.,Outro,4:00"), false},
        {"Insert Track", [](CTrackListingDlg &d) -> QWidget * { return d.insertButton(); }, false,
            0, QStringLiteral("1.,,|2.,Intro,3:45|3.,Outro,4:00"), false},
        {"grid", [](CTrackListingDlg &d) -> QWidget * { return d.grid(); }, false, 0, grid, true},
        {"spine field", [](CTrackListingDlg &d) -> QWidget * { return d.spineField(); }, true,
            QDialog::Accepted, grid, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.focus);
        auto dlg = open(listing(grid), "Spine");
        dlg->grid()->setCurrentCell(0, 2);
        QWidget *target = c.widget(*dlg);
        target->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), target);
        FinishedSpy finished(*dlg);
        press(Qt::Key_Return);
        EXPECT_EQ(finished.results, c.closes ? QList<int>{c.result} : QList<int>{});
        EXPECT_EQ(dlg->isVisible(), !c.closes);
        EXPECT_EQ(gridText(*dlg), c.gridAfter);
        EXPECT_EQ(dlg->grid()->isEditing(), c.editing);
    }
}

TEST_F(TrackListingDlgTest, TheColumnsAreNumberTitleAndLength)
{
    auto dlg = open({});
    const QString headers[] = {"", "No.", "Title", "Length"};
    for (int column = 0; column < 4; ++column) {
        const QTableWidgetItem *header = dlg->grid()->horizontalHeaderItem(column);
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->text(), headers[column]);
    }
}

TEST_F(TrackListingDlgTest, ImportFillsTheGridAfterAskingWhenItHoldsTracks)
{
    const QString folder = freshDir(QStringLiteral("import"));
    for (const auto &[name, seconds] : {std::pair{"/02 Second.wav", 2}, {"/01 First.wav", 61}}) {
        ASSERT_TRUE(writeWav(folder + QLatin1String(name), seconds));
        ASSERT_TRUE(writeTags(folder + QLatin1String(name), {{}, "Ann", "Dawn", {}}));
    }
    writeFile(folder + QStringLiteral("/03 Broken.flac"), "fLaC");
    const QString imported = QStringLiteral("1.,First,1:01|2.,Second,0:02");
    using A = UiHost::Answer;
    const struct {
        const char *what, *grid, *spine;
        std::deque<A> answers; // to the replace question
        QString gridAfter, spineAfter;
    } cases[] = {
        {"numbers alone are replaced without a question", "1.,,", "", {}, imported, "Ann - Dawn"},
        {"a title asks; No keeps the grid", "1.,Mine,", "", {A::No}, "1.,Mine,", ""},
        {"a length asks; Yes replaces, a spine text stays", ",,3:00", "Own", {A::Yes}, imported,
            "Own"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        host.messages.clear();
        auto dlg = open(listing(QString::fromUtf8(c.grid)), c.spine);
        host.folderNames = {folder};
        host.answers = c.answers;
        dlg->importer()->menu()->actions().at(0)->trigger(); // "Folder…"
        EXPECT_TRUE(host.answers.empty());
        EXPECT_EQ(gridText(*dlg), c.gridAfter);
        EXPECT_EQ(dlg->spineField()->text(), c.spineAfter);
        // The file that could not be read is named after the grid is filled.
        const bool replaced = c.gridAfter == imported;
        ASSERT_EQ(host.messages.size(), qsizetype(c.answers.size() + (replaced ? 1 : 0)));
        EXPECT_EQ(host.messages.last().text.contains(QLatin1String("03 Broken.flac")), replaced);
    }

    host.messages.clear();
    auto dlg = open(listing(QStringLiteral("1.,Mine,")));
    host.folderNames = {freshDir(QStringLiteral("empty"))};
    dlg->importer()->menu()->actions().at(0)->trigger();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].text.startsWith(QLatin1String("There are no audio files")));
    EXPECT_EQ(gridText(*dlg), QStringLiteral("1.,Mine,"));
}

TEST_F(TrackListingDlgTest, CueSheetsAndPlaylistsImportFromTheMenuOrADrop)
{
    const QString folder = freshDir(QStringLiteral("lists"));
    ASSERT_TRUE(writeWav(folder + QStringLiteral("/disc.wav"), 5));
    writeFile(folder + QStringLiteral("/disc.cue"),
        "PERFORMER \"Ann\"\r\nTITLE \"Dawn\"\r\nFILE \"disc.wav\" WAVE\r\n"
        "TRACK 01 AUDIO\r\nTITLE \"One\"\r\nINDEX 01 00:00:00\r\n"
        "TRACK 02 AUDIO\r\nTITLE \"Two [END]\"\r\nPERFORMER \"Bo\"\r\nINDEX 01 00:03:00\r\n");
    writeFile(folder + QStringLiteral("/mix.m3u"), "#EXTINF:61,X - Y\ngone.mp3\n02 - Lost.mp3\n");
    writeFile(folder + QStringLiteral("/empty.pls"), "[playlist]\n");
    writeFile(folder + QStringLiteral("/notes.txt"), "x");
    const QString fromCue = QStringLiteral("1.,One,0:03|2.,Bo - Two END,0:02");
    using A = UiHost::Answer;
    const struct {
        const char *what, *grid, *file;
        bool drop;
        std::deque<A> answers;
        QString gridAfter, spineAfter, question, notice;
    } cases[] = {
        {"a CUE sheet chosen from the menu fills an empty listing and the spine", "", "disc.cue",
            false, {}, fromCue, "Ann - Dawn", {}, {}},
        {"dropped on a listing of two tracks, it asks first", "1.,A,|2.,,|3.,C,|4.,,", "disc.cue",
            true, {A::Yes}, fromCue, "Ann - Dawn", "Replace the 3 tracks in the listing?", {}},
        {"No keeps the listing", "1.,A,", "mix.m3u", true, {A::No}, "1.,A,", "",
            "Replace the track in the listing?", {}},
        {"a playlist's missing file is named after the import", "", "mix.m3u", false, {},
            "1.,X - Y,1:01|2.,Lost,", "", {}, "\"02 - Lost.mp3\" does not exist."},
        {"an empty playlist says so and changes nothing", "1.,A,", "empty.pls", false, {}, "1.,A,",
            "", {}, "\"empty.pls\" holds no tracks."},
        {"a dropped file of another kind is not taken", "1.,A,", "notes.txt", true, {}, "1.,A,", "",
            {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        host.messages.clear();
        auto dlg = open(*c.grid ? listing(QString::fromUtf8(c.grid)) : QByteArray());
        host.answers = c.answers;
        const QString path = folder + QLatin1Char('/') + QLatin1String(c.file);
        if (c.drop) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            const QPoint at = dlg->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(dlg.get(), &enter);
            EXPECT_EQ(enter.isAccepted(), TrackListingImporter::canImport(path));
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(dlg.get(), &drop);
        } else {
            host.fileNames = {path};
            dlg->importer()->menu()->actions().at(1)->trigger(); // "CUE Sheet or Playlist…"
        }
        EXPECT_TRUE(host.answers.empty());
        EXPECT_EQ(gridText(*dlg), c.gridAfter);
        EXPECT_EQ(dlg->spineField()->text(), c.spineAfter);
        QStringList texts;
        for (const auto &m : host.messages)
            texts << m.text;
        const QStringList expected = {c.question, c.notice};
        ASSERT_EQ(texts.size(), qsizetype(expected.size() - expected.count(QString())));
        if (!c.question.isEmpty()) {
            EXPECT_EQ(texts.first(), c.question);
        }
        if (!c.notice.isEmpty()) {
            EXPECT_TRUE(texts.last().endsWith(c.notice)) << texts.last().toStdString();
        }
        // An import is part of what OK stores.
        dlg->accept();
        EXPECT_EQ(displayTrackListing(dlg->trackText).count(QLatin1String("[DELIM]")),
            c.gridAfter.count(QLatin1Char('|')) * 3 + 3);
    }
}

TEST_F(TrackListingDlgTest, TheGridTypesLikeASpreadsheet)
{
    auto dlg = open(listing(QStringLiteral("1.,A,1:00|2.,B,")));
    CEditGrid *grid = dlg->grid();
    grid->setFocus();
    grid->setCurrentCell(0, 1);
    // Tab walks titles and lengths and adds a row past a last row in use;
    // it leaves the grid after an empty last row or before the first title.
    const struct {
        int key;
        const char *at;
    } walk[] = {{Qt::Key_Tab, "0,2"}, {Qt::Key_Tab, "0,3"}, {Qt::Key_Tab, "1,2"},
        {Qt::Key_Backtab, "0,3"}, {Qt::Key_Backtab, "0,2"}, {Qt::Key_Tab, "0,3"},
        {Qt::Key_Tab, "1,2"}, {Qt::Key_Tab, "1,3"}, {Qt::Key_Tab, "2,2"}, {Qt::Key_Tab, "2,3"}};
    for (const auto &step : walk) {
        key(step.key, step.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(cellAt(*grid), QLatin1String(step.at));
    }
    EXPECT_EQ(gridText(*dlg), QStringLiteral("1.,A,1:00|2.,B,|3.,,"));
    key(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), grid);

    // Typing on a cell edits it from the key typed; Enter stores and moves down.
    grid->setFocus();
    grid->setCurrentCell(1, 3);
    key(Qt::Key_4, Qt::NoModifier, QStringLiteral("4"));
    ASSERT_TRUE(grid->isEditing());
    key(Qt::Key_Colon, Qt::NoModifier, QStringLiteral(":"));
    key(Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    key(Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    key(Qt::Key_Return);
    EXPECT_FALSE(grid->isEditing());
    EXPECT_EQ(cellAt(*grid), QStringLiteral("2,3"));
    EXPECT_EQ(dlg->totalLabel()->text(), QStringLiteral("Total time: 5:15"));

    // Delete clears the selected cells.
    grid->setCurrentCell(0, 2);
    grid->selectionModel()->select(
        QItemSelection(grid->model()->index(0, 2), grid->model()->index(1, 3)),
        QItemSelectionModel::ClearAndSelect);
    key(Qt::Key_Delete);
    EXPECT_EQ(gridText(*dlg), QStringLiteral("1.,,|2.,,|3.,,"));
    EXPECT_EQ(dlg->totalLabel()->text(), QString());
}

TEST_F(TrackListingDlgTest, EmptyRowsAfterTheLastTrackAreNotStored)
{
    const struct {
        const char *what, *grid, *stored;
    } cases[] = {
        {"the numbered rows of an empty listing", "", ""},
        {"a row typed in the middle keeps those above it", "1.,,|2.,,|3.,X,|4.,,|5.,,",
            "1.,,|2.,,|3.,X,"},
        {"a number of one's own is something typed", "1.,A,|B1,,|3.,,", "1.,A,|B1,,"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto dlg = open(*c.grid ? listing(QString::fromUtf8(c.grid)) : QByteArray());
        dlg->accept();
        EXPECT_EQ(dlg->trackText, *c.stored ? listing(QString::fromUtf8(c.stored)) : QByteArray());
    }
}

TEST_F(TrackListingDlgTest, SelectedRowsMoveUpAndDown)
{
    const QString four = QStringLiteral("1.,A,|2.,B,|3.,C,|4.,D,");
    const struct {
        const char *what;
        QList<int> rows;
        int delta;
        bool keys;
        const char *after;
    } cases[] = {
        {"two rows up by the button", {1, 2}, -1, false, "1.,B,|2.,C,|3.,A,|4.,D,"},
        {"rows apart down by Alt+Down", {0, 2}, 1, true, "1.,B,|2.,A,|3.,D,|4.,C,"},
        {"nothing moves past the top", {0, 1}, -1, true, "1.,A,|2.,B,|3.,C,|4.,D,"},
        {"nor past the bottom", {3}, 1, false, "1.,A,|2.,B,|3.,C,|4.,D,"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto dlg = open(listing(four));
        CEditGrid *grid = dlg->grid();
        grid->setFocus();
        grid->setCurrentCell(c.rows.first(), 2);
        QItemSelection selection;
        for (int row : c.rows)
            selection.select(grid->model()->index(row, 2), grid->model()->index(row, 2));
        grid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        if (c.keys)
            key(c.delta < 0 ? Qt::Key_Up : Qt::Key_Down, Qt::AltModifier);
        else
            (c.delta < 0 ? dlg->moveUpButton() : dlg->moveDownButton())->click();
        EXPECT_EQ(gridText(*dlg), QLatin1String(c.after));
        if (gridText(*dlg) != four) {
            QList<int> moved;
            for (int row : c.rows)
                moved << row + c.delta;
            EXPECT_EQ(grid->selectedRowList(), moved);
        }
    }
}

TEST_F(TrackListingDlgTest, PastedLinesBecomeRows)
{
    auto dlg = open(listing(QStringLiteral("1.,Keep,1:00|2.,Old,")));
    CEditGrid *grid = dlg->grid();
    grid->setFocus();
    grid->setCurrentCell(1, 2);
    QApplication::clipboard()->setText(
        QStringLiteral("3. First 4:05\n04 - Second (0:55)\nThird\t1:00:00\n"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(gridText(*dlg),
        QStringLiteral("1.,Keep,1:00|2.,First,4:05|3.,Second,0:55|4.,Third,1:00:00"));
    EXPECT_EQ(cellAt(*grid), QStringLiteral("3,2"));
    EXPECT_EQ(dlg->totalLabel()->text(), QStringLiteral("Total time: 1:06:00"));

    // One line goes into the cell.
    QApplication::clipboard()->setText(QStringLiteral("Just this\n"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->cellText(3, 2), QStringLiteral("Just this"));
}

TEST_F(TrackListingDlgTest, AnImportCancelledHalfWayKeepsNothing)
{
    const QString folder = freshDir(QStringLiteral("cancel"));
    QByteArray list;
    for (int i = 1; i <= 12; ++i) {
        const QString name = QStringLiteral("%1 Song.wav").arg(i, 2, 10, QLatin1Char('0'));
        ASSERT_TRUE(writeWav(folder + QLatin1Char('/') + name, 0.1));
        list += name.toUtf8() + '\n';
    }
    writeFile(folder + QStringLiteral("/all.m3u"), list);
    for (const bool playlist : {false, true}) {
        SCOPED_TRACE(playlist ? "playlist" : "folder");
        host.messages.clear();
        auto dlg = open(listing(QStringLiteral("1.,Mine,")));
        ImportRunner *runner = dlg->importer()->runner();
        QList<int> seen;
        QObject::connect(runner, &ImportRunner::progressed, runner,
            [&seen, runner](int done, int total, const QString &) {
                seen << done;
                if (done == total / 2)
                    runner->cancel();
            });
        if (playlist) {
            host.fileNames = {folder + QStringLiteral("/all.m3u")};
            dlg->importer()->menu()->actions().at(1)->trigger();
        } else {
            host.folderNames = {folder};
            dlg->importer()->menu()->actions().at(0)->trigger();
        }
        EXPECT_EQ(seen, (QList<int>{0, 1, 2, 3, 4, 5, 6}));
        EXPECT_FALSE(runner->isRunning());
        EXPECT_TRUE(host.messages.isEmpty());
        EXPECT_EQ(gridText(*dlg), QStringLiteral("1.,Mine,"));
    }

    // Not cancelled, the same import asks and replaces.
    auto dlg = open(listing(QStringLiteral("1.,Mine,")));
    host.folderNames = {folder};
    host.answers = {UiHost::Answer::Yes};
    dlg->importer()->menu()->actions().at(0)->trigger();
    EXPECT_EQ(dlg->grid()->rowCount(), 12);
}

TEST_F(TrackListingDlgTest, AFolderOfMoreThan500AudioFilesAsksFirst)
{
    const QString folder = freshDir(QStringLiteral("many"));
    for (int i = 0; i < 501; ++i)
        writeFile(folder + QStringLiteral("/%1.flac").arg(i), "fLaC");
    auto dlg = open({});
    host.folderNames = {folder};
    host.answers = {UiHost::Answer::No};
    dlg->importer()->menu()->actions().at(0)->trigger();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].text.contains(QLatin1String("holds 501 audio files")));
    EXPECT_EQ(gridText(*dlg), QStringLiteral("1.,,|2.,,|3.,,|4.,,|5.,,|6.,,|7.,,|8.,,"));
}

TEST_F(TrackListingDlgTest, AnAudioCdFillsTheListingFromItsContentsAndCdText)
{
    const QString dir = freshDir(QStringLiteral("audiocd"));
    writeFile(dir + QStringLiteral("/disc.bin"), QByteArray(4 * 75 * 2352, '\0'));
    writeFile(dir + QStringLiteral("/disc.cue"),
        "PERFORMER \"Ann\"\nTITLE \"Dawn\"\nFILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n"
        "    TITLE \"One\"\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n");
    auto dlg = open(listing(QStringLiteral("1.,Mine,")));
    dlg->importer()->setCdSource(dir + QStringLiteral("/disc.cue"));
    host.answers = {UiHost::Answer::Yes};
    dlg->importer()->menu()->actions().at(2)->trigger(); // "Audio CD"
    EXPECT_EQ(gridText(*dlg), QStringLiteral("1.,One,0:01|2.,Track 02,0:03"));
    EXPECT_EQ(dlg->spineField()->text(), QStringLiteral("Ann - Dawn"));

    host.messages.clear();
    dlg->importer()->setCdSource(dir + QStringLiteral("/none.cue"));
    dlg->importer()->menu()->actions().at(2)->trigger();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].text.contains(QLatin1String("cannot be opened as a CD")));
    EXPECT_EQ(gridText(*dlg), QStringLiteral("1.,One,0:01|2.,Track 02,0:03"));
}
