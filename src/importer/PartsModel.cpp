#include "importer/PartsModel.h"

#include "playback/MidiNames.h"

namespace fretlo {

namespace {

const char* const Headers[TPartsModel::Columns] = {"Becomes a track", "Part", "Channel", "Instrument",
                                                   "Notes", "Range", "Kind", "Tuning"};

QString FromStd(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The part's first program, as the player would sound it on the part's channel.
QString InstrumentOf(const TMidiPart& part) {
    const int program = part.FirstProgram();
    if (program < 0) return part.IsDrums() ? "Standard kit" : "(none)";
    if (!part.IsDrums()) return FromStd(GmInstrumentNames[program]);
    const std::string_view kit = DrumKitNames[program];
    return kit.empty() ? QString("drum kit %1").arg(program) : FromStd(kit) + " kit";
}

}  // namespace

TPartsModel::TPartsModel(TImportSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

int TPartsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : session_.PartCount();
}

int TPartsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Columns; }

QString TPartsModel::Text(int row, int column) const {
    const TMidiPart& part = session_.Song().Parts[row];
    const TPartChoice& choice = session_.Choice(row);
    switch (column) {
    case colName: return part.Name.empty() ? QString("(no name)") : QString::fromStdString(part.Name);
    case colChannel: return QString::number(part.Channel + 1);
    case colInstrument: return InstrumentOf(part);
    case colNotes: return QString::number(part.Notes.size());
    case colRange: return QString::fromStdString(KeyRange(part));
    case colKind: return FromStd(TrackKinds()[choice.Kind].Caption);
    case colTuning: return QString::fromStdString(TuningText(choice.Kind, choice.Tuning));
    default: return {};
    }
}

QVariant TPartsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (index.column() == colTrack && role == Qt::CheckStateRole)
        return session_.Choice(index.row()).Import ? Qt::Checked : Qt::Unchecked;
    if (index.column() == colTrack && role == Qt::DisplayRole) return QString::number(index.row() + 1);
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return Text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && (index.column() == colChannel || index.column() == colNotes))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TPartsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= Columns) return {};
    return QString(Headers[section]);
}

Qt::ItemFlags TPartsModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return index.column() == colTrack ? base | Qt::ItemIsUserCheckable : base;
}

bool TPartsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != colTrack || role != Qt::CheckStateRole) return false;
    session_.SetImported(index.row(), value.toInt() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

void TPartsModel::SetKind(int row, int kind) {
    session_.SetKind(row, kind);
    RowChanged(row);
}

void TPartsModel::SetTuning(int row, const TTuningKeys& tuning) {
    session_.SetTuning(row, tuning);
    RowChanged(row);
}

void TPartsModel::RowChanged(int row) { emit dataChanged(index(row, colKind), index(row, colTuning)); }

}  // namespace fretlo
