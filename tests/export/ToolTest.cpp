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
#include "export/ExportText.h"
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

// Four bars on two tracks: bar 0 at tempo 120, then bars 1-2 twice at tempo 60.
class ToolSong : public ::testing::Test {
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
    // `program` with `args`, in which SONG stands for the song file.
    TCommandRun Run(std::string args, const std::string& program = Tool) const {
        for (size_t at; (at = args.find("SONG")) != std::string::npos;)
            args.replace(at, 4, ShellQuote(dir_.File("riff.frl")));
        return RunProgram(program, args);
    }

    const TScratchDir dir_;
    TCustomTabDoc song_;
};

TEST_F(ToolSong, ExportMidiWritesTheLibrarysFile) {
    const std::string out = ShellQuote(dir_.File("riff.mid"));
    ASSERT_EQ(Run("export-midi SONG " + out + " --tracks 2 --no-muted --bank-selects").Status, 0);
    EXPECT_EQ(ReadWholeFile(dir_.File("riff.mid")),
              RenderMidiFile(song_, std::bitset<MaxTracks>().set(1), {true, false}));
}

// On standard output the song is titled after the file, as the dialog's file would be.
TEST_F(ToolSong, ExportTextWritesTheLibrarysText) {
    const TCommandRun run = Run("export-text SONG - --line-width 40 --tracks 1");
    ASSERT_EQ(run.Status, 0) << run.Err;
    TTextExportOptions options;
    options.LineWidth = 40;
    EXPECT_EQ(run.Out, ExportText(song_, "riff.txt", options, std::bitset<MaxTracks>().set(0)));
    EXPECT_EQ(run.Out.substr(0, 10), "riff.txt\r\n");

    const std::string out = dir_.File("riff.tab");
    const std::string args = " --line-width 30 --page-breaks --lines-per-page 50 --no-bar-break";
    ASSERT_EQ(Run("export-text SONG " + ShellQuote(out) + args).Status, 0);
    options.LineWidth = 30;
    options.PageBreaks = true;
    options.LinesPerPage = 50;
    options.BreakAtBar = false;
    const std::string text = ExportText(song_, out, options, std::bitset<MaxTracks>().set());
    EXPECT_EQ(ReadWholeFile(out), std::vector<uint8_t>(text.begin(), text.end()));
}

TEST_F(ToolSong, TimeAtPrintsTheTimeText) {
    const TCommandRun run = Run("time-at SONG --track 2 --space 48");  // 2 s + 2 x 8 s
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "00:18.000\n");
}

// Texts of older files are Windows-1252: info, dump and the text export show their characters
// as the window does, in UTF-8.
TEST_F(ToolSong, InfoAndTextExportShowTheSongTextsCharacters) {
    song_.Title = "Caf\xE9 \x93"
                  "5\x94";
    song_.Comments = "d\xE9j\xE0";
    song_.SaveToFile(dir_.File("riff.frl"));
    const TCommandRun info = Run("info SONG");
    ASSERT_EQ(info.Status, 0) << info.Err;
    EXPECT_NE(info.Out.find("Title:       Café “5”\n"), std::string::npos) << info.Out;
    EXPECT_NE(info.Out.find("Comments:    déjà\n"), std::string::npos) << info.Out;
    const TCommandRun dump = Run("dump SONG");
    ASSERT_EQ(dump.Status, 0) << dump.Err;
    EXPECT_NE(dump.Out.find(R"("title":"Café “5”")"), std::string::npos) << dump.Out;
    const TCommandRun text = Run("export-text SONG -");
    ASSERT_EQ(text.Status, 0) << text.Err;
    EXPECT_EQ(text.Out.substr(0, text.Out.find('\r')), "Café “5”");
}

// A tempo change slows what the player sends exactly where it stands.
TEST(ToolTrace, TempoChangeSlowsTheMetronomeFromItsBar) {
    const auto doc = MakeSong(4);  // four bars of 4/4 at 120
    SetProp(doc->Track(0).Space(32), pkTempo, 60);
    const TScratchDir dir;
    doc->SaveToFile(dir.File("song.frl"));

    // The metronome's clicks are note-ons on channel 10; ticks of 8 ms make a beat 62.5 of them
    // at 120, 125 at 60 from bar 3 on.
    const TCommandRun trace =
        RunProgram(Tool, "trace " + ShellQuote(dir.File("song.frl")) + " --metronome");
    ASSERT_EQ(trace.Status, 0) << trace.Err;
    std::vector<int> clicks;
    std::istringstream lines(trace.Out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        int tick = 0;
        std::string status;
        if (fields >> tick >> status && status == "99") clicks.push_back(tick);
    }
    EXPECT_EQ(clicks, (std::vector<int>{0, 63, 125, 188, 250, 313, 375, 438, 500, 625, 750, 875,
                                        1000, 1125, 1250, 1375}));
}

struct TExitCase {
    const char* Program;
    const char* Args;  // SONG for the song file
    int Status;
    const char* Err;  // the start of the one line on standard error
};

void PrintTo(const TExitCase& c, std::ostream* out) {
    *out << std::filesystem::path(c.Program).filename().string() << " " << c.Args;
}

class ToolExit : public ToolSong, public ::testing::WithParamInterface<TExitCase> {};

TEST_P(ToolExit, StatusAndOneLineOfMessage) {
    const TCommandRun run = Run(GetParam().Args, GetParam().Program);
    EXPECT_EQ(run.Status, GetParam().Status) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err.rfind(GetParam().Err, 0), 0u) << run.Err;
    EXPECT_EQ(LineCount(run.Err), 1u) << run.Err;
}

constexpr const char* WidthMessage = "fretlo-tool export-text: Line Width must be between 30";

INSTANTIATE_TEST_SUITE_P(
    BothPrograms, ToolExit,
    ::testing::Values(
        TExitCase{Tool, "info", 2, "fretlo-tool info: missing FILE (usage: fretlo-tool info FILE)"},
        TExitCase{Tool, "trace /nonexistent/gone.frl", 1, "Cannot open \"/nonexistent/gone.frl\""},
        TExitCase{Tool, "bogus", 2, "fretlo-tool: unknown command 'bogus' (see fretlo-tool --help)"},
        TExitCase{Tool, "export-text SONG - --line-width 16x", 2, WidthMessage},
        // The sizes are refused before the tracks are looked at.
        TExitCase{Tool, "export-text SONG - --line-width 161 --tracks 9", 2, WidthMessage},
        TExitCase{Tool, "export-text SONG - --page-breaks --lines-per-page 101", 2,
                  "fretlo-tool export-text: Lines must be between 50 and 100."},
        TExitCase{Tool, "export-text SONG - --tracks=", 2,
                  "fretlo-tool export-text: At least one track must be checked."},
        TExitCase{Tool, "export-text SONG - --tracks 3", 2,
                  "fretlo-tool export-text: --tracks: '3' is not a track of this song (1 to 2)"},
        TExitCase{Tool, "time-at SONG --track 3 --space 0", 2,
                  "fretlo-tool time-at: --track: the song has tracks 1 to 2"},
        TExitCase{Tool, "time-at SONG --track 1 --space 64", 2,
                  "fretlo-tool time-at: --space: track 1 has 64 spaces"},
        TExitCase{Tool, "import-midi in.mid SONG --grid 24", 2,
                  "fretlo-tool import-midi: --grid must be 16 or 32"},
        TExitCase{Tool, "render", 2,
                  "fretlo-tool render: missing FILE (usage: fretlo-tool render FILE OUT.wav"},
        TExitCase{Tool, "play SONG --from-bar 0", 2, "fretlo-tool play: --from-bar must be"},
        TExitCase{Tool, "render /nonexistent/gone.frl gone.wav", 1, "Cannot open \"/nonexistent/gone.frl\""},
        TExitCase{Tool, "devices extra", 2, "fretlo-tool devices: unexpected argument extra"},
        TExitCase{Media, "", 2, "fretlo-tool-media: no command given (see fretlo-tool-media --help)"},
        TExitCase{Media, "info SONG", 2, "fretlo-tool-media: unknown command 'info'"}),
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
TEST_F(ToolSong, ImageThroughTheTool) {
    const std::string out = dir_.File("song.png");
    const TCommandRun run = Run("image SONG " + ShellQuote(out) + " --width 640 --height 200");
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
        TExitCase{Tool, "print SONG b.pdf --paper B5", 2, "fretlo-tool print: --paper must be"},
        TExitCase{Tool, "print SONG b.pdf --margins 1,2,3", 2, "fretlo-tool print: --margins must"},
        TExitCase{Tool, "print SONG b.pdf --margins 5000,0,5000,0", 2,
                  "fretlo-tool print: --margins leave no room"}),
    PrintedName());

// The pages are written aside and renamed; how they look is the print surface's own rule.
TEST_F(ToolSong, PrintThroughTheTool) {
    if (RunCommand("command -v pdftotext").Status != 0) GTEST_SKIP() << "pdftotext is not installed";
    song_.Title = "Printed Song";
    song_.SaveToFile(dir_.File("riff.frl"));
    const std::string pdf = ShellQuote(dir_.File("riff.pdf"));
    const TCommandRun run = Run("print SONG " + pdf + " --paper Letter");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const TCommandRun text = RunCommand("pdftotext -layout " + pdf + " -");
    ASSERT_EQ(text.Status, 0) << text.Err;
    EXPECT_NE(text.Out.find("Printed Song"), std::string::npos) << text.Out;
    // Letter is 8.5 by 11 inches, 612 by 792 points; A4 would be 595 by 842.
    EXPECT_NE(RunCommand("pdfinfo " + pdf).Out.find("612 x 792 pts"), std::string::npos);
    EXPECT_EQ(dir_.EntryCount(), 2u) << "a file left aside";
}
#endif

}  // namespace
}  // namespace fretlo::test
