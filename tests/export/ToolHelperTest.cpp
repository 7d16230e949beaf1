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
    ::testing::Values(TExitCase{Tool, "print", 2, "fretlo-tool print: missing FILE (usage: fretlo-tool print"},
                      TExitCase{Tool, "print a.frl b.pdf --paper B5", 2, "fretlo-tool print: --paper must be"},
                      TExitCase{Tool, "print a.frl b.pdf --margins 1,2,3", 2, "fretlo-tool print: --margins must"},
                      TExitCase{Tool, "print a.frl b.pdf --margins 5000,0,5000,0", 2,
                                "fretlo-tool print: --margins leave no room"},
                      TExitCase{Tool, "print /nonexistent/gone.frl gone.pdf", 1, "Cannot open"}),
    PrintedName());

// The text of each page of a PDF, as pdftotext reads it; nothing when it is not installed.
std::vector<std::string> PdfPages(const std::string& pdf) {
    const TCommandRun run = RunCommand("pdftotext -layout " + ShellQuote(pdf) + " -");
    std::vector<std::string> pages;
    if (run.Status != 0) return pages;
    std::istringstream in(run.Out);
    for (std::string page; std::getline(in, page, '\f');) pages.push_back(page);
    return pages;
}

std::string LastWord(const std::string& text) {
    const size_t end = text.find_last_not_of(" \n");
    if (end == std::string::npos) return {};
    const size_t start = text.find_last_of(" \n", end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

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
    const TCommandRun run = RunProgram(Tool, "print " + ShellQuote(song) + " " + ShellQuote(out) + " --paper Letter");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::vector<std::string> pages = PdfPages(out);
    ASSERT_GE(pages.size(), 3u);
    EXPECT_NE(pages[0].find("Printed Song"), std::string::npos);
    EXPECT_NE(pages[0].find("The Testers"), std::string::npos);
    for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(LastWord(pages[i]), std::to_string(i + 1)) << "page " << i + 1;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(song).parent_path()), {}), 2) << "a file left aside";
}
#endif

}  // namespace
