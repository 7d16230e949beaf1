// The export and time-at commands of fretlo-tool give what the library gives for the saved song.
#include <gtest/gtest.h>

#include "ParamName.h"
#include "document/TrackProps.h"
#include "export/ExportText.h"
#include "export/RunCommand.h"
#include "ScratchDir.h"
#include "export/SongBuilder.h"
#include "platform/SafeFile.h"
#include "playback/ExportMidi.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

class ToolExport : public ::testing::Test {
protected:
    void SetUp() override {
        auto doc = MakeSong(4, 16, 2);
        PutFret(*doc, 0, 0, 0, 3);
        PutNote(*doc, 0, 4, 0, NoteMuted);
        PutFret(*doc, 1, 20, 2, 12);
        SetProp(doc->Track(1).Space(16), pkTempo, 60);
        SetRepeat(*doc, 1, 2, 1);
        doc->SaveToFile(Path("riff.frl"));
        song_.LoadFromFile(Path("riff.frl"));
    }
    std::string Path(const std::string& name) const { return dir_.File(name); }
    TCommandRun Tool(const std::string& args) const {
        return RunCommand(ShellQuote(FRETLO_TOOL_PATH) + " " + args);
    }

    const TScratchDir dir_;
    TCustomTabDoc song_;
};

}  // namespace

TEST_F(ToolExport, ExportMidiWritesTheLibrarysFile) {
    const std::string out = Path("riff.mid");
    ASSERT_EQ(Tool("export-midi " + ShellQuote(Path("riff.frl")) + " " + ShellQuote(out)).Status, 0);
    EXPECT_EQ(ReadWholeFile(out), RenderMidiFile(song_, std::bitset<MaxTracks>().set(), {}));
    ASSERT_EQ(Tool("export-midi " + ShellQuote(Path("riff.frl")) + " " + ShellQuote(out) +
                   " --tracks 2 --no-muted --bank-selects")
                  .Status,
              0);
    EXPECT_EQ(ReadWholeFile(out), RenderMidiFile(song_, std::bitset<MaxTracks>().set(1), {true, false}));
}

TEST_F(ToolExport, ExportTextToStandardOutputIsTitledAfterTheSong) {
    const TCommandRun run =
        Tool("export-text " + ShellQuote(Path("riff.frl")) + " - --line-width 40 --tracks 1");
    ASSERT_EQ(run.Status, 0) << run.Err;
    TTextExportOptions options;
    options.LineWidth = 40;
    EXPECT_EQ(run.Out, ExportText(song_, "riff.txt", options, std::bitset<MaxTracks>().set(0)));
    EXPECT_EQ(run.Out.substr(0, 10), "riff.txt\r\n");
}

TEST_F(ToolExport, ExportTextToAFile) {
    const std::string out = Path("riff.tab");
    ASSERT_EQ(Tool("export-text " + ShellQuote(Path("riff.frl")) + " " + ShellQuote(out) +
                   " --page-breaks --lines-per-page 50 --no-bar-break")
                  .Status,
              0);
    TTextExportOptions options;
    options.PageBreaks = true;
    options.LinesPerPage = 50;
    options.BreakAtBar = false;
    const std::string text = ExportText(song_, out, options, std::bitset<MaxTracks>().set());
    EXPECT_EQ(ReadWholeFile(out), std::vector<uint8_t>(text.begin(), text.end()));
}

class ToolExportRefusal : public ToolExport,
                          public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(ToolExportRefusal, ExitsTwoWithTheDialogsMessage) {
    const TCommandRun run = Tool("export-text " + ShellQuote(Path("riff.frl")) + " - " + GetParam().first);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find(GetParam().second), std::string::npos) << run.Err;
}

INSTANTIATE_TEST_SUITE_P(
    Options, ToolExportRefusal,
    ::testing::Values(std::pair{"--line-width 29", "Line Width must be between 30 and 160."},
                      std::pair{"--line-width 16x", "Line Width must be between 30 and 160."},
                      std::pair{"--line-width 161 --tracks 9", "Line Width must be between 30"},
                      std::pair{"--page-breaks --lines-per-page 101", "Lines must be between 50 and 100."},
                      std::pair{"--tracks=", "At least one track must be checked."},
                      std::pair{"--tracks 3", "is not a track of this song"}),
    [](const auto& info) { return TestName(info.param.first); });

TEST_F(ToolExport, TimeAtPrintsTheTimeText) {
    // Bar 0 at tempo 120, bars 1-2 twice at tempo 60: 2 s + 16 s.
    const TCommandRun run = Tool("time-at " + ShellQuote(Path("riff.frl")) + " --track 2 --space 48");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "00:18.000\n");
    EXPECT_EQ(Tool("time-at " + ShellQuote(Path("riff.frl")) + " --track 3 --space 0").Status, 2);
    EXPECT_EQ(Tool("time-at " + ShellQuote(Path("riff.frl")) + " --track 1 --space 64").Status, 2);
    EXPECT_EQ(Tool("time-at " + ShellQuote(Path("gone.frl")) + " --track 1 --space 0").Status, 1);
}

// Texts of older files are Windows-1252: info and the text export show their characters as
// the window does, in UTF-8, and a UTF-8 text as it is.
TEST_F(ToolExport, InfoAndTextExportShowTheSongTextsCharacters) {
    for (const auto& [stored, shown] : {std::pair{"Caf\xE9 \x93" "5\x94", "Café “5”"}, std::pair{"Café", "Café"}}) {
        song_.Title = stored;
        song_.Comments = std::string("d\xE9j\xE0");
        song_.SaveToFile(Path("texts.frl"));
        const TCommandRun info = Tool("info " + ShellQuote(Path("texts.frl")));
        ASSERT_EQ(info.Status, 0) << info.Err;
        EXPECT_NE(info.Out.find(std::string("Title:       ") + shown + "\n"), std::string::npos) << info.Out;
        EXPECT_NE(info.Out.find("Comments:    déjà\n"), std::string::npos) << info.Out;
        const TCommandRun text = Tool("export-text " + ShellQuote(Path("texts.frl")) + " -");
        ASSERT_EQ(text.Status, 0) << text.Err;
        EXPECT_EQ(text.Out.substr(0, text.Out.find('\r')), shown);
    }
}
