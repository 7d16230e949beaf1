#include "shell/OptionsMiscPage.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/Config.h"

namespace fretlo {

namespace {

// Trailing separators go, except the one that is the root itself.
QString WithoutTrailingSeparators(QString path) {
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\'))) path.chop(1);
    return path;
}

}  // namespace

TOptionsMiscPage::TOptionsMiscPage(QWidget* parent, const TSettings& settings, std::optional<bool> associated)
    : QWidget(parent) {
    auto* files = new QGroupBox(tr("Files"), this);
    folderCheck_ = new QCheckBox(tr("Open and Save dialogs default to this &folder:"), files);
    folderEdit_ = new QLineEdit(files);
    browse_ = new QPushButton(tr("B&rowse..."), files);
    associate_ = new QCheckBox(tr("&Associate Fretlo with .frl files"), files);
    associate_->setChecked(associated.value_or(false));
    associate_->setEnabled(associated.has_value());
    auto* filesLayout = new QGridLayout(files);
    filesLayout->addWidget(folderCheck_, 0, 0, 1, 2);
    filesLayout->addWidget(folderEdit_, 1, 0);
    filesLayout->addWidget(browse_, 1, 1);
    filesLayout->addWidget(associate_, 2, 0, 1, 2);
    filesLayout->addWidget(AddSwitch(files, "Open files clicked in the file manager in the &same window",
                                     &TSettings::UseSameInst, settings),
                           3, 0, 1, 2);

    auto* display = new QGroupBox(tr("Display"), this);
    auto* displayLayout = new QVBoxLayout(display);
    for (auto [caption, setting] : {
             std::pair{"&Hide cursor while playing", &TSettings::HideCursorWhilePlaying},
             std::pair{"H&ighlight notes during playback", &TSettings::HighlightNotes},
             std::pair{"Display moving &bar during playback", &TSettings::MovingBar},
             std::pair{"Draw &numbers transparently", &TSettings::DrawNumbersTransparently},
             std::pair{"S&croll a bar at a time", &TSettings::ScrollABar},
             std::pair{"Always keep &tuning visible", &TSettings::TuningAlwaysVisible},
             std::pair{"Mouse &wheel scrolls vertically by default", &TSettings::MouseWheelVert},
         })
        displayLayout->addWidget(AddSwitch(display, caption, setting, settings));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(files);
    layout->addWidget(display);
    layout->addStretch();

    folderCheck_->setChecked(!settings.DefaultPath.empty());
    const std::string folder = settings.DefaultPath.empty() ? TSettings().DefaultPath : settings.DefaultPath;
    folderEdit_->setText(QString::fromStdString(ExpandDocPath(folder)));
    UpdateFolder();
    connect(folderCheck_, &QCheckBox::toggled, this, &TOptionsMiscPage::UpdateFolder);
    connect(browse_, &QPushButton::clicked, this, &TOptionsMiscPage::BrowseClick);
}

QCheckBox* TOptionsMiscPage::AddSwitch(QWidget* group, const char* caption, bool TSettings::*setting,
                                       const TSettings& settings) {
    auto* box = new QCheckBox(tr(caption), group);
    box->setChecked(settings.*setting);
    switches_.push_back({box, setting});
    return box;
}

void TOptionsMiscPage::UpdateFolder() {
    folderEdit_->setEnabled(folderCheck_->isChecked());
    browse_->setEnabled(folderCheck_->isChecked());
}

void TOptionsMiscPage::BrowseClick() {
    const QString start = WithoutTrailingSeparators(folderEdit_->text().trimmed());
    const QString chosen = QFileDialog::getExistingDirectory(this, tr("Select a folder."), start);
    if (!chosen.isEmpty()) folderEdit_->setText(QDir::toNativeSeparators(chosen));
}

void TOptionsMiscPage::Store(TSettings& settings) const {
    settings.DefaultPath =
        folderCheck_->isChecked()
            ? CollapseDocPath(WithoutTrailingSeparators(folderEdit_->text().trimmed()).toStdString())
            : std::string();
    for (const TSwitch& s : switches_) settings.*(s.Setting) = s.Box->isChecked();
}

bool TOptionsMiscPage::Associated() const { return associate_->isChecked(); }

}  // namespace fretlo
