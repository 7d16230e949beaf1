// The parts table and the options the user's choices in it make.
#include <gtest/gtest.h>

#include "import/ImportFiles.h"
#include "importer/PartsModel.h"
#include "importer/TuningChoices.h"

namespace fretlo::test {
namespace {

class PartsTable : public testing::Test {
protected:
    TScratchDir dir_;
    std::string midi_ = dir_.File("Song.mid");

    TImportSession Session(const std::vector<TTestPart>& parts) {
        WriteFileAtomically(midi_, PartsFile(parts));
        return TImportSession(midi_);
    }
    TImportSession ThreeParts() {
        return Session(
            {{"Lead", 0, 29, {52, 64, 76}}, {"", 1, 33, {28, 33, 40}}, {"Kit", 9, -1, {36, 38, 42}}});
    }
    static QString Cell(const TPartsModel& model, int row, int column) {
        return model.data(model.index(row, column), Qt::DisplayRole).toString();
    }
};

TEST_F(PartsTable, RowsShowEachPartAndTheSuggestedTrack) {
    TImportSession session = ThreeParts();
    TPartsModel model(session);
    ASSERT_EQ(model.rowCount(), 3);
    const QStringList expected[] = {
        {"Lead", "1", "Overdriven Guitar", "3", "E3 to E5", "6 - Guitar", "E2 A2 D3 G3 B3 E4"},
        {"(no name)", "2", "Electric Bass (finger)", "3", "E1 to E2", "4 - Bass", "E1 A1 D2 G2"},
        {"Kit", "10", "Standard kit", "3", "keys 36 to 42", "6 - Drums", "35 38 42 46 37 49"},
    };
    for (int row = 0; row < 3; ++row) {
        QStringList cells;
        for (int c = TPartsModel::colName; c < TPartsModel::Columns; ++c) cells << Cell(model, row, c);
        EXPECT_EQ(cells, expected[row]) << row;
        EXPECT_EQ(model.data(model.index(row, TPartsModel::colTrack), Qt::CheckStateRole), Qt::Checked);
    }
    EXPECT_TRUE(model.flags(model.index(0, TPartsModel::colTrack)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, TPartsModel::colKind)) & Qt::ItemIsUserCheckable);
}

TEST_F(PartsTable, ChoicesBecomeTheImportOptionsAndTheSong) {
    TImportSession session = ThreeParts();
    TPartsModel model(session);
    ASSERT_TRUE(model.setData(model.index(1, TPartsModel::colTrack), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(model.setData(model.index(0, TPartsModel::colKind), 1, Qt::EditRole));
    model.SetKind(0, tkGuitar7);
    EXPECT_EQ(Cell(model, 0, TPartsModel::colTuning), "B1 E2 A2 D3 G3 B3 E4");  // the kind's tuning
    const auto dropD = TuningChoices(tkGuitar6);
    model.SetKind(2, tkGuitar6);
    model.SetTuning(2, dropD[FindTuning(dropD, {38, 45, 50, 55, 59, 64})].Keys);
    EXPECT_EQ(Cell(model, 2, TPartsModel::colTuning), "D2 A2 D3 G3 B3 E4");

    const TImportOptions options = session.Options();
    ASSERT_EQ(options.Parts.size(), 3u);
    EXPECT_FALSE(options.Parts[1].Import);
    EXPECT_EQ(options.Parts[0].Kind, tkGuitar7);
    EXPECT_EQ(options.Parts[2].Tuning, (TTuningKeys{38, 45, 50, 55, 59, 64, 0}));

    TCustomTabDoc doc;
    EXPECT_EQ(session.Import(doc).LeftOut, std::vector<int>{1});
    EXPECT_EQ(doc.Track(1).StringBaseKey(0), 38);
    EXPECT_NE(session.Preview().find("Parts left out: 1"), std::string::npos);
}

TEST_F(PartsTable, OnlyFifteenPartsStartChecked) {
    std::vector<TTestPart> parts;
    for (int i = 0; i < 16; ++i) parts.push_back({"P" + std::to_string(i), i % 9, -1, {60}});
    TImportSession session = Session(parts);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(session.Choice(i).Import, i < 15) << i;
    EXPECT_NO_THROW(session.Preview());
}

}  // namespace
}  // namespace fretlo::test
