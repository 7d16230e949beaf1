// The Fonts page: rows refused with their messages, previews undone when the dialog closes,
// Restore Defaults, and OK applying the fonts only when they were changed.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>

#include "ParamName.h"
#include "shell/OptionsFontsPage.h"
#include "shell/OptionsTestSupport.h"
#include "shell/SettingsTable.h"

namespace fretlo::test {
namespace {

using OptionsFonts = OptionsDialogTest;

struct TBadRow {
    int Row;
    const char* Name;
    const char* Height;
    const char* Text;
};

void PrintTo(const TBadRow& r, std::ostream* os) {
    *os << "row " << r.Row << " font '" << r.Name << "' height '" << r.Height << "'";
}

class OptionsFontRefusals : public OptionsDialogTest, public testing::WithParamInterface<TBadRow> {};

TEST_P(OptionsFontRefusals, KeepTheDialogOpenWithTheFocusOnTheField) {
    const TBadRow& bad = GetParam();
    auto form = Open();
    form->show();
    form->activateWindow();
    TOptionsFontsPage& page = form->FontsPage();
    page.NameBox(bad.Row).setCurrentText(bad.Name);
    page.HeightEdit(bad.Row).setText(bad.Height);
    TMessages messages;
    EXPECT_FALSE(form->Validate());
    page.PreviewClick();
    EXPECT_EQ(messages.Texts, (QStringList{bad.Text, bad.Text}));
    EXPECT_TRUE(target_.AppliedFonts.empty());
    const bool heightRefused = QString(bad.Text).contains("height");
    QWidget* field =
        heightRefused ? static_cast<QWidget*>(&page.HeightEdit(bad.Row)) : &page.NameBox(bad.Row);
    EXPECT_TRUE(page.isVisible());  // the Fonts page came to the front
    EXPECT_EQ(form->focusWidget(), field);
}

constexpr const char* HeightText = "The font height must be between 8 and 50.";
constexpr const char* NameText = "The font name you entered does not exist. Please select another.";

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsFontRefusals,
    testing::Values(TBadRow{0, "Arial", "7", HeightText}, TBadRow{1, "Arial", "51", HeightText},
                    TBadRow{2, "Arial", "1a", HeightText}, TBadRow{3, "Arial", " ", HeightText},
                    TBadRow{4, "No Such Font 42", "12", NameText}, TBadRow{0, "", "12", NameText}),
    PrintedName());

TEST_F(OptionsFonts, PreviewThenCancelGivesTheMainWindowItsFontsBack) {
    auto form = Open();
    TOptionsFontsPage& page = form->FontsPage();
    EXPECT_FALSE(page.PreviewButton().isEnabled());
    EXPECT_FALSE(page.RestoreButton().isEnabled());  // the fonts are the defaults
    page.HeightEdit(0).setText("20");
    EXPECT_TRUE(page.PreviewButton().isEnabled());
    EXPECT_TRUE(page.RestoreButton().isEnabled());
    page.PreviewClick();
    EXPECT_FALSE(page.PreviewButton().isEnabled());
    ASSERT_EQ(target_.AppliedFonts.size(), 1u);
    EXPECT_EQ(target_.AppliedFonts[0].Tab.Height, 20);
    form->reject();
    ASSERT_EQ(target_.AppliedFonts.size(), 2u);
    EXPECT_EQ(target_.AppliedFonts[1], settings_.Fonts);
}

TEST_F(OptionsFonts, OkAppliesFontsOnlyWhenTheyWereChanged) {
    auto form = Open();
    ASSERT_TRUE(form->Validate());
    form->ApplyResult(settings_);
    EXPECT_TRUE(target_.AppliedFonts.empty());

    const QString family = QFontDatabase::families().value(0);
    form = Open();
    form->FontsPage().NameBox(1).setCurrentText(family.toLower());
    ASSERT_TRUE(form->Validate());
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.Fonts.TabSmall.Name, family.toStdString());  // the listed spelling
    EXPECT_EQ(settings_.Fonts.TabSmall.Height, DefaultSmallTabFont.Height);
    ASSERT_EQ(target_.AppliedFonts.size(), 1u);
    EXPECT_EQ(target_.AppliedFonts[0], settings_.Fonts);
}

TEST_F(OptionsFonts, RestoreDefaultsBringsBackTheDefaultPairs) {
    settings_.Fonts.PrintArtist = {"Arial", 44};
    auto form = Open();
    TOptionsFontsPage& page = form->FontsPage();
    ASSERT_TRUE(page.RestoreButton().isEnabled());
    EXPECT_EQ(page.HeightEdit(3).text(), "44");
    page.RestoreButton().click();
    EXPECT_EQ(page.HeightEdit(3).text(), "20");
    EXPECT_TRUE(page.PreviewButton().isEnabled());
    ASSERT_TRUE(form->Validate());
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.Fonts, DefaultFonts());
}

}  // namespace
}  // namespace fretlo::test
