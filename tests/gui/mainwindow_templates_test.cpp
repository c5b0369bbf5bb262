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
        // A new cover's window does not decode the templates.
        EXPECT_FALSE(templates->listFilled());

        clickControl(*w, Id::ChooseTemplate);
        EXPECT_TRUE(templates->isVisible());
        EXPECT_TRUE(templates->listFilled());
        ASSERT_GE(templates->list()->count(), 2) << "the shipped templates";
        EXPECT_EQ(w->templatesShown, 5);
        // "Save as Template..." takes this window's cover.
        host.texts.push_back(QStringLiteral("Mine %1").arg(type));
        templates->saveButton()->click();
        EXPECT_TRUE(templates->isOwnTemplate(0));
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

        // Cancel takes the pictures back (on a DVD the sheet picture and its
        // layout too), as one step.
        templates->cancelButton()->click();
        EXPECT_FALSE(templates->isVisible());
        EXPECT_EQ(w->templatesShown, 0);
        EXPECT_TRUE(w->document() == before);
        EXPECT_EQ(w->undoAction()->text(), QStringLiteral("&Undo Cancel Template"));
        w->undoAction()->trigger();
        EXPECT_TRUE(w->document().dImagePath.contains("[DISC]"));
        w->undoAction()->trigger();
        w->undoAction()->trigger();
        EXPECT_TRUE(w->document() == before);
        EXPECT_FALSE(w->isModified());
    }
}
