// fretlo-tool import-midi: the report on success; on bad input one line, status 1 and no file.
#include <gtest/gtest.h>

#include <filesystem>

#include "import/ImportFiles.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

class ToolImport : public ::testing::Test {
protected:
    TCommandRun Import(const TBytes& file, const std::string& options = "") const {
        WriteFileAtomically(dir_.File("in.mid"), file);
        return RunCommand(ShellQuote(FRETLO_TOOL_PATH) + " import-midi " + ShellQuote(dir_.File("in.mid")) +
                          " " + ShellQuote(Out()) + " " + options);
    }
    std::string Out() const { return dir_.File("out.frl"); }

    const TScratchDir dir_;
};

const TBytes TwoParts = CsvSong(96, "0, Tempo, 500000",
                                {"0, Title_t, \"Lead\"; 0, Note_on_c, 0, 64, 90; 36, Note_on_c, 0, 67, 90",
                                 "0, Note_on_c, 1, 40, 90; 48, Note_on_c, 1, 45, 90"});

const TBytes SixteenParts = PartsFile(std::vector<TTestPart>(16, {"", 0, -1, {60}}));

}  // namespace

TEST_F(ToolImport, WritesTheSongAndPrintsTheReport) {
    const TCommandRun run = Import(TwoParts);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out.rfind(
                  "Imported \"in\" from a MIDI file of format 1, 96 ticks per quarter note, with 2 parts.\n"
                  "Tracks made: 2\n  Track 1: part 1 \"Lead\", channel 1, 2 notes, E4 to G4\n",
                  0),
              0u)
        << run.Out;
    EXPECT_NE(run.Out.find("Notes placed: 4\n"), std::string::npos);
    TCustomTabDoc doc;
    doc.LoadFromFile(Out());
    EXPECT_EQ(doc.Track(0).SpaceCount(), 17);  // a triplet group: one space more than a bar
}

TEST_F(ToolImport, OptionsChooseThePartsTheirTuningAndTheGrid) {
    const TCommandRun run =
        Import(TwoParts, "--tracks 2,1 --tuning 2=D2,A2,D3,G3,B3,E4 --tuning=1=B1,E2,A2,D3,G3,B3,E4 "
                         "--no-triplets --grid 32");
    ASSERT_EQ(run.Status, 0) << run.Err;
    TCustomTabDoc doc;
    doc.LoadFromFile(Out());
    ASSERT_EQ(doc.TrackCount(), 2);
    EXPECT_EQ(doc.Track(0).StringCount, 7);
    EXPECT_EQ(doc.Track(1).StringBaseKey(0), 38);
    EXPECT_EQ(doc.Track(0).SpaceCount(), 17);  // 36 ticks: a pair of thirty-seconds
    EXPECT_EQ(Import(TwoParts, "--tracks 3").Status, 2);
    EXPECT_EQ(Import(TwoParts, "--tuning 1=E2,A2,Q3").Status, 2);
}

TEST_F(ToolImport, RefusesBadInputWithOneLine) {
    const TBytes truncated(TwoParts.begin(), TwoParts.end() - 3);
    for (const TBytes& file : {truncated, SixteenParts}) {
        const TCommandRun run = Import(file);
        EXPECT_EQ(run.Status, 1) << run.Err;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        EXPECT_FALSE(std::filesystem::exists(Out())) << run.Err;
    }
    EXPECT_EQ(Import(SixteenParts, "--tracks 1,16").Status, 0);
}
