// fretlo-tool as a real process. Its song commands give what the library gives for the saved
// song; the commands that need Qt or the MIDI backends are handed to fretlo-tool-media, which
// gets the whole command line and answers with the tool's exit statuses and messages, and a
// fretlo-tool without its helper still runs the song commands and says in one line what is
// missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "ParamName.h"
#include "ScratchDir.h"
#include "document/TrackProps.h"
#include "edit/EditFixture.h"
#include "edit/TrackEffects.h"
#include "export/ExportText.h"
#include "export/MidiReader.h"
#include "export/RunCommand.h"
#include "export/SongBuilder.h"
#include "platform/SafeFile.h"
#include "playback/ExportMidi.h"

namespace fretlo::test {
namespace {

constexpr const char* Tool = FRETLO_TOOL_PATH;
constexpr const char* Media = FRETLO_TOOL_MEDIA_PATH;

TCommandRun RunProgram(const std::string& program, const std::string& args) {
    return RunCommand(ShellQuote(program) + " " + args);
}

size_t LineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

class ToolExport : public ::testing::Test {
protected:
    void SetUp() override {
        auto doc = MakeSong(4, 16, 2);
        PutFret(*doc, 0, 0, 0, 3);
        PutNote(*doc, 0, 4, 0, NoteMuted);
        PutFret(*doc, 1, 20, 2, 12);
        SetProp(doc->Track(1).Space(16), pkTempo, 60);
        SetRepeat(*doc, 1, 2, 1);
        doc->SaveToFile(dir_.File("riff.frl"));
        song_.LoadFromFile(dir_.File("riff.frl"));
    }
    // `command` on a song file of the folder, then `args`.
    TCommandRun OnSong(const std::string& command, const std::string& args,
                       const char* file = "riff.frl") const {
        return RunProgram(Tool, command + " " + ShellQuote(dir_.File(file)) + " " + args);
    }

    const TScratchDir dir_;
    TCustomTabDoc song_;
};

TEST_F(ToolExport, ExportMidiWritesTheLibrarysFile) {
    const std::string out = dir_.File("riff.mid");
    ASSERT_EQ(OnSong("export-midi", ShellQuote(out)).Status, 0);
    EXPECT_EQ(ReadWholeFile(out), RenderMidiFile(song_, std::bitset<MaxTracks>().set(), {}));
    ASSERT_EQ(OnSong("export-midi", ShellQuote(out) + " --tracks 2 --no-muted --bank-selects").Status, 0);
    EXPECT_EQ(ReadWholeFile(out), RenderMidiFile(song_, std::bitset<MaxTracks>().set(1), {true, false}));
}

TEST_F(ToolExport, ExportTextToStandardOutputIsTitledAfterTheSong) {
    const TCommandRun run = OnSong("export-text", "- --line-width 40 --tracks 1");
    ASSERT_EQ(run.Status, 0) << run.Err;
    TTextExportOptions options;
    options.LineWidth = 40;
    EXPECT_EQ(run.Out, ExportText(song_, "riff.txt", options, std::bitset<MaxTracks>().set(0)));
    EXPECT_EQ(run.Out.substr(0, 10), "riff.txt\r\n");
}

TEST_F(ToolExport, ExportTextToAFile) {
    const std::string out = dir_.File("riff.tab");
    ASSERT_EQ(
        OnSong("export-text", ShellQuote(out) + " --page-breaks --lines-per-page 50 --no-bar-break").Status,
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
    const TCommandRun run = OnSong("export-text", std::string("- ") + GetParam().first);
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
    const TCommandRun run = OnSong("time-at", "--track 2 --space 48");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "00:18.000\n");
    EXPECT_EQ(OnSong("time-at", "--track 3 --space 0").Status, 2);
    EXPECT_EQ(OnSong("time-at", "--track 1 --space 64").Status, 2);
    EXPECT_EQ(OnSong("time-at", "--track 1 --space 0", "gone.frl").Status, 1);
}

// Texts of older files are Windows-1252: info and the text export show their characters as
// the window does, in UTF-8, and a UTF-8 text as it is.
TEST_F(ToolExport, InfoAndTextExportShowTheSongTextsCharacters) {
    for (const auto& [stored, shown] : {std::pair{"Caf\xE9 \x93"
                                                  "5\x94",
                                                  "Café “5”"},
                                        std::pair{"Café", "Café"}}) {
        song_.Title = stored;
        song_.Comments = std::string("d\xE9j\xE0");
        song_.SaveToFile(dir_.File("texts.frl"));
        const TCommandRun info = OnSong("info", "", "texts.frl");
        ASSERT_EQ(info.Status, 0) << info.Err;
        EXPECT_NE(info.Out.find(std::string("Title:       ") + shown + "\n"), std::string::npos) << info.Out;
        EXPECT_NE(info.Out.find("Comments:    déjà\n"), std::string::npos) << info.Out;
        const TCommandRun text = OnSong("export-text", "-", "texts.frl");
        ASSERT_EQ(text.Status, 0) << text.Err;
        EXPECT_EQ(text.Out.substr(0, text.Out.find('\r')), shown);
    }
}

// A tempo change placed as the track effects dialog places it slows the song exactly where it
// stands, in what the player sends (`trace`) and in the exported MIDI file.
TEST(ToolTempoChange, SlowsTheTraceAndTheExportedFileFromItsBar) {
    TEditSong song{16, {6}, 4};  // four bars of 4/4 at 120
    song.host.cursor = {0, 32, 0};
    TTrackEffectChoice choice;
    choice[pkTempo] = 60;
    ASSERT_TRUE(ApplyTrackEffects(song.doc, choice));
    const TScratchDir dir;
    const std::string songFile = ShellQuote(dir.File("song.frl"));
    song.doc.SaveToFile(dir.File("song.frl"));

    // The metronome's clicks are note-ons on channel 10; ticks of 8 ms make a beat 62.5 of them
    // at 120, 125 at 60 from bar 3 on.
    const TCommandRun trace = RunProgram(Tool, "trace " + songFile + " --metronome");
    ASSERT_EQ(trace.Status, 0) << trace.Err;
    std::vector<int> clicks;
    std::istringstream lines(trace.Out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        int tick = 0;
        std::string status;
        if (fields >> tick >> status && status == "99") clicks.push_back(tick);
    }
    EXPECT_EQ(clicks, (std::vector<int>{0, 63, 125, 188, 250, 313, 375, 438, 500, 625, 750, 875, 1000, 1125,
                                        1250, 1375}));

    ASSERT_EQ(RunProgram(Tool, "export-midi " + songFile + " " + ShellQuote(dir.File("song.mid"))).Status, 0);
    std::vector<std::pair<uint32_t, std::vector<uint8_t>>> tempos;
    for (const TMidiChunk& chunk : ReadMidi(ReadWholeFile(dir.File("song.mid"))).Tracks)
        for (const TMidiEvent& e : chunk.Events)
            if (e.IsMeta(0x51)) tempos.emplace_back(e.Tick, e.Bytes);
    // 500000 and 1000000 microseconds a beat; bar 3 starts after 8 beats of 192 ticks.
    EXPECT_EQ(tempos, (std::vector<std::pair<uint32_t, std::vector<uint8_t>>>{
                          {0, {0xFF, 0x51, 0x07, 0xA1, 0x20}}, {1536, {0xFF, 0x51, 0x0F, 0x42, 0x40}}}));
}

struct TExitCase {
    const char* Program;
    const char* Args;
    int Status;
    const char* Err;  // the start of the one line on standard error
};

void PrintTo(const TExitCase& c, std::ostream* out) {
    *out << std::filesystem::path(c.Program).filename().string() << " " << c.Args;
}

class ToolExit : public ::testing::TestWithParam<TExitCase> {};

TEST_P(ToolExit, StatusAndOneLineOfMessage) {
    const TCommandRun run = RunProgram(GetParam().Program, GetParam().Args);
    EXPECT_EQ(run.Status, GetParam().Status) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err.rfind(GetParam().Err, 0), 0u) << run.Err;
    EXPECT_EQ(LineCount(run.Err), 1u) << run.Err;
}

INSTANTIATE_TEST_SUITE_P(
    BothPrograms, ToolExit,
    ::testing::Values(
        TExitCase{Tool, "info", 2, "fretlo-tool info: missing FILE (usage: fretlo-tool info FILE)"},
        TExitCase{Tool, "trace /nonexistent/gone.frl", 1, "Cannot open \"/nonexistent/gone.frl\""},
        TExitCase{Tool, "bogus", 2, "fretlo-tool: unknown command 'bogus' (see fretlo-tool --help)"},
        TExitCase{Tool, "render", 2,
                  "fretlo-tool render: missing FILE (usage: fretlo-tool render FILE OUT.wav"},
        TExitCase{Tool, "play /nonexistent/gone.frl --from-bar 0", 2, "fretlo-tool play: --from-bar must be"},
        TExitCase{Tool, "render /nonexistent/gone.frl gone.wav", 1, "Cannot open \"/nonexistent/gone.frl\""},
        TExitCase{Tool, "devices extra", 2, "fretlo-tool devices: unexpected argument extra"},
        TExitCase{Media, "", 2, "fretlo-tool-media: no command given (see fretlo-tool-media --help)"},
        TExitCase{Media, "info song.frl", 2, "fretlo-tool-media: unknown command 'info'"},
        TExitCase{Media, "render", 2, "fretlo-tool render: missing FILE"}),
    PrintedName());

TEST(ToolHelper, HelpListsEveryCommandOfTheHelper) {
    const std::string all = RunProgram(Tool, "--help").Out;
    std::istringstream media(RunProgram(Media, "--help").Out);
    int commands = 0;
    for (std::string line; std::getline(media, line);)
        if (line.rfind("  ", 0) == 0) {
            EXPECT_NE(all.find(line + "\n"), std::string::npos) << line;
            ++commands;
        }
    EXPECT_GE(commands, 6);  // devices, play and render: a usage line and a summary each
    EXPECT_NE(all.find("\n  info "), std::string::npos);
}

TEST(ToolHelper, WithoutTheHelperSongCommandsRunAndTheOthersSaySo) {
    const TScratchDir dir;
    const std::string lone = dir.File("fretlo-tool"), song = dir.File("song.frl");
    std::filesystem::copy_file(Tool, lone);
    MakeSong(2)->SaveToFile(song);
    EXPECT_EQ(RunProgram(lone, "info " + ShellQuote(song)).Status, 0);
    const TCommandRun run = RunProgram(lone, "play " + ShellQuote(song));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err.rfind("fretlo-tool play: needs the helper program fretlo-tool-media", 0), 0u)
        << run.Err;
    EXPECT_NE(run.Err.find(dir.Path().string()), std::string::npos) << run.Err;
    EXPECT_EQ(LineCount(run.Err), 1u) << run.Err;
}

#ifdef FRETLO_TOOL_WIDGETS
// The picture is drawn by the helper at the size asked for on fretlo-tool's command line.
TEST(ToolHelper, ImageThroughTheTool) {
    const TScratchDir dir;
    const std::string song = dir.File("song.frl"), out = dir.File("song.png");
    MakeSong(4, 16, 2)->SaveToFile(song);
    const TCommandRun run =
        RunProgram(Tool, "image " + ShellQuote(song) + " " + ShellQuote(out) + " --width 640 --height 200");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::vector<uint8_t> png = ReadWholeFile(out);
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    const auto be32 = [&png](size_t at) {
        return png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    };
    EXPECT_EQ(be32(16), 640);  // the header chunk's width and height
    EXPECT_EQ(be32(20), 200);
}

INSTANTIATE_TEST_SUITE_P(
    Print, ToolExit,
    ::testing::Values(
        TExitCase{Tool, "print", 2, "fretlo-tool print: missing FILE (usage: fretlo-tool print"},
        TExitCase{Tool, "print a.frl b.pdf --paper B5", 2, "fretlo-tool print: --paper must be"},
        TExitCase{Tool, "print a.frl b.pdf --margins 1,2,3", 2, "fretlo-tool print: --margins must"},
        TExitCase{Tool, "print a.frl b.pdf --margins 5000,0,5000,0", 2,
                  "fretlo-tool print: --margins leave no room"},
        TExitCase{Tool, "print /nonexistent/gone.frl gone.pdf", 1, "Cannot open"}),
    PrintedName());

// The pages are written aside and renamed; each ends with its number, the first has the title.
TEST(ToolHelper, PrintThroughTheToolNumbersEveryPage) {
    if (RunCommand("command -v pdftotext").Status != 0) GTEST_SKIP() << "pdftotext is not installed";
    const TScratchDir dir;
    const std::string song = dir.File("song.frl"), out = dir.File("song.pdf");
    const auto doc = MakeSong(120, 16, 2);
    doc->Title = "Printed Song";
    doc->Artist = "The Testers";
    PutFret(*doc, 1, 120 * 16 - 1, 0, 7);
    doc->SaveToFile(song);
    const TCommandRun run =
        RunProgram(Tool, "print " + ShellQuote(song) + " " + ShellQuote(out) + " --paper Letter");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const TCommandRun text = RunCommand("pdftotext -layout " + ShellQuote(out) + " -");
    ASSERT_EQ(text.Status, 0) << text.Err;
    std::vector<std::string> pages;
    std::istringstream in(text.Out);
    for (std::string page; std::getline(in, page, '\f');) pages.push_back(page);
    ASSERT_GE(pages.size(), 3u);
    EXPECT_NE(pages[0].find("Printed Song"), std::string::npos);
    EXPECT_NE(pages[0].find("The Testers"), std::string::npos);
    for (size_t i = 0; i < pages.size(); ++i) {
        std::istringstream words(pages[i]);
        std::string word, last;
        while (words >> word) last = word;
        EXPECT_EQ(last, std::to_string(i + 1)) << "page " << i + 1;
    }
    EXPECT_EQ(dir.EntryCount(), 2u) << "a file left aside";
}
#endif

}  // namespace
}  // namespace fretlo::test
