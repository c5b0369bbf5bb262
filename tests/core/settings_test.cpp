// The settings store: its file, its defaults, and what survives damage.
#include "document/CoverDocument.h"
#include "document/UserSettings.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

using namespace testsupport;

namespace {

const QStringList kNamesInOrder = {
    "Option",
    "dwCHF",
    "dwCWF",
    "dwCHB",
    "dwCWB",
    "cdFormatCover",
    "cdFormatDisc",
    "cdSlimFormatCover",
    "cdSlimFormatDisc",
    "dvdFormatCover",
    "dvdFormatDisc",
    "dvdSlimFormatCover",
    "dvdSlimFormatDisc",
    "printDisc",
    "printCover",
    "bothDiscLabels",
    "lastPath",
    "expandCoverMM",
    "expandDiscMM",
    "moveDiscMMX",
    "moveDiscMMY",
    "moveDiscUpDown",
    "moveDiscLeftRight",
    "printerName",
    "windowGeometry",
    "previewZoom",
    "showPartNames",
};

void expectDefaults(const UserSettings &s)
{
    EXPECT_EQ(s.Option, 1u);
    EXPECT_EQ(s.dwCHF, 119u);
    EXPECT_EQ(s.dwCWF, 121u);
    EXPECT_EQ(s.dwCHB, 118u);
    EXPECT_EQ(s.dwCWB, 151u);
    for (const QString *paper :
        {&s.cdFormatCover, &s.cdFormatDisc, &s.cdSlimFormatCover, &s.cdSlimFormatDisc,
            &s.dvdFormatCover, &s.dvdFormatDisc, &s.dvdSlimFormatCover, &s.dvdSlimFormatDisc})
        EXPECT_EQ(*paper, "Plain Paper");
    EXPECT_EQ(s.printDisc, 1u);
    EXPECT_EQ(s.printCover, 1u);
    EXPECT_EQ(s.lastPath, "");
    for (const QString *mm : {&s.calibration.expandCoverMM, &s.calibration.expandDiscMM,
             &s.calibration.moveDiscMMX, &s.calibration.moveDiscMMY, &s.calibration.moveDiscUpDown,
             &s.calibration.moveDiscLeftRight})
        EXPECT_EQ(*mm, "0");
    EXPECT_EQ(s.printerName, "");
}

// Writes the store file as text, as another program (or damage) would.
void writeStore(const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(UserSettings::storePath()).absolutePath());
    ASSERT_TRUE(writeFile(UserSettings::storePath(), contents));
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
    void TearDown() override { clearSettings(); }
};

} // namespace

TEST_F(SettingsTest, TheStoreFollowsXdgConfigHome)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const QString other = freshDir("otherconfig");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(other));
    EXPECT_EQ(UserSettings::storePath(), other + "/Tessaly.conf");
    UserSettings s;
    s.Option = 4;
    s.save();
    EXPECT_TRUE(QFileInfo::exists(other + "/Tessaly.conf"));
    qputenv("XDG_CONFIG_HOME", saved);
    EXPECT_EQ(UserSettings().Option, 1u); // the sandbox store is untouched
    EXPECT_FALSE(QFileInfo::exists(UserSettings::storePath()));
}

TEST_F(SettingsTest, WithoutAStoreEveryFieldHasItsDefaultAndNothingIsWritten)
{
    const UserSettings s;
    expectDefaults(s);
    EXPECT_FALSE(QFileInfo::exists(UserSettings::storePath()));
}

TEST_F(SettingsTest, SaveWritesEveryValueUnderItsName)
{
    UserSettings s;
    s.lastPath = "/home/u/Pictures/a.jpg"; // the only change
    s.save();
    QSettings store(UserSettings::storePath(), QSettings::IniFormat);
    QStringList keys = store.allKeys();
    QStringList expected = kNamesInOrder;
    keys.sort();
    expected.sort();
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(store.value("Option").toString(), "1");
    EXPECT_EQ(store.value("dwCWB").toString(), "151");
    EXPECT_EQ(store.value("dvdSlimFormatDisc").toString(), "Plain Paper");
    EXPECT_EQ(store.value("lastPath").toString(), "/home/u/Pictures/a.jpg");
    EXPECT_EQ(store.value("moveDiscLeftRight").toString(), "0");
}

TEST_F(SettingsTest, ValuesSurviveASaveAndLoad)
{
    UserSettings s;
    s.Option = 5;
    s.dwCHF = 0xFFFFFFFFu;
    s.cdSlimFormatDisc = "Neato CD/DVD Labels (A4)";
    s.printCover = 0;
    s.bothDiscLabels = 1;
    s.lastPath = QStringLiteral("/tmp/caf\u00e9 = [x]; \"quoted\"");
    s.calibration.expandCoverMM = "-3mm";
    s.printerName = "Office/duplex";
    s.save();
    const UserSettings loaded;
    EXPECT_EQ(loaded.Option, 5u);
    EXPECT_EQ(loaded.dwCHF, 0xFFFFFFFFu);
    EXPECT_EQ(loaded.cdSlimFormatDisc, "Neato CD/DVD Labels (A4)");
    EXPECT_EQ(loaded.printCover, 0u);
    EXPECT_EQ(loaded.bothDiscLabels, 1u);
    EXPECT_EQ(loaded.lastPath, s.lastPath);
    EXPECT_EQ(loaded.calibration.expandCoverMM, "-3mm");
    EXPECT_EQ(loaded.printerName, "Office/duplex");
}

TEST_F(SettingsTest, UnreadableValuesLeaveTheirFields)
{
    writeStore("[General]\n"
               "Option=abc\n"
               "dwCHF=4294967296\n"
               "dwCWF=-1\n"
               "dwCHB=77\n"
               "printDisc=0\n"
               "cdFormatDisc=Avery 5931 CD/DVD Labels (Letter)\n");
    const UserSettings s;
    EXPECT_EQ(s.Option, 1u);
    EXPECT_EQ(s.dwCHF, 119u);
    EXPECT_EQ(s.dwCWF, 121u);
    EXPECT_EQ(s.dwCHB, 77u);
    EXPECT_EQ(s.printDisc, 0u);
    EXPECT_EQ(s.cdFormatDisc, "Avery 5931 CD/DVD Labels (Letter)");
    EXPECT_EQ(s.cdFormatCover, "Plain Paper"); // absent
}

TEST_F(SettingsTest, ACorruptStoreGivesTheDefaults)
{
    const QByteArray damaged[] = {
        QByteArray("\x00\xff\xfe[General\n=\x01\x02", 14),
        QByteArray(100000, '\0'),
        "Option",
    };
    for (const QByteArray &bytes : damaged) {
        SCOPED_TRACE(bytes.left(20).toHex().toStdString());
        writeStore(bytes);
        expectDefaults(UserSettings());
        // A change saved over the damage is read back.
        UserSettings changed;
        changed.dwCHF = 200;
        changed.save();
        const UserSettings reread;
        EXPECT_EQ(reread.dwCHF, 200u);
        EXPECT_EQ(reread.Option, 1u);
        EXPECT_EQ(reread.cdFormatCover, "Plain Paper");
    }
    // Damage after readable lines: those lines count, the rest defaults.
    writeStore("[General]\nOption=3\n\x01\xff[broken\ndwCHF");
    const UserSettings partly;
    EXPECT_EQ(partly.Option, 3u);
    EXPECT_EQ(partly.dwCHF, 119u);
    EXPECT_EQ(partly.cdFormatCover, "Plain Paper");

    // A folder where the file should be: read as no store, and a save
    // neither replaces the folder nor leaves anything beside it.
    clearSettings();
    const QString store = UserSettings::storePath();
    const QString config = QFileInfo(store).absolutePath();
    QDir().mkpath(store);
    ASSERT_TRUE(writeFile(store + "/inside", "kept"));
    expectDefaults(UserSettings());
    UserSettings unsaved;
    unsaved.Option = 4;
    unsaved.save();
    EXPECT_TRUE(QFileInfo(store).isDir());
    EXPECT_EQ(readFile(store + "/inside"), "kept");
    EXPECT_EQ(QDir(config).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList{QFileInfo(store).fileName()});
    EXPECT_EQ(UserSettings().Option, 1u);
    QDir(store).removeRecursively();
}

TEST_F(SettingsTest, TheLastSaveWinsForEveryValue)
{
    UserSettings first;
    UserSettings second;
    first.Option = 2;
    first.save();
    second.lastPath = "/x.png";
    second.save(); // rewrites Option with the value it loaded
    const UserSettings now;
    EXPECT_EQ(now.Option, 1u);
    EXPECT_EQ(now.lastPath, "/x.png");
}

TEST_F(SettingsTest, PapersPerCoverType)
{
    UserSettings s;
    s.setPapersFor(SlimlineDVD, "Plain Paper", "PressIT CD/DVD Labels (A4)");
    EXPECT_EQ(s.dvdSlimFormatDisc, "PressIT CD/DVD Labels (A4)");
    EXPECT_EQ(s.discPaperFor(SlimlineDVD), "PressIT CD/DVD Labels (A4)");
    EXPECT_EQ(s.discPaperFor(StandardDVD), "Plain Paper");
    s.setPapersFor(Other, "x", "y");
    EXPECT_EQ(s.coversPaperFor(Other), "");
    EXPECT_EQ(s.discPaperFor(Other), "");
}
