#include "importer/ImportWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QVBoxLayout>

#include "importer/OpenInFretlo.h"
#include "importer/PartsModel.h"
#include "importer/TuningChoices.h"

namespace fretlo {

namespace {

// The caption without its access key is the control's accessible name.
template <class TWidget>
TWidget* Named(TWidget* widget, const QString& caption) {
    widget->setAccessibleName(QString(caption).remove(QRegularExpression("&(?!&)")).remove(':'));
    return widget;
}

QPushButton* Button(const QString& caption) { return Named(new QPushButton(caption), caption); }

// A combo box with its label, which gives it its accessible name and access key.
QComboBox* LabelledCombo(QFormLayout* form, const QString& caption) {
    auto* combo = Named(new QComboBox, caption);
    auto* label = new QLabel(caption);
    label->setBuddy(combo);
    form->addRow(label, combo);
    return combo;
}

}  // namespace

TImportWindow::TImportWindow(TFretloLink& fretlo, QWidget* parent)
    : QWidget(parent), fretlo_(fretlo), file_(new QLabel("No MIDI file is open.")),
      parts_(Named(new QTableView, "Parts")), triplets_(Named(new QCheckBox("&Triplets"), "&Triplets")),
      report_(Named(new QPlainTextEdit, "Report")), preview_(Button("&Preview")),
      open_(Button("Open in &Fretlo")) {
    setWindowTitle(ImporterTitle);
    auto* openFile = Button("&Open MIDI File...");
    auto* close = Button("&Close");
    auto* top = new QHBoxLayout;
    top->addWidget(openFile);
    top->addWidget(file_, 1);

    parts_->setSelectionBehavior(QAbstractItemView::SelectRows);
    parts_->setSelectionMode(QAbstractItemView::SingleSelection);
    parts_->verticalHeader()->hide();
    parts_->horizontalHeader()->setStretchLastSection(true);
    parts_->setWordWrap(false);

    auto* form = new QFormLayout;
    kind_ = LabelledCombo(form, "&Kind:");
    for (const TTrackKind& k : TrackKinds()) kind_->addItem(QString::fromUtf8(k.Caption.data(), k.Caption.size()));
    tuning_ = LabelledCombo(form, "T&uning:");
    grid_ = LabelledCombo(form, "&Grid:");
    grid_->addItems({"Sixteenths", "Thirty-seconds"});
    triplets_->setChecked(true);
    form->addRow(triplets_);

    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {preview_, open_, close}) buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(parts_, 2);
    layout->addLayout(form);
    auto* reportLabel = new QLabel("&Report:");
    reportLabel->setBuddy(report_);
    layout->addWidget(reportLabel);
    layout->addWidget(report_, 1);
    layout->addLayout(buttons);

    connect(openFile, &QPushButton::clicked, this, &TImportWindow::ChooseMidiFile);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(preview_, &QPushButton::clicked, this, &TImportWindow::Preview);
    connect(open_, &QPushButton::clicked, this, &TImportWindow::OpenInFretloClicked);
    connect(kind_, &QComboBox::activated, this, &TImportWindow::ApplyKind);
    connect(tuning_, &QComboBox::activated, this, &TImportWindow::ApplyTuning);
    connect(grid_, &QComboBox::currentIndexChanged, this, &TImportWindow::ApplyGrid);
    connect(triplets_, &QCheckBox::toggled, this, &TImportWindow::ApplyGrid);
    ShowCurrentPart();
    resize(900, 620);
}

TImportWindow::~TImportWindow() = default;

void TImportWindow::ChooseMidiFile() {
    const QString path =
        QFileDialog::getOpenFileName(this, "Open MIDI File", {}, "MIDI files (*.mid *.midi);;All files (*)");
    if (!path.isEmpty()) OpenMidiFile(path);
}

void TImportWindow::OpenMidiFile(const QString& path) {
    std::unique_ptr<TImportSession> session;
    try {
        session = std::make_unique<TImportSession>(path.toStdString());
    } catch (const std::exception& error) {
        ShowError(QString::fromUtf8(error.what()));
        return;
    }
    session_ = std::move(session);
    ApplyGrid();
    auto* model = new TPartsModel(*session_, parts_);
    parts_->setModel(model);
    delete model_;
    model_ = model;
    parts_->resizeColumnsToContents();
    connect(model_, &QAbstractItemModel::dataChanged, parts_, &QTableView::resizeColumnsToContents);
    connect(parts_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TImportWindow::ShowCurrentPart);
    file_->setText(QFileInfo(path).absoluteFilePath());
    report_->clear();
    if (model_->rowCount() > 0) parts_->selectRow(0);
    ShowCurrentPart();
}

int TImportWindow::CurrentPart() const {
    return session_ && parts_->currentIndex().isValid() ? parts_->currentIndex().row() : -1;
}

void TImportWindow::ShowCurrentPart() {
    const int part = CurrentPart();
    showing_ = true;
    kind_->setEnabled(part >= 0);
    tuning_->setEnabled(part >= 0);
    tuning_->clear();
    if (part < 0) kind_->setCurrentIndex(-1);
    if (part >= 0) {
        const TPartChoice& choice = session_->Choice(part);
        kind_->setCurrentIndex(choice.Kind);
        const auto choices = TuningChoices(choice.Kind);
        for (const TTuningChoice& c : choices) tuning_->addItem(QString::fromStdString(c.Caption));
        const int found = FindTuning(choices, choice.Tuning);
        if (found < 0) tuning_->addItem(QString::fromStdString(TuningText(choice.Kind, choice.Tuning)));
        tuning_->setCurrentIndex(found < 0 ? tuning_->count() - 1 : found);
    }
    preview_->setEnabled(session_ != nullptr);
    open_->setEnabled(session_ != nullptr);
    showing_ = false;
}

void TImportWindow::ApplyKind(int kind) {
    const int part = CurrentPart();
    if (part < 0 || showing_) return;
    model_->SetKind(part, kind);
    ShowCurrentPart();
}

void TImportWindow::ApplyTuning(int index) {
    const int part = CurrentPart();
    if (part < 0 || showing_) return;
    const auto choices = TuningChoices(session_->Choice(part).Kind);
    if (index >= 0 && index < static_cast<int>(choices.size())) model_->SetTuning(part, choices[index].Keys);
}

void TImportWindow::ApplyGrid() {
    if (session_) session_->Grid = {triplets_->isChecked(), grid_->currentIndex() == 1};
}

void TImportWindow::Preview() {
    if (!session_) return;
    try {
        report_->setPlainText(QString::fromStdString(session_->Preview()));
    } catch (const std::exception& error) {
        ShowError(QString::fromUtf8(error.what()));
    }
}

void TImportWindow::OpenInFretloClicked() {
    if (!session_) return;
    const auto replace = [this](const QString& path) {
        return QMessageBox::question(this, ImporterTitle,
                                     QString("%1 already exists.\nDo you want to replace it?").arg(path),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    try {
        const TOpenResult result = OpenInFretlo(*session_, replace, fretlo_);
        if (result == TOpenResult::Kept) return;
        const QString path = QString::fromStdString(session_->SongPath());
        report_->setPlainText(QString::fromStdString(session_->Preview()) +
                              QString("\nSaved as %1 and %2.\n")
                                  .arg(path, result == TOpenResult::HandedOver ? "opened in the running Fretlo"
                                                                               : "opened in a new Fretlo"));
    } catch (const std::exception& error) {
        ShowError(QString::fromUtf8(error.what()));
    }
}

void TImportWindow::ShowError(const QString& message) { QMessageBox::warning(this, ImporterTitle, message); }

}  // namespace fretlo
