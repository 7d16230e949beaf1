// fretlo-tool hands the commands that need Qt or the MIDI backends to fretlo-tool-media: the
// helper gets the whole command line and answers with the tool's exit statuses and messages,
// and a fretlo-tool without its helper still runs the song commands and says in one line
// what is missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "ParamName.h"
#include "export/RunCommand.h"
#include "ScratchDir.h"
#include "export/SongBuilder.h"
#include "platform/SafeFile.h"

using namespace fretlo;
using namespace fretlo::test;

namespace {

TCommandRun RunProgram(const std::string& program, const std::string& args) {
    return RunCommand(ShellQuote(program) + " " + args);
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
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
}

constexpr const char* Tool = FRETLO_TOOL_PATH;
constexpr const char* Media = FRETLO_TOOL_MEDIA_PATH;

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
    EXPECT_NE(run.Err.find(std::filesystem::path(lone).parent_path().string()), std::string::npos) << run.Err;
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
}

#ifdef FRETLO_TOOL_IMAGE
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
#endif

}  // namespace
