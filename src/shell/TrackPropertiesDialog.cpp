#include "shell/TrackPropertiesDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/Errors.h"
#include "playback/TrackKinds.h"
#include "shell/ControllerEditor.h"
#include "shell/HelpContexts.h"
#include "shell/InstrumentList.h"
#include "shell/MainFormRules.h"
#include "shell/SliderBox.h"
#include "view/Tuner.h"

namespace fretlo {

namespace {

constexpr TSliderRange VolumeRange{0, 127, 8, 8, 3};

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QLineEdit* NumberEdit(int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(maxLength + 2, '0')) + 12);
    return edit;
}

}  // namespace

TTrackPropertiesForm::TTrackPropertiesForm(QWidget* parent, TTrackPropsSetup setup)
    : QDialog(parent), setup_(std::move(setup)) {
    const int number = setup_.TrackIndex + 1;
    setWindowTitle(setup_.NewTrack ? QString("Add Track %1").arg(number)
                                   : QString("Track %1 Properties").arg(number));
    pages_ = new QTabWidget(this);
    generalPage_ = CreateGeneralPage();
    midiPage_ = CreateMidiPage();
    pages_->addTab(generalPage_, "&General");
    pages_->addTab(midiPage_, "&MIDI");

    auto* box = new QVBoxLayout(this);
    box->addWidget(pages_);
    box->addWidget(MakeDialogButtons(*this, setup_.Help, setup_.NewTrack ? hcAddTrack : hcTrackProperties,
                                     [this] { TryAccept(); }));
    box->setSizeConstraint(QLayout::SetFixedSize);
    SetTabOrder();
    Open();
}

TTrackPropertiesForm::~TTrackPropertiesForm() = default;

QWidget* TTrackPropertiesForm::CreateGeneralPage() {
    auto* page = new QWidget(this);
    topTextLine_ = new QCheckBox("Text Line on &Top", page);
    bottomTextLine_ = new QCheckBox("Text Line on &Bottom", page);
    highestNumber_ = NumberEdit(3, page);
    NameAfter(topTextLine_, topTextLine_->text());
    NameAfter(bottomTextLine_, bottomTextLine_->text());

    auto* upper = new QHBoxLayout;
    upper->addWidget(CreateKindGroup(), 0, Qt::AlignTop);
    upper->addWidget(CreateTuningGroup(), 1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(topTextLine_);
    lower->addSpacing(12);
    lower->addWidget(bottomTextLine_);
    lower->addStretch(1);
    lower->addWidget(BuddyLabel("Highest Number &Allowed:", highestNumber_));
    lower->addWidget(highestNumber_);
    auto* column = new QVBoxLayout(page);
    column->addLayout(upper);
    column->addLayout(lower);
    return page;
}

QWidget* TTrackPropertiesForm::CreateMidiPage() {
    auto* page = new QWidget(this);
    channel_ = new QComboBox(page);
    instrument_ = new QComboBox(page);
    instrument_->setMaxVisibleItems(16);
    bank_ = new QComboBox(page);
    for (int b = 0; b < 128; ++b) bank_->addItem(QString::number(b));
    bank_->setMaxVisibleItems(16);
    transpose_ = NumberEdit(3, page);
    direction_ = new QComboBox(page);
    direction_->addItems({"up", "down"});
    direction_->setAccessibleName("Transpose direction");
    letRing_ = new QCheckBox("Let Notes &Ring", page);
    NameAfter(letRing_, letRing_->text());
    volume_ = new TSliderBox(VolumeRange, page);
    controllers_ = new TControllerEditor(page);
    connect(channel_, &QComboBox::activated, this, &TTrackPropertiesForm::ChannelChanged);

    auto* form = new QFormLayout(page);
    form->addRow(BuddyLabel("MIDI &Channel:", channel_), channel_);
    form->addRow(BuddyLabel("&Instrument:", instrument_), instrument_);
    bankLabel_ = BuddyLabel("Ban&k:", bank_);
    form->addRow(bankLabel_, bank_);
    auto* transposeRow = new QHBoxLayout;
    transposeRow->addWidget(transpose_);
    transposeRow->addWidget(new QLabel("half-steps", page));
    transposeRow->addWidget(direction_);
    transposeRow->addStretch(1);
    form->addRow(BuddyLabel("Tr&anspose:", transpose_), transposeRow);
    form->addRow(QString(), letRing_);
    form->addRow(BuddyLabel("&Volume:", volume_->Slider()), volume_);
    volume_->SetAccessibleName("Volume");
    form->addRow(BuddyLabel("C&ontroller:", controllers_->Choice()), controllers_);
    return page;
}

void TTrackPropertiesForm::SetTabOrder() {
    std::vector<QWidget*> order;
    for (QAbstractButton* kind : kinds_->buttons()) order.push_back(kind);
    for (int slot = StringSlots - 2; slot >= 0; --slot) order.push_back(tuners_[slot]);
    order.insert(order.end(), {showNumbers_,
                               presetList_,
                               saveAs_,
                               delete_,
                               setDefault_,
                               reset_,
                               topTextLine_,
                               bottomTextLine_,
                               highestNumber_,
                               channel_,
                               instrument_,
                               bank_,
                               transpose_,
                               direction_,
                               letRing_,
                               volume_->Slider(),
                               volume_->Box(),
                               controllers_->Choice(),
                               controllers_->Slider()->Slider(),
                               controllers_->Slider()->Box()});
    for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

// --- Opening --------------------------------------------------------------------------

void TTrackPropertiesForm::Open() {
    const TTrackData& track = setup_.Track;
    const int automatic = AutomaticChannel(setup_.Doc, setup_.TrackIndex);
    FillChannels(track.MidiChannel < 0 ? automatic : -1);
    const int kind = TrackKindIndex(track.StringCount, track.Variant);
    Check(kind >= 0, "track of no kind");
    kinds_->button(kind)->setChecked(true);
    if (!ChangeKind(kind)) {
        kind_ = kind;
        ShowTuners(TrackKinds()[kind].StringCount);
    }
    bankLabel_->setVisible(setup_.SendBankSelects);
    bank_->setVisible(setup_.SendBankSelects);
    ShowTrack(TrackPropsEntries(track));
    controllers_->SetCurrent(ctPan);
}

void TTrackPropertiesForm::ShowTrack(const TTrackPropsEntries& e) {
    showNumbers_->setChecked(e.ShowNumbers);
    topTextLine_->setChecked(e.TopTextLine);
    bottomTextLine_->setChecked(e.BottomTextLine);
    highestNumber_->setText(QString::number(*e.HighestNumber));
    for (int slot = 0; slot < e.StringCount; ++slot) tuners_[slot]->SetNote(e.Keys[slot]);
    transpose_->setText(QString::number(*e.TransposeSteps));
    direction_->setCurrentIndex(e.TransposeDown ? 1 : 0);
    bank_->setCurrentIndex(e.Bank >= 0 && e.Bank <= 127 ? e.Bank : -1);
    letRing_->setChecked(e.LetRing);
    volume_->SetValue(e.Volume);
    controllers_->SetValue(ctPitchBend, e.PitchBend);
    controllers_->SetValue(ctModulation, e.Modulation);
    controllers_->SetValue(ctPan, e.Pan);
    controllers_->SetValue(ctReverb, e.Reverb);
    controllers_->SetValue(ctChorus, e.Chorus);
    channel_->setCurrentIndex(e.MidiChannel + 1);
    FillInstruments();
    instrument_->setCurrentIndex(e.Instrument >= 0 && e.Instrument <= 127 ? e.Instrument : -1);
}

// The first entry names the channel an automatic track gets, when this one is automatic.
void TTrackPropertiesForm::FillChannels(int automaticChannel) {
    const QSignalBlocker quiet(channel_);
    channel_->clear();
    channel_->addItem(automaticChannel >= 0 ? QString("Automatically assign - %1").arg(automaticChannel + 1)
                                            : QString("Automatically assign"));
    for (int c = 0; c < 16; ++c)
        channel_->addItem(c == PercussionChannel ? QString("10 (Drums)") : QString::number(c + 1));
}

void TTrackPropertiesForm::ChannelChanged() {
    FillInstruments();
    if (channel_->currentIndex() == DrumsChannelChoice) instrument_->setCurrentIndex(0);
}

// Drum kit names on the percussion channel, instrument names elsewhere; the number stays.
void TTrackPropertiesForm::FillInstruments() {
    FillInstrumentList(*instrument_, channel_->currentIndex() == DrumsChannelChoice);
}

// --- OK -------------------------------------------------------------------------------

TTrackPropsEntries TTrackPropertiesForm::Entries() const {
    TTrackPropsEntries e;
    const TTrackKind& kind = TrackKinds()[kind_];
    e.StringCount = kind.StringCount;
    e.Variant = kind.Variant;
    e.ShowNumbers = showNumbers_->isChecked();
    e.HighestNumber = ParseWholeNumber(highestNumber_->text().toStdString());
    e.TransposeSteps = ParseWholeNumber(transpose_->text().toStdString());
    e.TransposeDown = direction_->currentIndex() == 1;
    for (int slot = 0; slot < e.StringCount; ++slot) e.Keys[slot] = tuners_[slot]->Note();
    e.Instrument = instrument_->currentIndex();
    e.Bank = bank_->currentIndex();
    e.LetRing = letRing_->isChecked();
    e.Volume = volume_->Value();
    e.PitchBend = controllers_->Value(ctPitchBend);
    e.Modulation = controllers_->Value(ctModulation);
    e.Pan = controllers_->Value(ctPan);
    e.Reverb = controllers_->Value(ctReverb);
    e.Chorus = controllers_->Value(ctChorus);
    e.MidiChannel = channel_->currentIndex() - 1;
    e.TopTextLine = topTextLine_->isChecked();
    e.BottomTextLine = bottomTextLine_->isChecked();
    return e;
}

void TTrackPropertiesForm::TryAccept() {
    const TTrackPropsEntries entries = Entries();
    if (const auto refusal = CheckTrackProperties(setup_.Doc, setup_.TrackIndex, entries)) {
        Refuse(*refusal);
        return;
    }
    for (const std::string& question : TrackPropertiesQuestions(setup_.Track, entries))
        if (!Ask(question)) return;
    if (setup_.StopPlaying) setup_.StopPlaying();
    ApplyTrackProperties(setup_.Doc, setup_.Track, entries);
    changed_ = true;
    accept();
}

void TTrackPropertiesForm::Refuse(const TTrackPropsRefusal& refusal) {
    QWidget* field = refusal.Field == TTrackPropsField::HighestNumber ? static_cast<QWidget*>(highestNumber_)
                     : refusal.Field == TTrackPropsField::Transpose   ? static_cast<QWidget*>(transpose_)
                                                                      : static_cast<QWidget*>(channel_);
    pages_->setCurrentWidget(field == highestNumber_ ? generalPage_ : midiPage_);
    QMessageBox::warning(this, Text(refusal.Caption), Text(refusal.Text));
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

bool TTrackPropertiesForm::Ask(const std::string& question) {
    return QMessageBox::warning(this, AppTitle, Text(question), QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace fretlo
