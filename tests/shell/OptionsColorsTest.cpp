// The Colors page: hand-edited colours, previews undone when the dialog closes, schemes chosen,
// saved, deleted and refused.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "ParamName.h"
#include "shell/Config.h"
#include "shell/OptionsColorButton.h"
#include "shell/OptionsColorsPage.h"
#include "shell/OptionsTestSupport.h"

namespace fretlo::test {
namespace {

using OptionsColors = OptionsDialogTest;

QStringList Entries(const QComboBox& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) entries << list.itemText(i);
    return entries;
}

TEST_F(OptionsColors, HandEditedColourPreviewedThenCancelledLeavesTheViewAsItWas) {
    settings_.CurrentScheme = "Standard";
    auto form = Open();
    TOptionsColorsPage& page = form->ColorsPage();
    EXPECT_EQ(page.SchemeList().currentText(), "Standard");
    EXPECT_FALSE(page.PreviewButton().isEnabled());

    page.Button(tcBkg).Pick(0x112233);
    EXPECT_EQ(page.SchemeList().currentIndex(), -1);
    EXPECT_EQ(page.SchemeName(), "");
    ASSERT_TRUE(page.PreviewButton().isEnabled());
    page.PreviewButton().click();
    EXPECT_FALSE(page.PreviewButton().isEnabled());
    ASSERT_EQ(target_.AppliedColors.size(), 1u);
    EXPECT_EQ(target_.AppliedColors[0][tcBkg], 0x112233u);
    EXPECT_EQ(target_.AppliedColors[0][tcTabLine], StandardScheme[tcTabLine]);

    form->reject();
    ASSERT_EQ(target_.AppliedColors.size(), 2u);
    EXPECT_EQ(target_.AppliedColors[1], StandardScheme);
}

TEST_F(OptionsColors, OkAfterAPreviewAppliesTheWorkingColoursAndAnEmptySchemeName) {
    settings_.CurrentScheme = "Standard";
    auto form = Open();
    form->ColorsPage().Button(tcText).Pick(0x0000FF);
    form->ColorsPage().PreviewClick();
    form->accept();
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.CurrentScheme, "");
    EXPECT_EQ(settings_.Colors[tcText], 0x0000FFu);
    ASSERT_EQ(target_.AppliedColors.size(), 3u);  // preview, its undoing, the result
    EXPECT_EQ(target_.AppliedColors.back(), settings_.Colors);
}

TEST_F(OptionsColors, ChoosingASchemeShowsItsColoursWithoutCountingAsAHandEdit) {
    auto form = Open();
    TOptionsColorsPage& page = form->ColorsPage();
    EXPECT_EQ(Entries(page.SchemeList()), (QStringList{"Standard", "Dark"}));
    page.SchemeList().setCurrentIndex(1);
    page.ChooseScheme(1);
    EXPECT_EQ(page.SchemeName(), "Dark");
    EXPECT_EQ(page.Colors(), DarkScheme);
    EXPECT_EQ(page.Button(tcBkg).Color(), DarkScheme[tcBkg]);
    EXPECT_EQ(page.SchemeList().currentIndex(), 1);
    EXPECT_TRUE(page.PreviewButton().isEnabled());
    form->accept();
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.CurrentScheme, "Dark");
    EXPECT_EQ(settings_.Colors, DarkScheme);
}

TEST_F(OptionsColors, SavedSchemeIsListedReadBackAndDeletedAfterConfirmation) {
    settings_.Colors = DarkScheme;
    settings_.Colors[tcText] = 0x00FF00;
    {
        auto form = Open();
        ASSERT_TRUE(form->ColorsPage().SaveScheme("  Night/Day  "));
        EXPECT_EQ(Entries(form->ColorsPage().SchemeList()), (QStringList{"Standard", "Dark", "Night/Day"}));
        EXPECT_EQ(form->ColorsPage().SchemeList().currentText(), "Night/Day");
        EXPECT_EQ(form->ColorsPage().SchemeName(), "Night/Day");
    }
    EXPECT_EQ(ReadScheme(TConfigIniFile(configFile_), "Night/Day"), settings_.Colors);

    settings_.CurrentScheme = "Night/Day";
    auto form = Open();
    TOptionsColorsPage& page = form->ColorsPage();
    ASSERT_EQ(page.SchemeList().currentText(), "Night/Day");
    {
        TMessages no(QMessageBox::No);
        page.DeleteClick();
        EXPECT_EQ(no.Texts, QStringList{"Are you sure you want to delete the 'Night/Day' scheme?"});
        EXPECT_EQ(no.Captions, QStringList{"Delete Scheme"});
    }
    EXPECT_EQ(page.SchemeList().count(), 3);
    TMessages yes(QMessageBox::Yes);
    page.DeleteClick();
    EXPECT_EQ(Entries(page.SchemeList()), (QStringList{"Standard", "Dark"}));
    EXPECT_EQ(page.SchemeList().currentIndex(), -1);
    EXPECT_EQ(page.SchemeName(), "Night/Day");
    EXPECT_EQ(SchemeNames(TConfigIniFile(configFile_)), (std::vector<std::string>{"Standard", "Dark"}));
}

struct TRefusal {
    const char* Action;  // "save" with Name, or "delete" of the list entry Name
    const char* Name;
    const char* Caption;
    const char* Text;
};

void PrintTo(const TRefusal& r, std::ostream* os) { *os << r.Action << " '" << r.Name << "'"; }

class OptionsSchemeRefusals : public OptionsDialogTest, public testing::WithParamInterface<TRefusal> {};

TEST_P(OptionsSchemeRefusals, LeaveTheListAndTheStoreAlone) {
    const TRefusal& r = GetParam();
    auto form = Open();
    TOptionsColorsPage& page = form->ColorsPage();
    TMessages messages;
    if (std::string_view(r.Action) == "save") {
        EXPECT_FALSE(page.SaveScheme(r.Name));
    } else {
        page.SchemeList().setCurrentIndex(page.SchemeList().findText(r.Name));
        page.DeleteClick();
    }
    EXPECT_EQ(messages.Texts, QStringList{r.Text});
    EXPECT_EQ(messages.Captions, QStringList{r.Caption});
    EXPECT_EQ(Entries(page.SchemeList()), (QStringList{"Standard", "Dark"}));
    EXPECT_EQ(SchemeNames(TConfigIniFile(configFile_)).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsSchemeRefusals,
    testing::Values(TRefusal{"save", "   ", "Save Scheme", "You must enter a name."},
                    TRefusal{"save", "standard", "Save Scheme", "You can't modify the Standard scheme."},
                    TRefusal{"save", " DARK ", "Save Scheme", "You can't modify the Dark scheme."},
                    TRefusal{"delete", "Standard", "Delete Scheme",
                             "You may not delete the Standard scheme."},
                    TRefusal{"delete", "Dark", "Delete Scheme", "You may not delete the Dark scheme."}),
    PrintedName());

}  // namespace
}  // namespace fretlo::test
