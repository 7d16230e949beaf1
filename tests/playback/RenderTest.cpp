// Offline rendering through the built-in synthesizer into a WAV file.
#include <gtest/gtest.h>

#include <cstdlib>

#include "PlayerFixture.h"
#include "ParamName.h"
#include "ScratchDir.h"
#include "base/ByteOrder.h"
#include "platform/SafeFile.h"
#include "platform/midi/FluidSynth.h"
#include "playback/OfflineRender.h"

namespace fretlo::test {
namespace {

class Render : public PlayerTest, public ::testing::WithParamInterface<int> {};

TEST_P(Render, AOneBarSongIsAsLongAsTheSongPlusTheTailAndNotSilent) {
    if (FindSoundFont("").empty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    const int rate = GetParam();
    MakeSong(1);
    for (int s = 0; s < 6; ++s) Fret(0, 0, s, 0);
    Fret(0, 8, 3, 2);
    // Each rate renders in parallel with the other, so each needs a folder of its own.
    const TScratchDir dir;
    const std::string path = dir.File("render.wav");
    TFluidRenderer renderer(FindSoundFont(""), rate);
    const TRenderResult r = RenderSong(doc, TPlaybackRequest{}, renderer, rate, path);
    EXPECT_EQ(r.Ticks, 250);
    const long frames = 2L * rate + RenderTailSeconds * rate;  // 2 s of song at tempo 120
    EXPECT_EQ(r.Frames, frames);

    const std::vector<uint8_t> wav = ReadWholeFile(path);
    ASSERT_EQ(wav.size(), 44 + size_t(frames) * 4);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 12), "WAVE");
    EXPECT_EQ(GetU32(&wav[24]), uint32_t(rate));
    EXPECT_EQ(GetU32(&wav[40]), uint32_t(frames) * 4);
    int loudest = 0;
    for (size_t i = 44; i + 1 < wav.size(); i += 2)
        loudest = std::max(loudest, std::abs(int(int16_t(GetU16(&wav[i])))));
    EXPECT_GT(loudest, 1000);
}

INSTANTIATE_TEST_SUITE_P(Rates, Render, ::testing::Values(48000, 44100), PrintedName());

TEST(RenderFailure, AMissingSoundFontIsReported) {
    EXPECT_THROW(TFluidRenderer("/nonexistent/font.sf2", 48000), EFretloError);
}

}  // namespace
}  // namespace fretlo::test
