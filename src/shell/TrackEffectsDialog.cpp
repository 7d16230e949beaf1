#include "shell/TrackEffectsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/Errors.h"
#include "shell/HelpContexts.h"
#include "shell/InstrumentList.h"
#include "shell/MainFormRules.h"
#include "shell/SliderBox.h"
#include "shell/TempoTapDialog.h"

namespace fretlo {

namespace {

constexpr TSliderRange ControllerRange{0, 127, 8, 8, 3};
constexpr TSliderRange PitchBendRange{-2400, 2400, 200, 100, 5};

// The sliders in the order OK checks them.
constexpr TPropKind SliderKinds[] = {pkVolume, pkPitchBend, pkModulation, pkPan, pkReverb, pkChorus};

bool IsControllerKind(TPropKind kind) {
    return kind == pkPitchBend || kind == pkModulation || kind == pkPan || kind == pkReverb ||
           kind == pkChorus;
}

}  // namespace

TTrackEffectsForm::TTrackEffectsForm(QWidget* parent, TTrackEffectsSetup setup)
    : QDialog(parent), setup_(std::move(setup)) {
    setWindowTitle(setup_.RepeatPrevious ? "Repeat Previous Track Effect" : "Create Track Effects");
    pages_ = new QTabWidget(this);
    general_ = CreateGeneralPage();
    controllers_ = CreateControllersPage();
    pages_->addTab(general_, "&General");
    pages_->addTab(controllers_, "MIDI C&ontrollers");

    auto* box = new QVBoxLayout(this);
    box->addWidget(pages_);
    box->addWidget(MakeDialogButtons(*this, setup_.Help, hcTrackEffects, [this] { TryAccept(); }));
    box->setSizeConstraint(QLayout::SetFixedSize);
    SetTabOrder();

    const TTrackEffectsAt at = TrackEffectsAt(setup_.Doc, setup_.Track, setup_.Space);
    ShowValues(at);
    FocusOnOpening(at);
    ApplyMode();
}

// --- The pages --------------------------------------------------------------------------

QCheckBox* TTrackEffectsForm::AddBox(TPropKind kind, const QString& caption, QWidget* page) {
    auto* box = new QCheckBox(caption, page);
    NameAfter(box, caption);
    kinds_[kind].Box = box;
    connect(box, &QCheckBox::toggled, this, [this, kind](bool checked) { BoxToggled(kind, checked); });
    return box;
}

TSliderBox* TTrackEffectsForm::AddSlider(TPropKind kind, const QString& caption, const char* name,
                                         bool pitchBend, QWidget* page) {
    AddBox(kind, caption, page);
    auto* slider = new TSliderBox(pitchBend ? PitchBendRange : ControllerRange, page);
    slider->SetAccessibleName(name);
    kinds_[kind].Slider = slider;
    kinds_[kind].Value = slider->Box();
    kinds_[kind].Name = name;
    return slider;
}

QWidget* TTrackEffectsForm::CreateGeneralPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);

    grid->addWidget(AddBox(pkTempo, "&Tempo:", page), 0, 0);
    tempo_ = new QLineEdit(page);
    tempo_->setMaxLength(3);
    tempo_->setFixedWidth(tempo_->fontMetrics().horizontalAdvance("00000") + 12);
    tempo_->setAccessibleName("Tempo");
    kinds_[pkTempo].Value = tempo_;
    tap_ = new QPushButton("T&ap...", page);
    tap_->setAutoDefault(false);
    NameAfter(tap_, tap_->text());
    connect(tap_, &QPushButton::clicked, this, [this] { TapTempoInto(this, tempo_, setup_.TapClock); });
    auto* tempoRow = new QHBoxLayout;
    tempoRow->addWidget(tempo_);
    tempoRow->addWidget(new QLabel("beats per minute", page));
    tempoRow->addStretch(1);
    tempoRow->addWidget(tap_);
    grid->addLayout(tempoRow, 0, 1);

    grid->addWidget(AddBox(pkInstrument, "&Instrument:", page), 1, 0);
    instrument_ = new QComboBox(page);
    instrument_->setMaxVisibleItems(16);
    instrument_->setAccessibleName("Instrument");
    kinds_[pkInstrument].Value = instrument_;
    grid->addWidget(instrument_, 1, 1);
    letRing_ = new QCheckBox("Let Notes &Ring", page);
    NameAfter(letRing_, letRing_->text());
    bankBox_ = new QCheckBox("Select &Bank:", page);
    NameAfter(bankBox_, bankBox_->text());
    bank_ = new QComboBox(page);
    for (int b = 0; b < 128; ++b) bank_->addItem(QString::number(b));
    bank_->setMaxVisibleItems(16);
    bank_->setAccessibleName("Bank");
    connect(bankBox_, &QCheckBox::toggled, this, [this](bool checked) {
        UpdateBank();
        if (checked && isVisible()) bank_->setFocus();
    });
    auto* instrumentRow = new QHBoxLayout;
    instrumentRow->addWidget(letRing_);
    instrumentRow->addSpacing(16);
    instrumentRow->addWidget(bankBox_);
    instrumentRow->addWidget(bank_);
    instrumentRow->addStretch(1);
    grid->addLayout(instrumentRow, 2, 1);

    grid->addWidget(AddSlider(pkVolume, "&Volume:", "Volume", false, page), 3, 1);
    grid->addWidget(kinds_[pkVolume].Box, 3, 0);
    grid->addWidget(AddBox(pkStrokeDown, "Stroke &Down", page), 4, 0, 1, 2);
    grid->addWidget(AddBox(pkStrokeUp, "Stroke &Up", page), 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);
    return page;
}

QWidget* TTrackEffectsForm::CreateControllersPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    const struct {
        TPropKind Kind;
        const char* Caption;
        const char* Name;
    } rows[] = {{pkPitchBend, "Pitch &Bend:", "Pitch Bend"},
                {pkModulation, "&Modulation:", "Modulation"},
                {pkPan, "&Pan:", "Pan"},
                {pkReverb, "&Reverb:", "Reverb"},
                {pkChorus, "&Chorus:", "Chorus"}};
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(AddSlider(r.Kind, r.Caption, r.Name, r.Kind == pkPitchBend, page), row, 1);
        grid->addWidget(kinds_[r.Kind].Box, row++, 0);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, fontMetrics().averageCharWidth() * 40);
    grid->setRowStretch(row, 1);
    return page;
}

// Down each page, left to right within a row.
void TTrackEffectsForm::SetTabOrder() {
    std::vector<QWidget*> order = {kinds_[pkTempo].Box, tempo_,   tap_,     kinds_[pkInstrument].Box,
                                   instrument_,         letRing_, bankBox_, bank_};
    for (const TPropKind kind :
         {pkVolume, pkStrokeDown, pkStrokeUp, pkPitchBend, pkModulation, pkPan, pkReverb, pkChorus}) {
        order.push_back(kinds_[kind].Box);
        if (kinds_[kind].Slider)
            order.insert(order.end(), {kinds_[kind].Slider->Slider(), kinds_[kind].Slider->Box()});
    }
    for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

// --- Opening ----------------------------------------------------------------------------

void TTrackEffectsForm::ShowValues(const TTrackEffectsAt& at) {
    FillInstrumentList(*instrument_, setup_.Doc.Track(setup_.Track).MidiChannel == PercussionChannel);
    tempo_->setText(QString::number(at.Value[pkTempo]));
    const uint16_t instrument = at.Value[pkInstrument];
    instrument_->setCurrentIndex(instrument & 0x7F);
    letRing_->setChecked(!(instrument & InstrumentNoRing));
    bank_->setCurrentIndex(at.Bank);
    for (const TPropKind kind : SliderKinds)
        kinds_[kind].Slider->SetValue(kind == pkPitchBend ? static_cast<int16_t>(at.Value[kind])
                                                          : at.Value[kind]);
    for (const TPropKind kind : TrackEffectKinds) {
        kinds_[kind].Box->setChecked(at.OnSpace[kind]);
        BoxToggled(kind, at.OnSpace[kind]);  // the controls follow even a box left unchecked
    }
    bankBox_->setChecked(at.BankOnSpace());
    UpdateBank();
}

void TTrackEffectsForm::FocusOnOpening(const TTrackEffectsAt& at) {
    if (!at.LatestKind) return;
    const auto kind = static_cast<TPropKind>(at.LatestKind);
    if (!setup_.RepeatPrevious && at.LatestSpace != setup_.Space) return;
    pages_->setCurrentWidget(PageOf(kind));
    if (setup_.RepeatPrevious) kinds_[kind].Box->setChecked(true);
    Focus(kind);
}

void TTrackEffectsForm::ApplyMode() {
    switch (setup_.Mode) {
    case TTrackEffectsMode::Plain: return;
    case TTrackEffectsMode::Tempo:
    case TTrackEffectsMode::Instrument:
    case TTrackEffectsMode::Volume: {
        const TPropKind kind = setup_.Mode == TTrackEffectsMode::Tempo        ? pkTempo
                               : setup_.Mode == TTrackEffectsMode::Instrument ? pkInstrument
                                                                              : pkVolume;
        pages_->setCurrentWidget(general_);
        kinds_[kind].Box->setChecked(true);
        Focus(kind);
        return;
    }
    case TTrackEffectsMode::Controllers:
        pages_->setCurrentWidget(controllers_);
        Focus(pkPitchBend);
        return;
    }
}

// --- While open -------------------------------------------------------------------------

void TTrackEffectsForm::BoxToggled(TPropKind kind, bool checked) {
    switch (kind) {
    case pkTempo:
        tempo_->setEnabled(checked);
        tap_->setEnabled(checked);
        break;
    case pkInstrument:
        instrument_->setEnabled(checked);
        letRing_->setEnabled(checked);
        bankBox_->setEnabled(checked);
        UpdateBank();
        break;
    case pkStrokeDown:
    case pkStrokeUp:
        if (checked) kinds_[kind == pkStrokeDown ? pkStrokeUp : pkStrokeDown].Box->setChecked(false);
        break;
    default: kinds_[kind].Slider->setEnabled(checked);
    }
    if (checked && isVisible() && kinds_[kind].Value) Focus(kind);
}

void TTrackEffectsForm::UpdateBank() {
    bank_->setEnabled(kinds_[pkInstrument].Box->isChecked() && bankBox_->isChecked());
}

// The value control when the box is checked, else the box.
void TTrackEffectsForm::Focus(TPropKind kind) {
    const TKindControls& k = kinds_[kind];
    QWidget* target = k.Box->isChecked() && k.Value ? k.Value : k.Box;
    target->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
}

QWidget* TTrackEffectsForm::PageOf(TPropKind kind) const {
    return IsControllerKind(kind) ? controllers_ : general_;
}

void TTrackEffectsForm::keyPressEvent(QKeyEvent* e) {
    // What reaches the dialog was not taken by the control with the focus.
    if (e->key() == Qt::Key_F &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const bool toControllers = pages_->currentWidget() == general_;
        pages_->setCurrentWidget(toControllers ? controllers_ : general_);
        kinds_[toControllers ? pkPitchBend : pkTempo].Box->setFocus();
        return e->accept();
    }
    QDialog::keyPressEvent(e);
}

// --- OK ---------------------------------------------------------------------------------

void TTrackEffectsForm::Refuse(TPropKind kind, QWidget* field, const std::string& text) {
    pages_->setCurrentWidget(PageOf(kind));
    RefuseField(this, QString::fromStdString(text), field);
}

void TTrackEffectsForm::TryAccept() {
    std::optional<int> tempo;
    if (kinds_[pkTempo].Box->isChecked()) {
        tempo = ParseTempo(tempo_->text().toStdString());
        if (!tempo) {
            Refuse(pkTempo, tempo_, TempoRangeMessage());
            return;
        }
    }
    for (const TPropKind kind : SliderKinds) {
        const TSliderBox& slider = *kinds_[kind].Slider;
        if (!slider.isEnabled()) continue;
        if (ParseWholeNumber(slider.Box()->text().toStdString()) != slider.Value()) {
            Refuse(kind, slider.Box(),
                   Format("%s must be between %d and %d.", kinds_[kind].Name, slider.Slider()->minimum(),
                          slider.Slider()->maximum()));
            return;
        }
    }
    choice_ = {};
    for (const TPropKind kind : TrackEffectKinds) {
        if (!kinds_[kind].Box->isChecked()) continue;
        switch (kind) {
        case pkTempo: choice_[kind] = static_cast<uint16_t>(*tempo); break;
        case pkInstrument:
            choice_[kind] = InstrumentEffectValue(
                instrument_->currentIndex(), letRing_->isChecked(),
                bankBox_->isChecked() ? std::optional<int>(bank_->currentIndex()) : std::nullopt);
            break;
        case pkStrokeDown:
        case pkStrokeUp: choice_[kind] = 0; break;
        default: choice_[kind] = static_cast<uint16_t>(kinds_[kind].Slider->Value());
        }
    }
    accept();
}

}  // namespace fretlo
