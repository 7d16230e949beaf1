// A tempo change placed as the track effects dialog places it slows the song exactly where it
// stands, in what the player sends (`fretlo-tool trace`) and in the exported MIDI file.
#include <gtest/gtest.h>

#include <sstream>

#include "ScratchDir.h"
#include "edit/EditFixture.h"
#include "edit/TrackEffects.h"
#include "export/MidiReader.h"
#include "export/RunCommand.h"
#include "platform/SafeFile.h"

namespace fretlo::test {
namespace {

std::string Tool(const std::string& args) {
    const TCommandRun run = RunCommand(ShellQuote(FRETLO_TOOL_PATH) + " " + args);
    EXPECT_EQ(run.Status, 0) << run.Err;
    return run.Out;
}

// The ticks of the metronome's clicks, note-ons on channel 10, in a trace.
std::vector<int> ClickTicks(const std::string& trace) {
    std::vector<int> ticks;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        int tick = 0;
        std::string status;
        if (fields >> tick >> status && status == "99") ticks.push_back(tick);
    }
    return ticks;
}

TEST(TempoChange, SlowsTheTraceAndTheExportedFileFromItsBar) {
    TEditSong song{16, {6}, 4};  // four bars of 4/4 at 120
    song.host.cursor = {0, 32, 0};
    TTrackEffectChoice choice;
    choice[pkTempo] = 60;
    ASSERT_TRUE(ApplyTrackEffects(song.doc, choice));
    const TScratchDir dir;
    song.doc.SaveToFile(dir.File("song.frl"));

    // Ticks of 8 ms: a beat is 62.5 of them at 120, 125 at 60 from bar 3 on.
    const std::string songFile = ShellQuote(dir.File("song.frl"));
    EXPECT_EQ(
        ClickTicks(Tool("trace " + songFile + " --metronome")),
        (std::vector<int>{0, 63, 125, 188, 250, 313, 375, 438, 500, 625, 750, 875, 1000, 1125, 1250, 1375}));

    Tool("export-midi " + songFile + " " + ShellQuote(dir.File("song.mid")));
    const TMidiFile file = ReadMidi(ReadWholeFile(dir.File("song.mid")));
    std::vector<std::pair<uint32_t, std::vector<uint8_t>>> tempos;
    for (const TMidiChunk& chunk : file.Tracks)
        for (const TMidiEvent& e : chunk.Events)
            if (e.IsMeta(0x51)) tempos.emplace_back(e.Tick, e.Bytes);
    // 500000 and 1000000 microseconds a beat; bar 3 starts after 8 beats of 192 ticks.
    EXPECT_EQ(tempos, (std::vector<std::pair<uint32_t, std::vector<uint8_t>>>{
                          {0, {0xFF, 0x51, 0x07, 0xA1, 0x20}}, {1536, {0xFF, 0x51, 0x0F, 0x42, 0x40}}}));
}

}  // namespace
}  // namespace fretlo::test
