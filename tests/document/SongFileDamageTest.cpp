// Damaged files: every fixed message, what the document is left as, and no read past the data.
#include <gtest/gtest.h>

#include <functional>

#include "document/SongFile.h"
#include "document/SongFileBytes.h"
#include "document/SongFileTestDoc.h"
#include "document/SongMessages.h"

namespace fretlo::test {
namespace {

// One track of four spaces in one bar, version 112, compressed.
struct TSmallSong {
    TOldTrack track;
    TOldFile file;
    TBytes part1Tail, bars, notes, effects;

    TSmallSong() {
        track.SpaceCount = 4;
        file.Version = 112;
        file.BarCount = 1;
        Add32(bars, 4);
        Add8(bars, 0);
        Add8(bars, 0);
        notes = Runs(TBytes(4 * 20, 0));
    }
    TBytes Build() {
        file.Part1 = OldPart1(file.Version, {track}, nullptr);
        Append(file.Part1, part1Tail);
        file.Part2 = bars;
        Append(file.Part2, notes);
        Append(file.Part2, effects);
        return file.Build();
    }
};

void ExpectFailure(const TBytes& bytes, const std::string& message, TCustomTabDoc& doc) {
    try {
        doc.LoadFromBytes(bytes, "/damaged.frl");
        FAIL() << "loaded without error, expected: " << message;
    } catch (const EFretloError& e) {
        EXPECT_EQ(message, e.what());
    }
}

// --- Header damage: the document stays as it was ------------------------------------------

struct THeaderCase {
    const char* name;
    std::function<TBytes()> bytes;
    std::string message;
};

void PrintTo(const THeaderCase& row, std::ostream* os) { *os << row.name; }

class SongFileHeaderDamage : public ::testing::TestWithParam<THeaderCase> {};

TEST_P(SongFileHeaderDamage, RaisesItsMessageAndLeavesTheDocumentAlone) {
    TCountingDoc doc;
    doc.New(8);
    doc.Title = "kept";
    doc.FileName = "/songs/kept.frl";
    doc.MarkModified();
    const int resets = doc.resets;
    ExpectFailure(GetParam().bytes(), GetParam().message, doc);
    EXPECT_EQ("kept", doc.Title);
    EXPECT_EQ("/songs/kept.frl", doc.FileName);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(8 * UnitsPerSpace, doc.Bar(0).End);
    EXPECT_EQ(resets, doc.resets);
}

TBytes Patched(TBytes f, size_t at, uint8_t value, bool reseal) {
    f[at] = value;
    if (reseal) TOldFile::Seal(f);
    return f;
}

TBytes WithHeader(std::function<void(TSmallSong&)> change) {
    TSmallSong s;
    change(s);
    return s.Build();
}

const std::string LaterVersion99 =
    "This file was created with a later version of Fretlo. You'll need to upgrade to Fretlo version 9.9 "
    "or later in order to open this file.";

INSTANTIATE_TEST_SUITE_P(
    Cases, SongFileHeaderDamage,
    ::testing::Values(
        THeaderCase{"Empty", [] { return TBytes(); }, MsgNotSongFile},
        THeaderCase{"ShorterThanHeader",
                    [] {
                        TBytes f = TSmallSong().Build();
                        f.resize(63);
                        return f;
                    },
                    MsgNotSongFile},
        THeaderCase{"WrongMagic", [] { return Patched(TSmallSong().Build(), 2, 'X', true); }, MsgNotSongFile},
        THeaderCase{
            "Version100",
            [] { return WithHeader([](TSmallSong& s) { s.file.Version = 100, s.file.Required = "9.9"; }); },
            LaterVersion99},
        THeaderCase{
            "Version115",
            [] { return WithHeader([](TSmallSong& s) { s.file.Version = 115, s.file.Required = "9.9"; }); },
            LaterVersion99},
        THeaderCase{"HeaderCrc", [] { return Patched(TSmallSong().Build(), 60, 0, false); }, MsgCorrupted},
        THeaderCase{"FileSize",
                    [] {
                        TBytes f = TSmallSong().Build();
                        f.push_back(0);
                        return f;
                    },
                    MsgCorrupted},
        THeaderCase{"BodyCrc", [] { return Patched(TSmallSong().Build(), 52, 0, false); }, MsgCorrupted},
        THeaderCase{"NoTracks", [] { return WithHeader([](TSmallSong& s) { s.file.TrackCount = 0; }); },
                    MsgTooManyTracks},
        THeaderCase{"SixteenTracks", [] { return WithHeader([](TSmallSong& s) { s.file.TrackCount = 16; }); },
                    MsgTooManyTracks},
        THeaderCase{"NoBars", [] { return WithHeader([](TSmallSong& s) { s.file.BarCount = 0; }); },
                    MsgTooManyBars},
        THeaderCase{"TooManyBars", [] { return WithHeader([](TSmallSong& s) { s.file.BarCount = 32001; }); },
                    MsgTooManyBars}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Body damage: the document becomes a new song ------------------------------------------

struct TBodyCase {
    const char* name;
    std::function<void(TSmallSong&)> change;
    std::string message;
};

void PrintTo(const TBodyCase& row, std::ostream* os) { *os << row.name; }

class SongFileBodyDamage : public ::testing::TestWithParam<TBodyCase> {};

TEST_P(SongFileBodyDamage, RaisesItsMessageAndLeavesANewSong) {
    TSmallSong song;
    GetParam().change(song);
    const TBytes bytes = song.Build();
    TCountingDoc doc;
    TRecordingListener listener;
    doc.AddListener(&listener);
    doc.New(8);
    doc.Title = "gone";
    ExpectFailure(bytes, GetParam().message, doc);
    EXPECT_EQ("", doc.Title);
    EXPECT_EQ("", doc.FileName);
    EXPECT_FALSE(doc.Modified);
    ASSERT_EQ(1, doc.TrackCount());
    EXPECT_EQ(128, doc.BarCount());
    EXPECT_EQ(16 * UnitsPerSpace, doc.Bar(0).End);
    EXPECT_EQ(2048, doc.Track(0).SpaceCount());
    EXPECT_EQ(2, listener.replaced);
    EXPECT_TRUE(BarsAreValid(doc));
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

// Replaces the compressed part 2 of a built file and seals it again.
TBytes WithRawPart2(TSmallSong& s, const TBytes& stream) {
    TBytes f = s.Build();
    const uint32_t part1 = f[48] | (f[49] << 8) | (f[50] << 16) | (uint32_t(f[51]) << 24);
    f.resize(64 + part1);
    Append(f, stream);
    TOldFile::Seal(f);
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SongFileBodyDamage,
    ::testing::Values(
        TBodyCase{"NineStrings", [](TSmallSong& s) { s.track.Strings = 9; }, MsgCorrupted},
        TBodyCase{"NoStrings", [](TSmallSong& s) { s.track.Strings = 0; }, MsgCorrupted},
        TBodyCase{"Channel16", [](TSmallSong& s) { s.track.Channel = 16; }, MsgCorrupted},
        TBodyCase{"ChannelMinus2", [](TSmallSong& s) { s.track.Channel = -2; }, MsgCorrupted},
        TBodyCase{"Variant2", [](TSmallSong& s) { s.track.Variant = 2; }, MsgCorrupted},
        TBodyCase{"NoSpaces", [](TSmallSong& s) { s.track.SpaceCount = 0; }, MsgCorrupted},
        TBodyCase{"TooManySpaces", [](TSmallSong& s) { s.track.SpaceCount = 32001; }, MsgCorrupted},
        TBodyCase{"Version111WithoutSpaceCount",
                  [](TSmallSong& s) {
                      s.file.Version = 111;
                      s.bars = Runs({0, 0, 0, 1});
                  },
                  MsgCorrupted},
        TBodyCase{"TempoZero", [](TSmallSong& s) { s.file.Tempo8 = 0; }, MsgCorrupted},
        TBodyCase{"EmptyBar", [](TSmallSong& s) { s.bars[0] = 0; }, MsgCorrupted},
        TBodyCase{"BarsBeyondSongTime",
                  [](TSmallSong& s) {
                      s.file.BarCount = 2;
                      s.bars = {};
                      Add32(s.bars, 0x7FFFFF);
                      Add16(s.bars, 0);
                      Add32(s.bars, 2);
                      Add16(s.bars, 0);
                  },
                  MsgCorrupted},
        TBodyCase{"InvalidLetter",
                  [](TSmallSong& s) {
                      TBytes records = NoteRecord(false, {}, 'Q', 1);
                      records.resize(4 * 20, 0);
                      s.notes = Runs(records);
                  },
                  MsgCorrupted},
        TBodyCase{"RatioZero",
                  [](TSmallSong& s) {
                      s.file.Ratios = true;
                      s.effects = Runs({1, 1, 0, 1, 1, 1, 1, 1});
                  },
                  MsgCorrupted},
        TBodyCase{"RatioAboveOne",
                  [](TSmallSong& s) {
                      s.file.Ratios = true;
                      s.effects = Runs({1, 1, 3, 2, 1, 1, 1, 1});
                  },
                  MsgCorrupted},
        TBodyCase{"RatioDenominator17",
                  [](TSmallSong& s) {
                      s.file.Ratios = true;
                      s.effects = Runs({1, 1, 1, 17, 1, 1, 1, 1});
                  },
                  MsgCorrupted},
        TBodyCase{"RunBlockTooLong",
                  [](TSmallSong& s) {
                      s.notes = {};
                      Add16(s.notes, 4097);
                      s.notes.resize(2 + 8194, 1);
                  },
                  MsgDataCorrupted},
        TBodyCase{"RunPastTheArray",
                  [](TSmallSong& s) {
                      s.notes = {1, 0, 81, 0};
                  },
                  MsgDataCorrupted},
        TBodyCase{"LongEntryCutByBlockEnd",
                  [](TSmallSong& s) {
                      s.notes = {1, 0, 0, 80};
                  },
                  MsgDataCorrupted},
        TBodyCase{"Part2EndsEarly", [](TSmallSong& s) { s.notes = Runs(TBytes(79, 0)); }, MsgZlibCorrupted},
        TBodyCase{"Part1HasAnExtraByte", [](TSmallSong& s) { s.part1Tail = {0}; }, MsgZlibCorrupted},
        TBodyCase{"Part2HasAnExtraByte", [](TSmallSong& s) { s.effects = {0}; }, MsgZlibCorrupted},
        TBodyCase{
            "BadEffectKind",
            [](TSmallSong& s) {
                s.file.Version = 113;
                Add32(s.effects, 8);
                Append(s.effects, {1, 0, 11, 0, 2, 0, 5, 0});
            },
            "RestoreStreamedProps: Encountered invalid property data size on Tk=0, Space=1, Prop.Kind=11"},
        TBodyCase{"EffectEntryPastItsBlock",
                  [](TSmallSong& s) {
                      s.file.Version = 113;
                      Add32(s.effects, 8);
                      Append(s.effects, {1, 0, 3, 0, 4, 0, 5, 0});
                  },
                  MsgCorrupted},
        TBodyCase{"EffectBlockEndsInsideAnEntry",
                  [](TSmallSong& s) {
                      s.file.Version = 113;
                      Add32(s.effects, 11);
                      Append(s.effects, {1, 0, 3, 0, 2, 0, 5, 0, 0, 0, 3});
                  },
                  MsgCorrupted},
        TBodyCase{"EffectBlockLongerThanTheData",
                  [](TSmallSong& s) {
                      s.file.Version = 113;
                      Add32(s.effects, 0xFFFFFFF0u);
                  },
                  MsgZlibCorrupted}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SongFileZlib, UnexpectedStatusesAndCutStreamsHaveTheirMessages) {
    TSmallSong dictionary;
    TCustomTabDoc doc;
    ExpectFailure(WithRawPart2(dictionary, ZlibWithDictionary()), "zlib: Internal error. Code 2", doc);
    TSmallSong cut;
    TBytes raw = cut.bars;
    Append(raw, cut.notes);
    TBytes stream = Deflate(raw);
    stream.resize(stream.size() - 3);  // the data is complete, its check value is not
    ExpectFailure(WithRawPart2(cut, stream), MsgZlibCorrupted, doc);
    TSmallSong garbage;
    ExpectFailure(WithRawPart2(garbage, TBytes(40, 0xAB)), MsgZlibCorrupted, doc);
}

TEST(SongFileZlib, Part1SizeBeyondTheFileIsCutToTheFile) {
    TSmallSong s;
    TBytes f = s.Build();
    f[48] = 0xFF;
    f[49] = 0xFF;
    TOldFile::Seal(f);
    TCustomTabDoc doc;
    ExpectFailure(f, MsgZlibCorrupted, doc);
}

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

TEST(SongFileDamage, Version103CarriesNoChecks) {
    TOldFile f;
    f.Version = 103;
    f.Compressed = false;
    f.Flags = 1 | 2;
    const TOldTexts texts{"Abc", "", "", "", ""};
    f.Part1 = OldPart1(103, {TOldTrack{}}, &texts);
    f.Part2 = Runs(TBytes(4000, 0));
    Append(f.Part2, Runs(TBytes(4000 * 16, 0)));
    TBytes bytes = f.Build();
    const size_t title = 64 + f.Part1.size() - 3;  // the "c" of the title
    ASSERT_EQ('c', bytes[title]);
    bytes[title] = 'd';
    TCustomTabDoc doc;
    doc.LoadFromBytes(bytes, "/old.frl");
    EXPECT_EQ("Abd", doc.Title);
}

TEST(SongFileDamage, EveryTruncationFailsCleanly) {
    TOldFile plain103;
    plain103.Version = 103;
    plain103.Compressed = false;
    plain103.Part1 = OldPart1(103, {TOldTrack{}}, nullptr);
    plain103.Part2 = Runs(TBytes(4000, 0));
    Append(plain103.Part2, Runs(TBytes(4000 * 16, 0)));
    TOldFile zipped103 = plain103;
    zipped103.Compressed = true;
    for (const TBytes& whole : {SavedSmallSong(), plain103.Build(), zipped103.Build()}) {
        TCustomTabDoc doc;
        doc.LoadFromBytes(whole, "/whole.frl");
        for (size_t length = 0; length < whole.size(); ++length) {
            SCOPED_TRACE(length);
            const TBytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            try {
                doc.LoadFromBytes(cut, "/cut.frl");
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
