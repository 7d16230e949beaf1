#include "shell/OptionsDialog.h"

#include <QDialogButtonBox>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/OptionsColorsPage.h"
#include "shell/OptionsFontsPage.h"
#include "shell/OptionsMiscPage.h"
#include "shell/OptionsPlayPage.h"

namespace fretlo {

TConfigForm::TConfigForm(QWidget* parent, const TSettings& settings, TOptionsTarget& target,
                         const QString& configFile)
    : QDialog(parent), target_(target), associated_(target.FileAssociation()) {
    setWindowTitle(tr("Options"));
    auto* tabs = new QTabWidget(this);
    misc_ = new TOptionsMiscPage(tabs, settings, associated_);
    colors_ = new TOptionsColorsPage(tabs, target, configFile, settings.Colors, settings.CurrentScheme);
    fonts_ = new TOptionsFontsPage(tabs, target, settings.Fonts);
    play_ = new TOptionsPlayPage(tabs, target, settings);
    tabs->addTab(misc_, tr("Misc."));
    tabs->addTab(colors_, tr("Colors"));
    tabs->addTab(fonts_, tr("Fonts"));
    tabs->addTab(play_, tr("Play"));

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    const auto help = [this] { target_.ShowHelp(OptionsHelpContext); };
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Validate()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, help);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TConfigForm::~TConfigForm() = default;

bool TConfigForm::Validate() { return fonts_->Collect() && play_->Validate(); }

void TConfigForm::done(int result) {
    colors_->UndoPreview();
    fonts_->UndoPreview();
    QDialog::done(result);
}

void TConfigForm::ApplyResult(TSettings& settings) {
    misc_->Store(settings);
    target_.ApplyDisplayOptions(settings);

    settings.CurrentScheme = colors_->SchemeName();
    settings.Colors = colors_->Colors();
    target_.ApplyColors(settings.Colors);

    if (fonts_->Changed()) {
        settings.Fonts = fonts_->Fonts();
        target_.ApplyFonts(settings.Fonts);
    }

    if (play_->Store(settings)) target_.CloseMidiDevice();

    if (associated_ && misc_->Associated() != *associated_) target_.SetFileAssociation(misc_->Associated());
}

bool ExecuteOptionsDialog(QWidget* parent, TSettings& settings, TOptionsTarget& target,
                          const QString& configFile) {
    TConfigForm form(parent, settings, target, configFile);
    if (form.exec() != QDialog::Accepted) return false;
    form.ApplyResult(settings);
    return true;
}

}  // namespace fretlo
