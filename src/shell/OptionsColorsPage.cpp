#include "shell/OptionsColorsPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/ConfigIniFile.h"
#include "shell/OptionsColorButton.h"
#include "shell/OptionsDialog.h"
#include "shell/SettingsSchemes.h"

namespace fretlo {

namespace {

struct TColorLabel {
    TTabViewColors Role;
    const char* Caption;
};

// In the order the page shows them.
constexpr TColorLabel ColorLabels[] = {
    {tcBkg, "Background:"},
    {tcTabLine, "Lines:"},
    {tcBarLine, "Bar Lines:"},
    {tcTextTuning, "Tuning Text:"},
    {tcText, "Numbers:"},
    {tcTextEffect, "Effects:"},
    {tcTextTrackEffect, "Track Effects:"},
    {tcTextBlankLine, "Blank Line Text:"},
    {tcHighlightText, "Note Highlight:"},
};

// The built-in scheme's own spelling of `name`, or nothing for a scheme of the user.
std::optional<QString> BuiltInName(const QString& name) {
    for (const TBuiltInScheme& scheme : BuiltInSchemes()) {
        const QString builtIn = QString::fromUtf8(scheme.Name.data(), qsizetype(scheme.Name.size()));
        if (builtIn.compare(name, Qt::CaseInsensitive) == 0) return builtIn;
    }
    return std::nullopt;
}

}  // namespace

TOptionsColorsPage::TOptionsColorsPage(QWidget* parent, TOptionsTarget& target, const QString& configFile,
                                       const TTabColorTable& colors, const std::string& scheme)
    : QWidget(parent), target_(target), configFile_(configFile), viewColors_(colors), colors_(colors),
      scheme_(scheme) {
    auto* buttons = new QFormLayout;
    buttons->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (const TColorLabel& label : ColorLabels) {
        auto* button = new TColorButton(this);
        buttons_[label.Role] = button;
        buttons->addRow(tr(label.Caption), button);
        connect(button, &TColorButton::Picked, this, &TOptionsColorsPage::ButtonPicked);
    }

    auto* group = new QGroupBox(tr("Colors"), this);
    schemes_ = new QComboBox(group);
    schemes_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    schemes_->setMinimumContentsLength(16);
    auto* schemeLabel = new QLabel(tr("&Scheme:"), group);
    schemeLabel->setBuddy(schemes_);
    auto* saveAs = new QPushButton(tr("Sa&ve As..."), group);
    delete_ = new QPushButton(tr("&Delete"), group);
    preview_ = new QPushButton(tr("&Preview Changes"), group);
    preview_->setEnabled(false);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(schemeLabel);
    groupLayout->addWidget(schemes_);
    groupLayout->addWidget(saveAs);
    groupLayout->addWidget(delete_);
    groupLayout->addSpacing(12);
    groupLayout->addWidget(preview_);
    groupLayout->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(buttons);
    layout->addSpacing(12);
    layout->addWidget(group);

    connect(schemes_, &QComboBox::activated, this, &TOptionsColorsPage::ChooseScheme);
    connect(schemes_, &QComboBox::currentIndexChanged, this,
            [this](int index) { delete_->setEnabled(index >= 0); });
    connect(saveAs, &QPushButton::clicked, this, &TOptionsColorsPage::SaveAsClick);
    connect(delete_, &QPushButton::clicked, this, &TOptionsColorsPage::DeleteClick);
    connect(preview_, &QPushButton::clicked, this, &TOptionsColorsPage::PreviewClick);

    FillSchemes();
    ShowColors();
}

void TOptionsColorsPage::FillSchemes() {
    schemes_->clear();
    for (const std::string& name : SchemeNames(TConfigIniFile(configFile_)))
        schemes_->addItem(QString::fromStdString(name));
    SelectScheme();
}

void TOptionsColorsPage::SelectScheme() {
    schemes_->setCurrentIndex(scheme_.empty() ? -1 : schemes_->findText(QString::fromStdString(scheme_)));
}

void TOptionsColorsPage::ShowColors() {
    for (int role = 0; role < TabViewColorCount; ++role) buttons_[role]->SetColor(colors_[role]);
}

void TOptionsColorsPage::ButtonPicked() {
    for (int role = 0; role < TabViewColorCount; ++role) colors_[role] = buttons_[role]->Color();
    scheme_.clear();
    schemes_->setCurrentIndex(-1);
    preview_->setEnabled(true);
}

void TOptionsColorsPage::ChooseScheme(int index) {
    if (index < 0) return;
    scheme_ = schemes_->itemText(index).toStdString();
    colors_ = ReadScheme(TConfigIniFile(configFile_), scheme_);
    ShowColors();
    preview_->setEnabled(true);
}

void TOptionsColorsPage::SaveAsClick() {
    bool ok = false;
    const QString answer = QInputDialog::getText(this, tr("Save Scheme"), tr("Name:"), QLineEdit::Normal,
                                                 QString::fromStdString(scheme_), &ok);
    if (ok) SaveScheme(answer);
}

bool TOptionsColorsPage::SaveScheme(const QString& answer) {
    const QString name = answer.trimmed();
    if (name.isEmpty()) {
        QMessageBox::warning(this, tr("Save Scheme"), tr("You must enter a name."));
        return false;
    }
    if (const std::optional<QString> builtIn = BuiltInName(name)) {
        QMessageBox::warning(this, tr("Save Scheme"), tr("You can't modify the %1 scheme.").arg(*builtIn));
        return false;
    }
    {
        TConfigIniFile store(configFile_);
        WriteScheme(store, name.toStdString(), colors_);
    }
    scheme_ = name.toStdString();
    FillSchemes();
    return true;
}

void TOptionsColorsPage::DeleteClick() {
    const int index = schemes_->currentIndex();
    if (index < 0) return;
    const QString name = schemes_->itemText(index);
    if (const std::optional<QString> builtIn = BuiltInName(name)) {
        QMessageBox::warning(this, tr("Delete Scheme"),
                             tr("You may not delete the %1 scheme.").arg(*builtIn));
        return;
    }
    if (QMessageBox::warning(this, tr("Delete Scheme"),
                             tr("Are you sure you want to delete the '%1' scheme?").arg(name),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    {
        TConfigIniFile store(configFile_);
        DeleteScheme(store, name.toStdString());
    }
    schemes_->setCurrentIndex(-1);
    schemes_->removeItem(index);
}

void TOptionsColorsPage::PreviewClick() {
    previewed_ = true;
    target_.ApplyColors(colors_);
    preview_->setEnabled(false);
}

void TOptionsColorsPage::UndoPreview() {
    if (!previewed_) return;
    previewed_ = false;
    target_.ApplyColors(viewColors_);
}

}  // namespace fretlo
