// Damaged files: every fixed message, what the document is left as, and no read past the data.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "ParamName.h"
#include "document/DocTestUtil.h"
#include "document/SongFile.h"
#include "document/SongFileBytes.h"
#include "document/SongMessages.h"

namespace fretlo::test {
namespace {

// One track of four spaces in one bar, version 112, compressed.
struct TSmallSong {
    TOldTrack track{.SpaceCount = 4};
    TOldFile file{.Version = 112, .BarCount = 1};
    TBytes part1Tail, bars{4, 0, 0, 0, 0, 0}, notes = Runs(TBytes(4 * 20, 0)), effects;

    TBytes Build() {
        file.Part1 = OldPart1(file.Version, {track}, nullptr);
        Append(file.Part1, part1Tail);
        file.Part2 = bars;
        Append(file.Part2, notes);
        Append(file.Part2, effects);
        return file.Build();
    }
};

using TChange = std::function<void(TSmallSong&)>;
using TMaker = std::function<TBytes()>;

TMaker Song(TChange change) {
    return [=] {
        TSmallSong s;
        change(s);
        return s.Build();
    };
}

// The small song cut or grown to a length made from its own, its checks not sealed again.
TMaker SmallSongResized(std::function<size_t(size_t)> length) {
    return [=] {
        TBytes f = TSmallSong().Build();
        f.resize(length(f.size()));
        return f;
    };
}

// The small song with `stream` in place of its compressed part 2, sealed again.
TMaker WithPart2Stream(TMaker stream) {
    return [=] {
        TBytes f = TSmallSong().Build();
        f.resize(64 + (f[48] | (f[49] << 8)));
        Append(f, stream());
        TOldFile::Seal(f);
        return f;
    };
}

TBytes ZlibWithDictionary() {
    z_stream z{};
    deflateInit(&z, 6);
    const Bytef dict[] = "dictionary";
    deflateSetDictionary(&z, dict, sizeof dict);
    TBytes in(10, 1), out(256);
    z.next_in = in.data();
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// Version 113 with `entries` as the effect block that claims `size` bytes.
TChange EffectBlock(uint32_t size, const TBytes& entries) {
    return [=](TSmallSong& s) {
        s.file.Version = 113;
        Add32(s.effects, size);
        Append(s.effects, entries);
    };
}

// The small song with one of its track's settings changed.
template <typename T> TChange TrackSetting(T TOldTrack::*field, T value) {
    return [=](TSmallSong& s) { s.track.*field = value; };
}

TChange RatioPairs(const TBytes& pairs) {
    return [=](TSmallSong& s) {
        s.file.Ratios = true;
        s.effects = Runs(pairs);
    };
}

void ExpectFailure(const TBytes& bytes, const std::string& message, TCustomTabDoc& doc) {
    try {
        doc.LoadFromBytes(bytes, "/damaged.frl");
        FAIL() << "loaded without error, expected: " << message;
    } catch (const EFretloError& e) {
        EXPECT_EQ(message, e.what());
    }
}

struct TDamage {
    const char* name;
    TMaker bytes;
    std::string message;
    bool inHeader;  // found before the document is touched
};

FRETLO_PRINT_AS_NAME(TDamage)

TDamage Header(const char* name, TMaker bytes, std::string message) { return {name, bytes, message, true}; }
TDamage Body(const char* name, TChange change, std::string message) {
    return {name, Song(change), message, false};
}

class SongFileDamaged : public ::testing::TestWithParam<TDamage> {};

// Damage in the header leaves the document as it was; damage found later leaves a new song.
TEST_P(SongFileDamaged, RaisesItsMessage) {
    const TBytes bytes = GetParam().bytes();
    TCountingDoc doc;
    TRecordingListener listener;
    doc.AddListener(&listener);
    doc.New(8);
    doc.Title = "kept";
    doc.FileName = "/songs/kept.frl";
    doc.MarkModified();
    // Title, file name, modified, tracks, bars, first bar's end, spaces, resets, replacements.
    const auto state = [&] {
        return std::tuple(doc.Title, doc.FileName, doc.Modified, doc.TrackCount(), doc.BarCount(),
                          doc.Bar(0).End, doc.Track(0).SpaceCount(), doc.resets, listener.replaced);
    };
    const auto before = state();
    ExpectFailure(bytes, GetParam().message, doc);
    if (GetParam().inHeader)
        EXPECT_EQ(before, state());
    else
        EXPECT_EQ(std::tuple("", "", false, 1, 128, 16 * UnitsPerSpace, 2048, std::get<7>(before) + 2, 2),
                  state());
    EXPECT_TRUE(BarsAreValid(doc));
}

const std::string LaterVersion99 = "This file was created with a later version of Fretlo. You'll need to "
                                   "upgrade to Fretlo version 9.9 or later in order to open this file.";

INSTANTIATE_TEST_SUITE_P(
    Header, SongFileDamaged,
    ::testing::Values(
        Header("Empty", SmallSongResized([](size_t) { return 0; }), MsgNotSongFile),
        Header("ShorterThanHeader", SmallSongResized([](size_t) { return 63; }), MsgNotSongFile),
        Header("Version100", Song([](TSmallSong& s) { s.file.Version = 100, s.file.Required = "9.9"; }),
               LaterVersion99),
        Header("Version115", Song([](TSmallSong& s) { s.file.Version = 115, s.file.Required = "9.9"; }),
               LaterVersion99),
        Header("LongerThanItsSize", SmallSongResized([](size_t n) { return n + 1; }), MsgCorrupted),
        Header("NoTracks", Song([](TSmallSong& s) { s.file.TrackCount = 0; }), MsgTooManyTracks),
        Header("SixteenTracks", Song([](TSmallSong& s) { s.file.TrackCount = 16; }), MsgTooManyTracks),
        Header("NoBars", Song([](TSmallSong& s) { s.file.BarCount = 0; }), MsgTooManyBars),
        Header("TooManyBars", Song([](TSmallSong& s) { s.file.BarCount = 32001; }), MsgTooManyBars)),
    PrintedName());

INSTANTIATE_TEST_SUITE_P(
    Body, SongFileDamaged,
    ::testing::Values(
        Body("NineStrings", TrackSetting(&TOldTrack::Strings, 9), MsgCorrupted),
        Body("NoStrings", TrackSetting(&TOldTrack::Strings, 0), MsgCorrupted),
        Body("Channel16", TrackSetting(&TOldTrack::Channel, 16), MsgCorrupted),
        Body("ChannelMinus2", TrackSetting(&TOldTrack::Channel, -2), MsgCorrupted),
        Body("Variant2", TrackSetting(&TOldTrack::Variant, 2), MsgCorrupted),
        Body("NoSpaces", TrackSetting(&TOldTrack::SpaceCount, 0u), MsgCorrupted),
        Body("TooManySpaces", TrackSetting(&TOldTrack::SpaceCount, 32001u), MsgCorrupted),
        Body(
            "Version111WithoutSpaceCount",
            [](TSmallSong& s) {
                s.file.Version = 111;
                s.bars = Runs({0, 0, 0, 1});
            },
            MsgCorrupted),
        Body(
            "TempoZero", [](TSmallSong& s) { s.file.Tempo8 = 0; }, MsgCorrupted),
        Body(
            "EmptyBar", [](TSmallSong& s) { s.bars[0] = 0; }, MsgCorrupted),
        Body(
            "BarsBeyondSongTime",
            [](TSmallSong& s) {
                s.file.BarCount = 2;
                s.bars = {0xFF, 0xFF, 0x7F, 0, 0, 0, 2, 0, 0, 0, 0, 0};
            },
            MsgCorrupted),
        Body(
            "InvalidLetter",
            [](TSmallSong& s) {
                TBytes records = NoteRecord(false, {}, 'Q', 1);
                records.resize(4 * 20, 0);
                s.notes = Runs(records);
            },
            MsgCorrupted),
        Body("RatioZero", RatioPairs({1, 1, 0, 1, 1, 1, 1, 1}), MsgCorrupted),
        Body("RatioAboveOne", RatioPairs({1, 1, 3, 2, 1, 1, 1, 1}), MsgCorrupted),
        Body("RatioDenominator17", RatioPairs({1, 1, 1, 17, 1, 1, 1, 1}), MsgCorrupted),
        Body(
            "RunPastTheArray",
            [](TSmallSong& s) {
                s.notes = {1, 0, 81, 0};
            },
            MsgDataCorrupted),
        Body(
            "Part2EndsEarly", [](TSmallSong& s) { s.notes = Runs(TBytes(79, 0)); }, MsgZlibCorrupted),
        Body(
            "Part1HasAnExtraByte", [](TSmallSong& s) { s.part1Tail = {0}; }, MsgZlibCorrupted),
        Body(
            "Part2HasAnExtraByte", [](TSmallSong& s) { s.effects = {0}; }, MsgZlibCorrupted),
        Body("BadEffectKind", EffectBlock(8, {1, 0, 11, 0, 2, 0, 5, 0}),
             "RestoreStreamedProps: Encountered invalid property data size on Tk=0, Space=1, Prop.Kind=11"),
        Body("EffectEntryPastItsBlock", EffectBlock(8, {1, 0, 3, 0, 4, 0, 5, 0}), MsgCorrupted),
        Body("EffectBlockEndsInsideAnEntry", EffectBlock(11, {1, 0, 3, 0, 2, 0, 5, 0, 0, 0, 3}),
             MsgCorrupted),
        Body("EffectBlockLongerThanTheData", EffectBlock(0xFFFFFFF0u, {}), MsgZlibCorrupted)),
    PrintedName());

INSTANTIATE_TEST_SUITE_P(
    Zlib, SongFileDamaged,
    ::testing::Values(
        TDamage{"Dictionary", WithPart2Stream(ZlibWithDictionary), "zlib: Internal error. Code 2", false},
        TDamage{"CheckValueCut", WithPart2Stream([] {
                    TSmallSong s;
                    TBytes raw = s.bars;
                    Append(raw, s.notes);
                    TBytes stream = Deflate(raw);
                    stream.resize(stream.size() - 3);  // the data is complete, its check value is not
                    return stream;
                }),
                MsgZlibCorrupted, false},
        TDamage{"Garbage", WithPart2Stream([] { return TBytes(40, 0xAB); }), MsgZlibCorrupted, false},
        // Part 1 said to be 65280 bytes and more: it is cut to the file.
        TDamage{"Part1SizeBeyondTheFile",
                [] {
                    TBytes f = TSmallSong().Build();
                    f[49] = 0xFF;
                    TOldFile::Seal(f);
                    return f;
                },
                MsgZlibCorrupted, false}),
    PrintedName());

// --- Every byte and every length -----------------------------------------------------------

TBytes SavedSmallSong() {
    TCustomTabDoc doc;
    doc.New(4);
    doc.Title = "Damage";
    doc.Track(0).Space(3).Notes[1] = NoteFretBase + 7;
    SetProp(doc.Track(0).Space(5), pkVolume, 50);
    doc.Bar(2).RepeatStart = 1;
    return BuildSongFile(doc);
}

// Version 103: one plain track of 4000 spaces, no checks.
TOldFile Version103(bool compressed) {
    TOldFile f{.Version = 103, .Compressed = compressed};
    f.Part1 = OldPart1(103, {TOldTrack{}}, nullptr);
    f.Part2 = Runs(TBytes(4000, 0));
    Append(f.Part2, Runs(TBytes(4000 * 16, 0)));
    return f;
}

TEST(SongFileDamage, AnyOneByteChangeOfACheckedFileIsCaught) {
    const TBytes good = SavedSmallSong();
    ASSERT_GE(good[3], 104);
    TCustomTabDoc doc;
    for (size_t at = 0; at < good.size(); ++at) {
        TBytes bad = good;
        bad[at] = static_cast<uint8_t>(bad[at] + 1);
        SCOPED_TRACE(at);
        ExpectFailure(bad, at < 3 ? MsgNotSongFile : MsgCorrupted, doc);
    }
}

TEST(SongFileDamage, EveryTruncationFailsCleanly) {
    for (const TBytes& whole : {SavedSmallSong(), Version103(false).Build(), Version103(true).Build()}) {
        TCustomTabDoc doc;
        doc.LoadFromBytes(whole, "/whole.frl");
        for (size_t length = 0; length < whole.size(); ++length) {
            SCOPED_TRACE(length);
            try {
                doc.LoadFromBytes(TBytes(whole.data(), whole.data() + length), "/cut.frl");
                ADD_FAILURE() << "a cut file loaded";
            } catch (const EFretloError& e) {
                const std::string m = e.what();
                EXPECT_TRUE(m == MsgNotSongFile || m == MsgCorrupted || m == MsgZlibCorrupted ||
                            m == MsgDataCorrupted)
                    << m;
            }
            EXPECT_TRUE(BarsAreValid(doc));
            EXPECT_GE(doc.TrackCount(), 1);
        }
    }
}

}  // namespace
}  // namespace fretlo::test
