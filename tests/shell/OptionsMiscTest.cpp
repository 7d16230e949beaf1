// The Misc. page and the dialog as the main window runs it: the Open/Save folder with the
// "<doc>" token, the file association, the display switches, OK and Cancel.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <stdexcept>

#include "shell/Config.h"
#include "shell/OptionsMiscPage.h"
#include "shell/OptionsTestSupport.h"

namespace fretlo::test {
namespace {

using OptionsMisc = OptionsDialogTest;

QCheckBox& Box(const TConfigForm& form, const QString& caption) {
    for (QCheckBox* box : form.MiscPage().findChildren<QCheckBox*>())
        if (box->text() == caption) return *box;
    throw std::invalid_argument("no check box " + caption.toStdString());
}

const QString AssociateCaption = "&Associate Fretlo with .frl files";

TEST_F(OptionsMisc, FolderIsShownExpandedAndStoredCollapsed) {
    const QString docs = QString::fromStdString(DocumentsFolder());
    if (docs.isEmpty()) GTEST_SKIP() << "no documents folder";
    settings_.DefaultPath = "";
    auto form = Open();
    TOptionsMiscPage& page = form->MiscPage();
    EXPECT_FALSE(page.FolderCheck().isChecked());
    EXPECT_FALSE(page.FolderEdit().isEnabled());
    EXPECT_EQ(page.FolderEdit().text(), docs + "/Fretlo Tabs");
    form->ApplyResult(settings_);
    EXPECT_EQ(settings_.DefaultPath, "");

    for (const auto& [typed, stored] :
         {std::pair{docs + "/Fretlo Tabs//", "<doc>/Fretlo Tabs"}, std::pair{" " + docs + " ", "<doc>"},
          std::pair{QString("/srv/tabs/"), "/srv/tabs"}, std::pair{QString("/"), "/"}}) {
        form = Open();
        form->MiscPage().FolderCheck().setChecked(true);
        EXPECT_TRUE(form->MiscPage().FolderEdit().isEnabled());
        form->MiscPage().FolderEdit().setText(typed);
        form->ApplyResult(settings_);
        EXPECT_EQ(settings_.DefaultPath, stored) << typed.toStdString();
    }
}

TEST_F(OptionsMisc, AssociationChangesOnlyWhenTheBoxChanged) {
    target_.Association = true;
    auto form = Open();
    form->ApplyResult(settings_);
    EXPECT_TRUE(target_.AssociationsSet.empty());
    form = Open();
    Box(*form, AssociateCaption).setChecked(false);
    form->ApplyResult(settings_);
    EXPECT_EQ(target_.AssociationsSet, std::vector<bool>{false});

    target_.Association = std::nullopt;  // no desktop database to register with
    form = Open();
    EXPECT_FALSE(Box(*form, AssociateCaption).isEnabled());
}

TEST_F(OptionsMisc, DisplaySwitchesReachTheSettingsAndTheView) {
    settings_.MovingBar = false;
    settings_.MouseWheelVert = false;
    auto form = Open();
    Box(*form, "Display moving &bar during playback").setChecked(true);
    Box(*form, "Mouse &wheel scrolls vertically by default").setChecked(true);
    form->ApplyResult(settings_);
    EXPECT_TRUE(settings_.MovingBar);
    EXPECT_TRUE(settings_.MouseWheelVert);
    EXPECT_EQ(target_.DisplayApplied, 1);
}

TEST_F(OptionsMisc, ExecuteChangesNothingOnCancelAndAppliesOnOk) {
    for (const bool ok : {false, true}) {
        TModalAnswerer answer([ok](QWidget* modal) {
            auto* form = qobject_cast<TConfigForm*>(modal);
            if (!form) return;
            form->MiscPage().FolderCheck().setChecked(false);
            ok ? form->accept() : form->reject();
        });
        TSettings settings = settings_;
        EXPECT_EQ(ExecuteOptionsDialog(nullptr, settings, target_, configFile_), ok);
        EXPECT_EQ(settings.DefaultPath, ok ? "" : settings_.DefaultPath);
    }
}

}  // namespace
}  // namespace fretlo::test
