// TPartsModel: the parts of a MIDI file as rows of a table, one column each for whether it
// becomes a track (a check box), its name, channel, instrument, note count, range, and the
// kind and tuning it becomes. The check box is edited here; kind and tuning through SetKind
// and SetTuning, which the window's controls for the current row call.
#pragma once

#include <QAbstractTableModel>

#include "importer/ImportSession.h"

namespace fretlo {

class TPartsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { colTrack, colName, colChannel, colInstrument, colNotes, colRange, colKind, colTuning, Columns };

    explicit TPartsModel(TImportSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void SetKind(int row, int kind);
    void SetTuning(int row, const TTuningKeys& tuning);

private:
    QString Text(int row, int column) const;
    void RowChanged(int row);

    TImportSession& session_;
};

}  // namespace fretlo
