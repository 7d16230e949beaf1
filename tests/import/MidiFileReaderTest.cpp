// The reader takes files as writers make them and refuses damaged ones with one clear line;
// files as sequencers write them, made by csvmidi (with running status), are read whole.
#include <gtest/gtest.h>

#include "ParamName.h"
#include "base/Errors.h"
#include "import/ImportFiles.h"
#include "import/ImportMidi.h"
#include "import/MidiSong.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

const TBytes EndOfTrack = {0x00, 0xFF, 0x2F, 0x00};

TBytes Join(std::initializer_list<TBytes> parts) {
    TBytes out;
    for (const TBytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct TDamage {
    const char* Name;
    TBytes File;
    const char* Message;
};

[[maybe_unused]] void PrintTo(const TDamage& row, std::ostream* os) { *os << row.Name; }

class ReaderRefuses : public ::testing::TestWithParam<TDamage> {};

TBytes WithLength(TBytes file, size_t at, uint8_t value) {
    file[at] = value;
    return file;
}

const TBytes Good = Smf(1, 96, {Join({{0x00, 0x90, 60, 100}, EndOfTrack})});

}  // namespace

TEST_P(ReaderRefuses, WithItsMessage) {
    try {
        ReadMidiSong(GetParam().File);
        FAIL() << "read without complaint";
    } catch (const EFretloError& e) {
        EXPECT_STREQ(e.what(), GetParam().Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReaderRefuses,
    ::testing::Values(
        TDamage{"Empty", {}, "The file is empty; it is not a MIDI file."},
        TDamage{"NotMidi",
                {'R', 'I', 'F', 'F', 0, 0, 0, 0},
                "The file is not a Standard MIDI File: it does not begin with \"MThd\"."},
        TDamage{"ShortHeader", TBytes(Good.begin(), Good.begin() + 12),
                "The MIDI file is truncated: its header chunk is cut short."},
        TDamage{"Smpte", Smf(1, 0xE728, {EndOfTrack}),
                "The MIDI file counts time in SMPTE frames; only files timed in ticks per quarter note can "
                "be imported."},
        TDamage{"Format2", Smf(2, 96, {EndOfTrack}),
                "The MIDI file is of format 2 (independent patterns); only formats 0 and 1 can be imported."},
        TDamage{"ZeroDivision", Smf(0, 0, {EndOfTrack}),
                "The MIDI file is damaged: its division is 0 ticks per quarter note."},
        TDamage{"MissingTrack", WithLength(Good, 11, 2),
                "The MIDI file is truncated: it ends before track 2 of 2."},
        TDamage{"LengthPastEnd", WithLength(Good, 21, 9),
                "The MIDI file is truncated: the chunk at byte 14 claims 9 bytes, but only 8 remain."},
        TDamage{"EventPastTrackEnd", Smf(1, 96, {{0x00, 0xFF, 0x03, 0x05, 'a'}}),
                "The MIDI file is damaged: track 1 has an event of 5 bytes at byte 26 that runs past the "
                "track's end."},
        TDamage{"CutEvent", Smf(1, 96, {{0x00, 0x90, 60}}),
                "The MIDI file is damaged: track 1 ends inside an event."},
        TDamage{"NoStatus", Smf(1, 96, {{0x00, 60, 100}}),
                "The MIDI file is damaged: track 1 has a data byte without a status byte at byte 23."},
        TDamage{"UnknownKind", Smf(1, 96, {{0x00, 0xF4}}),
                "The MIDI file is damaged: track 1 has an event of unknown kind 0xF4 at byte 23."},
        TDamage{"LongDelta", Smf(1, 96, {{0x81, 0x81, 0x81, 0x81, 0x01}}),
                "The MIDI file is damaged: track 1 has a number longer than four bytes at byte 22."},
        TDamage{"HighDataByte", Smf(1, 96, {{0x00, 0x90, 0xC0, 100}}),
                "The MIDI file is damaged: track 1 has a data byte of 192 at byte 24."}),
    PrintedName());

// Running status through a meta event, a note-on of velocity 0 as note-off, system-exclusive
// messages of both forms, an unknown chunk, a longer header and bytes after the track's end.
TEST(Reader, TakesWhatWritersWrite) {
    TBytes file = Smf(0, 480,
                      {Join({{0x00, 0xFF, 0x03, 0x03, 'R', 'i', 'f'},
                             {0x00, 0xF0, 0x03, 0x7E, 0x09, 0xF7, 0x00, 0xF7, 0x01, 0x00},
                             {0x00, 0x91, 40, 90, 0x60, 40, 0, 0x00, 0xFF, 0x01, 0x01, 'x', 0x00, 47, 80},
                             {0x00, 0x99, 36, 100, 0x00, 0xC1, 30},
                             EndOfTrack,
                             {0x00, 0x90, 1, 1}})});
    file[7] = 8;  // a header of 8 bytes: two unknown ones follow the division
    file.insert(file.begin() + 14, {0, 0});
    const TBytes alien = {'X', 'F', 'I', 'H', 0, 0, 0, 2, 1, 2};
    file.insert(file.begin() + 16, alien.begin(), alien.end());
    const TMidiSong song = ReadMidiSong(file);
    EXPECT_EQ(song.Division, 480);
    ASSERT_EQ(song.Parts.size(), 2u);
    const TMidiPart& guitar = song.Parts[0];
    EXPECT_EQ(guitar.Channel, 1);
    EXPECT_EQ(guitar.Name, "Rif");
    EXPECT_EQ(guitar.FirstProgram(), 30);
    ASSERT_EQ(guitar.Notes.size(), 2u);
    EXPECT_EQ(guitar.Notes[1].Tick, 96);
    EXPECT_EQ(guitar.Notes[1].Key, 47);
    EXPECT_TRUE(song.Parts[1].IsDrums());
}

// Whatever is cut off, reading ends in a message or a song, never worse.
TEST(Reader, EveryTruncationIsReadOrRefused) {
    const TBytes file =
        CsvSong(96, "0, Tempo, 400000; 0, Time_signature, 3, 2, 24, 8",
                {"0, Note_on_c, 0, 40, 90; 48, Note_on_c, 0, 40, 0; 48, Note_on_c, 0, 44, 90"});
    for (size_t n = 0; n < file.size(); ++n) {
        try {
            ReadMidiSong(TBytes(file.begin(), file.begin() + static_cast<long>(n)));
        } catch (const EFretloError&) {}
    }
    EXPECT_EQ(ReadMidiSong(file).Meters.size(), 1u);
}

// A second note-on of a sounding key, as sequencers write overlapping notes, starts a note of
// its own.
TEST(Reader, OverlappingNotesOfOneKeyLandWhereTheySound) {
    const TBytes file = CsvSong(96, "", {"0, Note_on_c, 0, 60, 80; 24, Note_on_c, 0, 60, 80; "
                                         "48, Note_off_c, 0, 60, 0; 72, Note_off_c, 0, 60, 0"});
    TCustomTabDoc doc;
    ImportMidi(ReadMidiSong(file), "song", {}, doc);
    EXPECT_EQ(TrackNotes(doc, 0), (std::vector<std::pair<int32_t, int>>{{0, 60}, {256, 60}}));
}
