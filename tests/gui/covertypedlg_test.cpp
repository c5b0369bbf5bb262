// The Cover Type dialog: what it shows for the stored choice, what Continue
// stores, the size checks and their messages, Escape and F1.
#include <gtest/gtest.h>

#include "dialogs/CCoverTypeDlg.h"
#include "document/UserSettings.h"
#include "tests/support/ScriptedUiHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/CFlatHoverButton.h"
#include "widgets/CTransparentStatic.h"
#include "widgets/UiHost.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class CoverTypeDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::clearSettings();
        UiHost::setInstance(&host);
    }
    void TearDown() override { UiHost::setInstance(nullptr); }

    static void store(uint32_t option, uint32_t chf = 119, uint32_t cwf = 121, uint32_t chb = 118,
        uint32_t cwb = 151)
    {
        UserSettings s;
        s.Option = option;
        s.dwCHF = chf;
        s.dwCWF = cwf;
        s.dwCHB = chb;
        s.dwCWB = cwb;
        s.save();
    }

    static void setSizes(CCoverTypeDlg &dlg, const QString &fh, const QString &fw,
        const QString &bh, const QString &bw)
    {
        dlg.sizeField(CCoverTypeDlg::FrontHeight)->setText(fh);
        dlg.sizeField(CCoverTypeDlg::FrontWidth)->setText(fw);
        dlg.sizeField(CCoverTypeDlg::BackHeight)->setText(bh);
        dlg.sizeField(CCoverTypeDlg::BackWidth)->setText(bw);
    }

    static void press(QWidget &w, int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&w, &event);
    }

    ScriptedUiHost host{ScriptedUiHost::AnswerNoticesWithOk};
};

bool isBold(QRadioButton *b)
{
    return b->font().bold();
}

} // namespace

TEST_F(CoverTypeDlgTest, OpensWithTheStoredChoiceCheckedAndBold)
{
    for (int option = 1; option <= 5; ++option) {
        store(uint32_t(option));
        CCoverTypeDlg dlg;
        for (int type = 1; type <= 5; ++type) {
            EXPECT_EQ(dlg.choiceButton(type)->isChecked(), type == option) << option << type;
            EXPECT_EQ(isBold(dlg.choiceButton(type)), type == option) << option << type;
        }
        EXPECT_EQ(dlg.chosenType(), option);
        for (int f = 0; f < 4; ++f) {
            EXPECT_EQ(dlg.sizeField(CCoverTypeDlg::SizeField(f))->isEnabled(), option == 3);
            EXPECT_EQ(dlg.sizeLabel(f)->isEnabled(), option == 3);
        }
    }
}

TEST_F(CoverTypeDlgTest, StandardDvdStoredOpensWithStandardDvdBold)
{
    store(2);
    CCoverTypeDlg dlg;
    EXPECT_TRUE(dlg.choiceButton(2)->isChecked());
    EXPECT_TRUE(isBold(dlg.choiceButton(2)));
    EXPECT_FALSE(isBold(dlg.choiceButton(1)));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Cover Type"));
    EXPECT_EQ(dlg.size(), QSize(330, 179));
    EXPECT_EQ(dlg.instructionLabel()->textColorRef(), 0x663300u);
    EXPECT_EQ(
        dlg.instructionLabel()->text(), QStringLiteral("Choose which sort of cover to print:"));
    EXPECT_EQ(dlg.continueButton()->text(), QStringLiteral("Continue"));
}

TEST_F(CoverTypeDlgTest, FieldsShowStoredMillimetresAsCentimetres)
{
    store(3, 119, 121, 5, 0);
    CCoverTypeDlg dlg;
    EXPECT_EQ(dlg.sizeField(CCoverTypeDlg::FrontHeight)->text(), QStringLiteral("11.9"));
    EXPECT_EQ(dlg.sizeField(CCoverTypeDlg::FrontWidth)->text(), QStringLiteral("12.1"));
    EXPECT_EQ(dlg.sizeField(CCoverTypeDlg::BackHeight)->text(), QStringLiteral("0.5"));
    EXPECT_EQ(dlg.sizeField(CCoverTypeDlg::BackWidth)->text(), QStringLiteral("0.0"));
}

TEST_F(CoverTypeDlgTest, NothingCheckedStoresStandardCd)
{
    for (uint32_t option : {0u, 6u, 4000000000u}) {
        store(option);
        CCoverTypeDlg dlg;
        for (int type = 1; type <= 5; ++type)
            EXPECT_FALSE(dlg.choiceButton(type)->isChecked()) << option;
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(UserSettings().Option, 1u) << option;
    }
}

TEST_F(CoverTypeDlgTest, ClickingAChoiceMakesItTheOnlyCheckedAndBoldOne)
{
    store(1);
    CCoverTypeDlg dlg;
    dlg.choiceButton(5)->click();
    for (int type = 1; type <= 5; ++type) {
        EXPECT_EQ(dlg.choiceButton(type)->isChecked(), type == 5);
        EXPECT_EQ(isBold(dlg.choiceButton(type)), type == 5);
    }
    dlg.choiceButton(5)->click(); // again: stays chosen
    EXPECT_TRUE(dlg.choiceButton(5)->isChecked());
    dlg.choiceButton(3)->click();
    EXPECT_TRUE(dlg.sizeField(CCoverTypeDlg::BackWidth)->isEnabled());
    EXPECT_FALSE(dlg.choiceButton(5)->isChecked());
    dlg.choiceButton(4)->click();
    EXPECT_FALSE(dlg.sizeField(CCoverTypeDlg::BackWidth)->isEnabled());
    dlg.accept();
    EXPECT_EQ(UserSettings().Option, 4u);
}

TEST_F(CoverTypeDlgTest, CustomSizesAreStoredInMillimetres)
{
    store(3);
    CCoverTypeDlg dlg;
    setSizes(dlg, QStringLiteral("12"), QStringLiteral("11.9"), QStringLiteral(".5"), QString());
    dlg.accept();
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const UserSettings s;
    EXPECT_EQ(s.Option, 3u);
    EXPECT_EQ(s.dwCHF, 120u);
    EXPECT_EQ(s.dwCWF, 119u);
    EXPECT_EQ(s.dwCHB, 5u);
    EXPECT_EQ(s.dwCWB, 0u);
}

TEST(CoverTypeDlgConversion, CentimetreTextToMillimetres)
{
    struct Case {
        const char *text;
        std::optional<uint32_t> mm;
    };
    const Case cases[] = {
        {"12", 120}, {"11.9", 119}, {".5", 5}, {"", 0}, {".", 0}, {"0012.0", 120},
        {"12.", 120}, // 12 cm, not 12 mm
        {"12.55", 126}, // rounded to a whole millimetre, not 1255
        {"12.54", 125}, {"429496729.5", 4294967295u},
        {"429496729.6", std::nullopt}, // does not fit the store
        {"99999999999", std::nullopt}, {"1.2.3", std::nullopt}, {"12a", std::nullopt},
        {"-5", std::nullopt}, {" 12", std::nullopt}, {"1,5", std::nullopt},
        {"\xd9\xa3", std::nullopt}, // a non-ASCII digit
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CCoverTypeDlg::centimetresToMillimetres(QString::fromUtf8(c.text)), c.mm)
            << c.text;
    }
}

TEST_F(CoverTypeDlgTest, InvalidSizeIsReportedForItsFieldAndNothingIsSaved)
{
    struct Case {
        CCoverTypeDlg::SizeField field;
        const char *bad;
        const char *message;
    };
    const Case cases[] = {
        {CCoverTypeDlg::FrontHeight, "1.2.3",
            "Please enter a valid number in the 'Front Height' box."},
        {CCoverTypeDlg::FrontWidth, "12a", "Please enter a valid number in the 'Front Width' box."},
        {CCoverTypeDlg::BackHeight, "x", "Please enter a valid number in the 'Back Height' box."},
        {CCoverTypeDlg::BackWidth, "1..", "Please enter a valid number in the 'Back Width' box."},
    };
    for (const Case &c : cases) {
        host.messages.clear();
        store(3, 1, 2, 3, 4);
        CCoverTypeDlg dlg;
        dlg.show();
        setSizes(dlg, QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("10"),
            QStringLiteral("10"));
        dlg.sizeField(c.field)->setText(QString::fromLatin1(c.bad));
        dlg.accept();
        ASSERT_EQ(host.messages.size(), 1) << c.bad;
        EXPECT_EQ(host.messages[0].text, QString::fromLatin1(c.message));
        EXPECT_EQ(host.messages[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(host.messages[0].buttons, UiHost::Buttons::Ok);
        EXPECT_EQ(host.messages[0].icon, UiHost::Icon::Exclamation);
        EXPECT_EQ(dlg.result(), QDialog::Rejected) << "still open";
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.focusWidget(), dlg.sizeField(c.field));
        const UserSettings s;
        EXPECT_EQ(s.dwCHF, 1u);
        EXPECT_EQ(s.dwCWF, 2u);
        EXPECT_EQ(s.dwCHB, 3u);
        EXPECT_EQ(s.dwCWB, 4u);
    }
}

TEST_F(CoverTypeDlgTest, FirstInvalidFieldIsReportedFirstThenTheNext)
{
    store(3);
    CCoverTypeDlg dlg;
    setSizes(
        dlg, QStringLiteral("10"), QStringLiteral("a"), QStringLiteral("10"), QStringLiteral("b"));
    dlg.accept();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, CCoverTypeDlg::invalidSizeMessage(CCoverTypeDlg::FrontWidth));
    dlg.sizeField(CCoverTypeDlg::FrontWidth)->setText(QStringLiteral("9"));
    dlg.accept();
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[1].text, CCoverTypeDlg::invalidSizeMessage(CCoverTypeDlg::BackWidth));
    dlg.sizeField(CCoverTypeDlg::BackWidth)->setText(QStringLiteral("9"));
    dlg.accept();
    EXPECT_EQ(host.messages.size(), 2);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(UserSettings().dwCWB, 90u);
}

TEST_F(CoverTypeDlgTest, InvalidSizesDoNotBlockOtherTypes)
{
    store(3, 1, 2, 3, 4);
    CCoverTypeDlg dlg;
    setSizes(dlg, QStringLiteral("1.2.3"), QStringLiteral("abc"), QStringLiteral("?"),
        QStringLiteral("-"));
    dlg.choiceButton(2)->click();
    dlg.accept();
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const UserSettings s;
    EXPECT_EQ(s.Option, 2u);
    EXPECT_EQ(s.dwCHF, 1u) << "sizes only travel with type 3";
    EXPECT_EQ(s.dwCWB, 4u);
}

TEST_F(CoverTypeDlgTest, EscapeClosesWithoutSaving)
{
    store(2);
    CCoverTypeDlg dlg;
    dlg.show();
    dlg.choiceButton(5)->click();
    press(dlg, Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(UserSettings().Option, 2u);
}

TEST_F(CoverTypeDlgTest, EnterAndTheContinueButtonContinue)
{
    store(2);
    {
        CCoverTypeDlg dlg;
        dlg.show();
        dlg.choiceButton(4)->click();
        press(dlg, Qt::Key_Return);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(UserSettings().Option, 4u);
    }
    {
        CCoverTypeDlg dlg;
        dlg.show();
        dlg.choiceButton(1)->click();
        dlg.continueButton()->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(UserSettings().Option, 1u);
    }
}

TEST_F(CoverTypeDlgTest, F1OpensTheHelpOwnedByTheDialog)
{
    CCoverTypeDlg dlg;
    dlg.show();
    press(dlg, Qt::Key_F1);
    ASSERT_EQ(host.helpRequests.size(), 1);
    EXPECT_EQ(host.helpRequests[0].owner, &dlg);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(CoverTypeDlgTest, OtherChoicePutsTheFocusIntoFrontHeight)
{
    store(1);
    CCoverTypeDlg dlg;
    dlg.show();
    dlg.choiceButton(3)->click();
    EXPECT_EQ(dlg.focusWidget(), dlg.sizeField(CCoverTypeDlg::FrontHeight));
}
