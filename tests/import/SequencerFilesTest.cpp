// Files as sequencers write them, made by csvmidi (with running status): the notes land where
// they sound.
#include <gtest/gtest.h>

#include "import/ImportFiles.h"
#include "import/ImportMidi.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

struct TFileCase {
    const char* Name;
    TBytes File;
    const char* Notes;  // "time:key" of every track, tracks parted by "|"
    int Tempo;
};

void PrintTo(const TFileCase& row, std::ostream* os) { *os << row.Name; }

class SequencerFile : public ::testing::TestWithParam<TFileCase> {};

std::string NotesText(TCustomTabDoc& doc) {
    std::string text;
    for (int t = 0; t < doc.TrackCount(); ++t) {
        if (t) text += " |";
        for (const auto& [time, key] : TrackNotes(doc, t))
            text += " " + std::to_string(time) + ":" + std::to_string(key);
    }
    return text;
}

// Format 0: one track holds every channel, with running status within each.
const char* FormatZero =
    "0, 0, Header, 0, 1, 96\n"
    "1, 0, Start_track\n1, 0, Tempo, 750000\n1, 0, Title_t, \"Both hands\"\n"
    "1, 0, Note_on_c, 0, 64, 90\n1, 0, Note_on_c, 1, 40, 90\n1, 24, Note_on_c, 0, 64, 0\n"
    "1, 24, Note_on_c, 0, 67, 90\n1, 48, Note_on_c, 0, 67, 0\n1, 48, Note_on_c, 1, 40, 0\n"
    "1, 48, End_track\n0, 0, End_of_file\n";

}  // namespace

TEST_P(SequencerFile, PlacesTheNotes) {
    TCustomTabDoc doc;
    ImportMidi(ReadMidiSong(GetParam().File), "song", {}, doc);
    EXPECT_EQ(NotesText(doc), GetParam().Notes);
    EXPECT_EQ(doc.Tempo, GetParam().Tempo);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SequencerFile,
    ::testing::Values(
        TFileCase{"FormatZeroRunningStatus", CsvMidi(FormatZero), " 0:64 256:67 | 0:40", 80},
        TFileCase{"TempoTrackDivision960",
                  CsvSong(960, "0, Tempo, 461538",
                          {"0, Note_on_c, 0, 52, 80; 240, Note_on_c, 0, 55, 80; 480, Note_on_c, 0, 59, 80"}),
                  " 0:52 256:55 512:59", 130},
        TFileCase{
            "VelocityZeroEndsANote",
            CsvSong(96, "", {"0, Note_on_c, 0, 60, 80; 24, Note_on_c, 0, 60, 0; 48, Note_on_c, 0, 60, 80"}),
            " 0:60 512:60", 120},
        TFileCase{"OverlappingNotesOfOneKey",
                  CsvSong(96, "",
                          {"0, Note_on_c, 0, 60, 80; 24, Note_on_c, 0, 60, 80; 48, Note_off_c, 0, 60, 0; "
                           "72, Note_off_c, 0, 60, 0"}),
                  " 0:60 256:60", 120},
        TFileCase{"TripletsAgainstSixteenths",
                  CsvSong(96, "",
                          {"0, Note_on_c, 0, 64, 80; 32, Note_on_c, 0, 65, 80; 64, Note_on_c, 0, 67, 80; "
                           "96, Note_on_c, 0, 69, 80; 120, Note_on_c, 0, 71, 80"}),
                  " 0:64 341:65 682:67 1024:69 1280:71", 120}),
    [](const auto& info) { return info.param.Name; });
