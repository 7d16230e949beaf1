#include "shell/OptionsFontsPage.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/OptionsDialog.h"
#include "shell/OptionsRefusal.h"
#include "shell/SettingsTable.h"

namespace fretlo {

namespace {

// In the order of TTabFontSettings and of FontRows().
constexpr const char* FontCaptions[TOptionsFontsPage::RowCount] = {
    "&Normal:", "&Small:", "Print - T&itle:", "Print - &Artist:", "Print - Pa&ge No.:",
};

// The installed families without "Default", plus the default fonts' families, which fontconfig
// draws with a metric twin without listing them.
QStringList FontFamilies() {
    QStringList families = QFontDatabase::families();
    families.removeAll(QStringLiteral("Default"));
    for (const TFontRow& row : FontRows()) {
        const QString name = QString::fromStdString(row.Default.Name);
        if (!families.contains(name, Qt::CaseInsensitive)) families.append(name);
    }
    families.sort(Qt::CaseInsensitive);
    return families;
}

// The listed spelling of a family typed in any letter case; empty when it is not listed.
QString ListedFamily(const QStringList& families, const QString& typed) {
    for (const QString& family : families)
        if (family.compare(typed, Qt::CaseInsensitive) == 0) return family;
    return {};
}

}  // namespace

TOptionsFontsPage::TOptionsFontsPage(QWidget* parent, TOptionsTarget& target, const TTabFontSettings& fonts)
    : QWidget(parent), target_(target), original_(fonts), fonts_(fonts), families_(FontFamilies()) {
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    for (int i = 0; i < RowCount; ++i) {
        TRow& row = rows_[i];
        row.Name = new QComboBox(this);
        row.Name->setEditable(true);
        row.Name->setInsertPolicy(QComboBox::NoInsert);
        row.Name->addItems(families_);
        row.Name->setMinimumContentsLength(20);
        auto* label = new QLabel(tr(FontCaptions[i]), this);
        label->setBuddy(row.Name);
        row.Height = new QLineEdit(this);
        row.Height->setMaxLength(2);
        row.Height->setFixedWidth(row.Height->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        grid->addWidget(label, i, 0);
        grid->addWidget(row.Name, i, 1);
        grid->addWidget(new QLabel(tr("Height:"), this), i, 2);
        grid->addWidget(row.Height, i, 3);
        connect(row.Name, &QComboBox::currentTextChanged, this, &TOptionsFontsPage::MarkChanged);
        connect(row.Height, &QLineEdit::textChanged, this, &TOptionsFontsPage::MarkChanged);
    }

    preview_ = new QPushButton(tr("&Preview Changes"), this);
    preview_->setEnabled(false);
    restore_ = new QPushButton(tr("&Restore Defaults"), this);
    restore_->setEnabled(!(fonts == DefaultFonts()));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(preview_);
    buttons->addWidget(restore_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(preview_, &QPushButton::clicked, this, &TOptionsFontsPage::PreviewClick);
    connect(restore_, &QPushButton::clicked, this, &TOptionsFontsPage::RestoreDefaultsClick);
    ShowFonts(fonts);
}

void TOptionsFontsPage::ShowFonts(const TTabFontSettings& fonts) {
    showing_ = true;
    for (int i = 0; i < RowCount; ++i) {
        const TTabFontSetting& font = fonts.*(FontRows()[i].Member);
        rows_[i].Name->setCurrentText(QString::fromStdString(font.Name));
        rows_[i].Height->setText(QString::number(font.Height));
    }
    showing_ = false;
}

void TOptionsFontsPage::MarkChanged() {
    if (showing_) return;
    changed_ = true;
    preview_->setEnabled(true);
    restore_->setEnabled(true);
}

bool TOptionsFontsPage::Collect() {
    TTabFontSettings fonts;
    for (int i = 0; i < RowCount; ++i) {
        const TRow& row = rows_[i];
        const QString family = ListedFamily(families_, row.Name->currentText().trimmed());
        if (family.isEmpty()) {
            RefuseOptionsField(this, row.Name,
                               tr("The font name you entered does not exist. Please select another."));
            return false;
        }
        bool number = false;
        const int height = row.Height->text().trimmed().toInt(&number);
        if (!number || height < MinFontHeight || height > MaxFontHeight) {
            RefuseOptionsField(
                this, row.Height,
                tr("The font height must be between %1 and %2.").arg(MinFontHeight).arg(MaxFontHeight));
            return false;
        }
        fonts.*(FontRows()[i].Member) = {family.toStdString(), height};
    }
    fonts_ = fonts;
    return true;
}

void TOptionsFontsPage::PreviewClick() {
    if (!Collect()) return;
    previewed_ = true;
    target_.ApplyFonts(fonts_);
    preview_->setEnabled(false);
}

void TOptionsFontsPage::RestoreDefaultsClick() {
    ShowFonts(DefaultFonts());
    MarkChanged();
}

void TOptionsFontsPage::UndoPreview() {
    if (!previewed_) return;
    previewed_ = false;
    target_.ApplyFonts(original_);
}

}  // namespace fretlo
