// The track properties dialog's instrument kinds, tuners and preset tunings.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/Errors.h"
#include "playback/MidiNames.h"
#include "playback/TrackKinds.h"
#include "shell/ErrorDisplay.h"
#include "shell/TrackPropertiesDialog.h"
#include "view/Tuner.h"

namespace fretlo {

namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString Quoted(const std::string& name) { return "\"" + QString::fromStdString(name) + "\""; }

}  // namespace

QWidget* TTrackPropertiesForm::CreateKindGroup() {
    auto* group = new QGroupBox("&Instrument", this);
    kinds_ = new QButtonGroup(group);
    auto* column = new QVBoxLayout(group);
    for (int k = 0; k < static_cast<int>(TrackKinds().size()); ++k) {
        auto* choice = new QRadioButton(Text(TrackKinds()[k].Caption), group);
        NameAfter(choice, choice->text());
        kinds_->addButton(choice, k);
        column->addWidget(choice);
    }
    column->addStretch(1);
    connect(kinds_, &QButtonGroup::idClicked, this, &TTrackPropertiesForm::KindClicked);
    return group;
}

QWidget* TTrackPropertiesForm::CreateTuningGroup() {
    auto* group = new QGroupBox("Tuning", this);
    auto* strings = new QGridLayout;
    // The highest string at the top, as the staff draws it.
    for (int slot = StringSlots - 2; slot >= 0; --slot) {
        auto* tuner = new TTuner(group);
        tuner->OnHint = [this](const TTuner& t) { return TunerHint(t); };
        connect(tuner, &TTuner::OnChange, this, &TTrackPropertiesForm::FollowTuners);
        tuners_[slot] = tuner;
        tunerLabels_[slot] = new QLabel(group);
        tunerLabels_[slot]->setBuddy(tuner);
        const int row = StringSlots - 2 - slot;
        strings->addWidget(tunerLabels_[slot], row, 0);
        strings->addWidget(tuner, row, 1);
    }
    strings->setRowStretch(StringSlots - 1, 1);

    presetList_ = new QListWidget(group);
    // The longest built-in name, bold as a default is drawn, fits without scrolling.
    QFont bold = presetList_->font();
    bold.setBold(true);
    presetList_->setMinimumWidth(QFontMetrics(bold).horizontalAdvance("Bass/Snare/Closed HH/Open HH/Stick/Crash") +
                                 2 * presetList_->frameWidth() + 16);
    saveAs_ = new QPushButton("&Save As...", group);
    delete_ = new QPushButton("&Delete", group);
    setDefault_ = new QPushButton("Set Defau&lt", group);
    reset_ = new QPushButton("R&eset", group);
    auto* buttons = new QGridLayout;
    buttons->addWidget(saveAs_, 0, 0);
    buttons->addWidget(delete_, 0, 1);
    buttons->addWidget(setDefault_, 1, 0);
    buttons->addWidget(reset_, 1, 1);
    for (QPushButton* button : {saveAs_, delete_, setDefault_, reset_}) {
        button->setAutoDefault(false);
        NameAfter(button, button->text());
    }
    auto* presets = new QVBoxLayout;
    presets->addWidget(BuddyLabel("&Preset Tunings:", presetList_));
    presets->addWidget(presetList_, 1);
    presets->addLayout(buttons);

    showNumbers_ = new QCheckBox("Display MIDI key &numbers instead of note names", group);
    NameAfter(showNumbers_, showNumbers_->text());
    auto* grid = new QGridLayout(group);
    grid->addLayout(strings, 0, 0);
    grid->setColumnMinimumWidth(1, 12);
    grid->addLayout(presets, 0, 2);
    grid->addWidget(showNumbers_, 1, 0, 1, 3);

    connect(showNumbers_, &QCheckBox::toggled, this, [this](bool on) {
        for (TTuner* tuner : tuners_) tuner->SetDisplayNumber(on);
    });
    connect(presetList_, &QListWidget::currentRowChanged, this, &TTrackPropertiesForm::ApplyPreset);
    connect(saveAs_, &QPushButton::clicked, this, &TTrackPropertiesForm::SavePresetAs);
    connect(delete_, &QPushButton::clicked, this, &TTrackPropertiesForm::DeletePreset);
    connect(setDefault_, &QPushButton::clicked, this, &TTrackPropertiesForm::SetDefaultPreset);
    connect(reset_, &QPushButton::clicked, this, &TTrackPropertiesForm::ResetPresets);
    return group;
}

// --- The kind -------------------------------------------------------------------------

// Loads the kind's presets first: a store that refuses them leaves everything as it was.
bool TTrackPropertiesForm::ChangeKind(int kind) {
    TKindChange change;
    try {
        change = fretlo::ChangeKind(setup_.Store, kind);
    } catch (const EFretloError& error) {
        ShowException(error);
        return false;
    }
    kind_ = kind;
    presets_ = std::move(change.Presets);
    ShowTuners(change.Kind.StringCount);
    FillPresets();
    if (change.Preset >= 0) {
        const QSignalBlocker quiet(presetList_);
        presetList_->setCurrentRow(change.Preset);
        ApplyPreset(change.Preset);
    }
    UpdatePresetButtons();
    channel_->setCurrentIndex(change.Kind.ChannelChoice);
    FillInstruments();
    instrument_->setCurrentIndex(change.Kind.Instrument);
    letRing_->setChecked(change.Kind.LetRing);
    highestNumber_->setText(QString::number(change.Kind.HighestNumber));
    return true;
}

void TTrackPropertiesForm::KindClicked(int kind) {
    if (kind == kind_ || ChangeKind(kind)) return;
    kinds_->button(kind_)->setChecked(true);
}

void TTrackPropertiesForm::ShowTuners(int stringCount) {
    for (int slot = 0; slot < static_cast<int>(tuners_.size()); ++slot) {
        const bool shown = slot < stringCount;
        tuners_[slot]->setVisible(shown);
        tunerLabels_[slot]->setVisible(shown);
        // String 1 is the highest, as players count them.
        const QString caption = QString("String &%1:").arg(stringCount - slot);
        tunerLabels_[slot]->setText(caption);
        NameAfter(tuners_[slot], caption);
    }
}

std::vector<uint8_t> TTrackPropertiesForm::VisibleNotes() const {
    std::vector<uint8_t> notes;
    for (int slot = 0; slot < TrackKinds()[kind_].StringCount; ++slot)
        notes.push_back(static_cast<uint8_t>(std::max(tuners_[slot]->Note(), 0)));
    return notes;
}

QString TTrackPropertiesForm::TunerHint(const TTuner& tuner) const {
    if (channel_->currentIndex() != DrumsChannelChoice) return {};
    const std::string_view name = DrumNoteName(tuner.Note());
    return QString("%1 - %2").arg(tuner.Note()).arg(name.empty() ? QString("?") : Text(name));
}

// --- The preset list ------------------------------------------------------------------

void TTrackPropertiesForm::FillPresets() {
    const QSignalBlocker quiet(presetList_);
    presetList_->clear();
    for (const TPresetTuning& preset : presets_) {
        auto* item = new QListWidgetItem(QString::fromStdString(preset.Name), presetList_);
        QFont font = item->font();
        font.setBold(preset.IsDefault);
        item->setFont(font);
    }
}

void TTrackPropertiesForm::ApplyPreset(int index) {
    if (index < 0 || index >= static_cast<int>(presets_.size())) return UpdatePresetButtons();
    const TPresetTuning& preset = presets_[index];
    applyingPreset_ = true;
    for (int slot = 0; slot < static_cast<int>(preset.Notes.size()); ++slot)
        tuners_[slot]->SetNote(preset.Notes[slot]);
    applyingPreset_ = false;
    showNumbers_->setChecked(preset.ShowNumbers);
    UpdatePresetButtons();
}

void TTrackPropertiesForm::FollowTuners() {
    if (applyingPreset_ || kind_ < 0) return;
    const int match = MatchingPreset(presets_, VisibleNotes());
    const QSignalBlocker quiet(presetList_);
    presetList_->setCurrentRow(match);
    if (match < 0) presetList_->clearSelection();
    UpdatePresetButtons();
}

void TTrackPropertiesForm::UpdatePresetButtons() {
    const bool selected = presetList_->currentRow() >= 0;
    delete_->setEnabled(selected);
    setDefault_->setEnabled(selected);
}

TTuningPresetStore TTrackPropertiesForm::PresetStore() const {
    const TTrackKind& kind = TrackKinds()[kind_];
    return TTuningPresetStore(setup_.Store, kind.StringCount, kind.Variant);
}

void TTrackPropertiesForm::ReloadPresets() {
    presets_ = PresetStore().Load();
    FillPresets();
    FollowTuners();
}

void TTrackPropertiesForm::WithStore(const std::function<void()>& command) {
    try {
        command();
        ReloadPresets();
    } catch (const EFretloError& error) {
        ShowException(error);
    }
}

bool TTrackPropertiesForm::Confirm(const QString& title, const QString& question, bool yesByDefault) {
    return QMessageBox::warning(this, title, question, QMessageBox::Yes | QMessageBox::No,
                                yesByDefault ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}

const std::string& TTrackPropertiesForm::SelectedPreset() const {
    return presets_.at(presetList_->currentRow()).Name;
}

// --- Preset commands ------------------------------------------------------------------

void TTrackPropertiesForm::SavePresetAs() {
    bool ok = false;
    const QString typed =
        QInputDialog::getText(this, "Save Preset Tuning", "Name:", QLineEdit::Normal, {}, &ok);
    if (!ok) return;
    const std::string name = typed.trimmed().toStdString();
    if (name.empty()) {
        QMessageBox::warning(this, "Save Preset Tuning", "You must enter a name.");
        return;
    }
    const bool exists = std::ranges::any_of(presets_, [&](const TPresetTuning& p) { return p.Name == name; });
    if (exists && !Confirm("Save Preset Tuning",
                           "A tuning named " + Quoted(name) + " already exists. Replace it?", true))
        return;
    WithStore([&] { PresetStore().Save(name, VisibleNotes(), showNumbers_->isChecked()); });
}

void TTrackPropertiesForm::DeletePreset() {
    const std::string name = SelectedPreset();
    if (Confirm("Delete Preset Tuning", "Delete the tuning " + Quoted(name) + "?", false))
        WithStore([&] { PresetStore().Delete(name); });
}

void TTrackPropertiesForm::SetDefaultPreset() {
    const std::string name = SelectedPreset();
    if (Confirm("Set Default Tuning", "Make " + Quoted(name) + " the default tuning for this instrument?",
                false))
        WithStore([&] { PresetStore().SetDefault(name); });
}

void TTrackPropertiesForm::ResetPresets() {
    if (Confirm("Reset Preset Tuning List",
                "Are you sure you want to reset the list of preset tunings back to the defaults for this "
                "instrument?",
                false))
        WithStore([&] { PresetStore().Reset(); });
}

}  // namespace fretlo
