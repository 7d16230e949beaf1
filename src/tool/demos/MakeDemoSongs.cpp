// Builds the demo songs through the document API: fretlo-make-demo-songs FOLDER
// writes "Demo.frl" and "Drum Demo.frl" into FOLDER.
//
// "Demo" is a 20-bar song for guitar, bass and drums: an intro that repeats, a verse, a
// repeated chorus with a faster tempo, an overdriven guitar and strummed chords, and an
// outro with an eighth-note triplet on every track. "Drum Demo" is a groove with fills for
// a guitar and a drum track.
#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "document/TabDoc.h"
#include "playback/TuningPresets.h"

using namespace fretlo;

namespace {

constexpr int BarSpaces = 16;

// --- Tracks -------------------------------------------------------------------------------

// `name` written on the track's top text line, so the staff shows what it is.
void Name(TTrackData& track, std::string_view name) {
    track.TopTextLine = true;
    for (size_t i = 0; i < name.size(); ++i) track.Space(static_cast<int>(i)).TopText = static_cast<uint8_t>(name[i]);
}

// Tunes `track` to the built-in default preset of its kind (strings, variant).
void TuneToDefaultPreset(TTrackData& track) {
    for (const TTuningPreset& preset : BuiltInTunings()) {
        if (preset.StringCount != track.StringCount || preset.Variant != track.Variant || !preset.IsDefault) continue;
        for (size_t s = 0; s < preset.Notes.size() && s < static_cast<size_t>(track.StringCount); ++s)
            track.Tuning[s] = static_cast<int8_t>(preset.Notes[s] - ReferenceNote[s]);
        track.ShowNumbers = preset.ShowNumbers;
        return;
    }
}

std::unique_ptr<TTrackData> Guitar(int spaces, int instrument) {
    auto track = std::make_unique<TTrackData>(false, spaces);
    track->Instrument = instrument;
    Name(*track, "Guitar");
    return track;
}

std::unique_ptr<TTrackData> Bass(int spaces) {
    auto track = std::make_unique<TTrackData>(false, spaces);
    track->StringCount = 4;
    track->Instrument = 33;
    track->LetRing = false;
    TuneToDefaultPreset(*track);
    Name(*track, "Bass");
    return track;
}

// The "6 - Drums" kind: standard kit on channel 10, numbers up to 99, each string tuned to a
// drum by the kind's default preset (bass drum, snare, closed and open hi-hat, side stick,
// crash) and showing key numbers. A number on a string is added to that string's key.
std::unique_ptr<TTrackData> Drums(int spaces) {
    auto track = std::make_unique<TTrackData>(false, spaces);
    track->Variant = 1;
    track->Instrument = 0;
    track->MidiChannel = PercussionChannel;
    track->HighestNumber = MaxFret;
    TuneToDefaultPreset(*track);
    Name(*track, "Drums");
    return track;
}

// --- Notes --------------------------------------------------------------------------------

enum TDrum { dBass, dSnare, dClosedHat, dOpenHat, dStick, dCrash };
// Numbers on the snare string that reach the toms: 38 + n.
constexpr int LowFloorTom = 3, HighFloorTom = 5, LowTom = 7, HiMidTom = 10, HighTom = 12;

void Note(TTrackData& track, int space, int string, int number) {
    track.Space(space).Notes[string] = static_cast<uint8_t>(NoteFretBase + number);
}

struct TChord {
    std::array<int, 6> Guitar;  // fret per string, lowest first; -1 not played
    int BassString, BassFret;   // the root on a four-string bass
};

constexpr TChord C{{-1, 3, 2, 0, 1, 0}, 1, 3};
constexpr TChord Am{{-1, 0, 2, 2, 1, 0}, 1, 0};
constexpr TChord F{{1, 3, 3, 2, 1, 1}, 0, 1};
constexpr TChord G{{3, 2, 0, 0, 0, 3}, 0, 3};
constexpr std::array<TChord, 4> Progression{C, Am, F, G};

int RootString(const TChord& chord) {
    return static_cast<int>(std::find_if(chord.Guitar.begin(), chord.Guitar.end(), [](int f) { return f >= 0; }) -
                            chord.Guitar.begin());
}

// Root, then up and down the upper strings in eighth notes.
void Arpeggio(TTrackData& g, int bar, const TChord& chord) {
    const int first = bar * BarSpaces;
    constexpr int Upper[] = {2, 3, 4, 5, 4, 3, 2};
    Note(g, first, RootString(chord), chord.Guitar[RootString(chord)]);
    for (int i = 0; i < 7; ++i) Note(g, first + 2 * (i + 1), Upper[i], chord.Guitar[Upper[i]]);
}

// Whole chords on a down-down-up-up-down-up rhythm, with the strokes as track effects.
void Strum(TTrackData& g, int bar, const TChord& chord) {
    constexpr std::pair<int, bool> Strokes[] = {{0, true}, {4, true}, {6, false}, {10, false}, {12, true}, {14, false}};
    for (const auto& [offset, down] : Strokes) {
        const int s = bar * BarSpaces + offset;
        for (int string = 0; string < 6; ++string)
            if (chord.Guitar[string] >= 0) Note(g, s, string, chord.Guitar[string]);
        SetProp(g.Space(s), down ? pkStrokeDown : pkStrokeUp, 0);
    }
}

// Root on beats 1 and 3 with a pick-up, the fifth (next string up, two frets higher) on beat 4.
void BassLine(TTrackData& b, int bar, const TChord& chord) {
    const int first = bar * BarSpaces;
    for (const int offset : {0, 6, 8}) Note(b, first + offset, chord.BassString, chord.BassFret);
    Note(b, first + 12, chord.BassString + 1, chord.BassFret + 2);
}

// Hi-hat eighths, bass drum on 1 and 3, snare on 2 and 4; `chorus` opens the hi-hat and adds
// a bass drum.
void Beat(TTrackData& d, int bar, bool chorus) {
    const int first = bar * BarSpaces;
    for (int offset = 0; offset < BarSpaces; offset += 2) Note(d, first + offset, dClosedHat, 0);
    for (const int offset : {0, 8}) Note(d, first + offset, dBass, 1);  // 35 + 1: Bass Drum 1
    for (const int offset : {4, 12}) Note(d, first + offset, dSnare, 0);
    if (!chorus) return;
    Note(d, first + 10, dBass, 1);
    d.Space(first + 14).Notes[dClosedHat] = 0;
    Note(d, first + 14, dOpenHat, 0);
}

// The second half of a bar becomes a fill down the toms.
void Fill(TTrackData& d, int bar) {
    const int first = bar * BarSpaces + 8;
    for (int i = 0; i < 8; ++i) d.Space(first + i).Notes[dClosedHat] = 0;
    constexpr int Toms[] = {HighTom, HighTom, HiMidTom, HiMidTom, LowTom, LowTom, HighFloorTom, LowFloorTom};
    for (int i = 0; i < 8; ++i) Note(d, first + i, dSnare, Toms[i]);
}

void Crash(TTrackData& d, int bar) {
    Note(d, bar * BarSpaces, dCrash, 0);
    d.Space(bar * BarSpaces).Notes[dClosedHat] = 0;
}

// --- Songs --------------------------------------------------------------------------------

// An empty song of `bars` bars of 16 spaces without tracks.
void StartSong(TCustomTabDoc& doc, const char* title, int bars, int tempo) {
    doc.New(BarSpaces);
    doc.FreeTracks();
    doc.ClearBars();
    doc.LayOutBars(false, 0, BarSpaces, bars * BarSpaces * UnitsPerSpace);
    doc.Title = title;
    doc.Artist = "Fretlo";
    doc.Tempo = tempo;
}

void Repeat(TCustomTabDoc& doc, int firstBar, int lastBar, int extraPlays) {
    doc.Bar(firstBar).RepeatStart = 1;
    doc.Bar(lastBar).RepeatEnd = 1;
    doc.Bar(lastBar).RepeatCount = extraPlays;
}

// The last beat of `bar` becomes an eighth-note triplet on every track: its four plain spaces
// become six spaces of 2/3 length (a 3 : 2 region), and the triplet's notes stand on every
// second one, given per track as (string, number) for each of the three notes.
void Triplet(TCustomTabDoc& doc, int bar, const std::array<std::array<std::pair<int, int>, 3>, 3>& notes) {
    const int first = bar * BarSpaces + 12;
    for (int t = 0; t < doc.TrackCount(); ++t) {
        TTrackData& track = doc.Track(t);
        track.SetSpaceCount(track.SpaceCount() + 2);
        track.InsertSpaces(first, 2);
        for (int i = 0; i < 6; ++i) std::fill(std::begin(track.Space(first + i).Notes), std::end(track.Space(first + i).Notes), 0);
        track.SetRatio(first, 6, 2, 3);
        for (int i = 0; i < 3; ++i) Note(track, first + 2 * i, notes[t][i].first, notes[t][i].second);
    }
}

void WriteDemo(TCustomTabDoc& doc) {
    constexpr int Bars = 20;
    StartSong(doc, "Demo", Bars, 96);
    doc.Comments =
        "Guitar, bass and drums: an intro played twice, a verse, a faster chorus with an overdriven "
        "guitar played twice, and an outro with a triplet.";
    doc.AddTrack(Guitar(Bars * BarSpaces, 25));
    doc.AddTrack(Bass(Bars * BarSpaces));
    doc.AddTrack(Drums(Bars * BarSpaces));
    TTrackData& g = doc.Track(0);
    TTrackData& b = doc.Track(1);
    TTrackData& d = doc.Track(2);

    for (int bar = 0; bar < 4; ++bar) Arpeggio(g, bar, Progression[bar]);  // intro, guitar alone
    Repeat(doc, 0, 3, 1);
    g.Space(2).Effects[2] = 'h';
    for (int bar = 4; bar < 12; ++bar) {  // verse
        Arpeggio(g, bar, Progression[bar % 4]);
        BassLine(b, bar, Progression[bar % 4]);
        Beat(d, bar, false);
    }
    Crash(d, 4);
    Fill(d, 11);
    for (int bar = 12; bar < 16; ++bar) {  // chorus
        Strum(g, bar, Progression[bar % 4]);
        BassLine(b, bar, Progression[bar % 4]);
        Beat(d, bar, true);
    }
    Crash(d, 12);
    Repeat(doc, 12, 15, 1);
    for (int bar = 16; bar < 19; ++bar) {  // outro
        Arpeggio(g, bar, Progression[bar % 4]);
        BassLine(b, bar, Progression[bar % 4]);
        Beat(d, bar, false);
    }
    Crash(d, 16);
    // The last bar: a C chord left to ring over a crash.
    const int last = (Bars - 1) * BarSpaces;
    for (int string = 1; string < 6; ++string) Note(g, last, string, C.Guitar[string]);
    Note(b, last, C.BassString, C.BassFret);
    Note(d, last, dBass, 1);
    Crash(d, Bars - 1);

    for (const int bar : {4, 8, 12, 16}) doc.Bar(bar).StaffBreak = 1;
    SetProp(g.Space(4 * BarSpaces), pkPan, 44);
    SetProp(g.Space(12 * BarSpaces), pkTempo, 112);
    SetProp(g.Space(12 * BarSpaces), pkInstrument, 29);  // Overdriven Guitar
    SetProp(b.Space(12 * BarSpaces), pkVolume, 112);
    SetProp(g.Space(16 * BarSpaces), pkTempo, 96);
    SetProp(g.Space(16 * BarSpaces), pkInstrument, 25);  // back to the steel-string guitar
    SetProp(b.Space(16 * BarSpaces), pkVolume, 96);
    SetProp(g.Space(last), pkTempo, 72);
    g.Space(17 * BarSpaces + 8).Effects[5] = 'b';

    // Into the last chord: the guitar down the top string, the bass up from F, the drums down the toms.
    Triplet(doc, 18, {{{{{5, 3}, {5, 1}, {5, 0}}}, {{{0, 1}, {0, 3}, {1, 0}}},
                       {{{dSnare, HighTom}, {dSnare, LowTom}, {dSnare, LowFloorTom}}}}});
}

void WriteDrumDemo(TCustomTabDoc& doc) {
    constexpr int Bars = 8;
    StartSong(doc, "Drum Demo", Bars, 100);
    doc.Comments =
        "The drum track's strings are tuned to the drums of its preset: bass drum 35, snare 38, closed "
        "hi-hat 42, open hi-hat 46, side stick 37, crash 49. A number is added to its string's key: "
        "1 on the bass drum string plays 36, 3 on the snare string 41 (a floor tom).";
    doc.AddTrack(Drums(Bars * BarSpaces));
    doc.AddTrack(Guitar(Bars * BarSpaces, 29));
    TTrackData& d = doc.Track(0);
    TTrackData& g = doc.Track(1);
    for (int bar = 0; bar < Bars; ++bar) {
        Beat(d, bar, bar >= 4);
        Strum(g, bar, Progression[bar % 4]);
    }
    Crash(d, 0);
    Crash(d, 4);
    Fill(d, 3);
    Fill(d, 7);
    for (const int bar : {1, 5}) Note(d, bar * BarSpaces + 14, dStick, 0);
    Repeat(doc, 4, 7, 1);
    doc.Bar(4).StaffBreak = 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const std::string folder = argv[1];
        TCustomTabDoc doc;
        WriteDemo(doc);
        doc.SaveToFile(folder + "/Demo.frl");
        WriteDrumDemo(doc);
        doc.SaveToFile(folder + "/Drum Demo.frl");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
