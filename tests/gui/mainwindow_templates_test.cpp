// The templates window from the main window: a template applied and a
// Cancel are each one step of the cover.
#include "dialogs/CTemplatesDlg.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/ScriptedUiHost.h"

#include <QListWidget>
#include <gtest/gtest.h>

using namespace testsupport;
namespace Id = MainDlgId;

TEST(MainWindowTemplates, ChooseTemplateShowsTheWindowAndEachTemplateIsOneStep)
{
    for (int type : {StandardCD, StandardDVD}) {
        SCOPED_TRACE(type);
        ScriptedUiHost host;
        auto w = newMainWindow(type);
        w->show();
        CTemplatesDlg *templates = w->templatesWindow();
        ASSERT_NE(templates, nullptr);
        EXPECT_FALSE(templates->isVisible());
        ASSERT_GE(templates->list()->count(), 2) << "the shipped templates";

        clickControl(*w, Id::ChooseTemplate);
        EXPECT_TRUE(templates->isVisible());
        EXPECT_EQ(w->templatesShown, 5);
        const CoverDocument before = w->document();

        templates->applyTemplate(0);
        templates->applyTemplate(1);
        EXPECT_TRUE(w->isModified());
        EXPECT_EQ(w->undoAction()->text(), QStringLiteral("&Undo Template"));
        const bool dvd = type == StandardDVD;
        const QByteArray applied = dvd ? w->document().sImagePath : w->document().bImagePath;
        EXPECT_TRUE(applied.contains("[BACK]")) << applied.toStdString();
        EXPECT_TRUE(w->document().dImagePath.contains("[DISC]"));
        if (dvd)
            EXPECT_EQ(w->document().CoverOption, StretchedImage);

        // Cancel takes the front, back and disc pictures back, as one step.
        templates->cancelButton()->click();
        EXPECT_FALSE(templates->isVisible());
        EXPECT_EQ(w->templatesShown, 0);
        EXPECT_EQ(w->document().fImagePath, before.fImagePath);
        EXPECT_EQ(w->document().bImagePath, before.bImagePath);
        EXPECT_EQ(w->document().dImagePath, before.dImagePath);
        EXPECT_EQ(w->undoAction()->text(), QStringLiteral("&Undo Cancel Template"));
        w->undoAction()->trigger();
        EXPECT_TRUE(w->document().dImagePath.contains("[DISC]"));
        w->undoAction()->trigger();
        w->undoAction()->trigger();
        EXPECT_TRUE(w->document() == before);
        EXPECT_FALSE(w->isModified());
    }
}
