// Builds the demo songs through the document API: fretlo-make-demo-songs FOLDER
// writes "Demo.frl" and "Drum Demo.frl" into FOLDER.
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "document/TabDoc.h"

using namespace fretlo;

namespace {

constexpr int BarSpaces = 16;
constexpr int Bars = 8;

// An empty song of `Bars` bars of 16 spaces with one standard-tuned guitar track.
void StartSong(TCustomTabDoc& doc, const char* title) {
    doc.New(BarSpaces);
    doc.FreeTracks();
    doc.ClearBars();
    doc.LayOutBars(false, 0, BarSpaces, Bars * BarSpaces * UnitsPerSpace);
    doc.AddTrack(std::make_unique<TTrackData>(false, Bars * BarSpaces));
    doc.Title = title;
    doc.Artist = "Fretlo";
    doc.Tempo = 96;
}

void Note(TTrackData& track, int space, int string, int fret) {
    track.Space(space).Notes[string] = static_cast<uint8_t>(NoteFretBase + fret);
}

// A C - Am - F - G progression of arpeggios, one chord per bar, played twice.
void WriteGuitar(TTrackData& g) {
    struct TChord {
        int bass, bassFret, frets[3];  // frets on strings 2 to 4
    };
    const TChord chords[4] = {{1, 3, {2, 0, 1}}, {1, 0, {2, 2, 1}}, {0, 1, {3, 2, 1}}, {0, 3, {0, 0, 0}}};
    for (int bar = 0; bar < Bars; ++bar) {
        const TChord& c = chords[bar % 4];
        const int first = bar * BarSpaces;
        for (int beat = 0; beat < 4; ++beat) {
            const int s = first + beat * 4;
            if (beat == 0) Note(g, s, c.bass, c.bassFret);
            Note(g, s + 2, 2 + beat % 3, c.frets[beat % 3]);
        }
    }
    g.Space(2).Effects[2] = 'h';
    g.Space(BarSpaces * 7).Notes[5] = NoteMuted;
}

void WriteDemo(TCustomTabDoc& doc) {
    StartSong(doc, "Demo");
    doc.Comments = "Arpeggios with a repeat, a staff break, a triplet and a few track effects.";
    TTrackData& g = doc.Track(0);
    WriteGuitar(g);
    doc.Bar(0).RepeatStart = 1;
    doc.Bar(1).RepeatEnd = 1;
    doc.Bar(1).RepeatCount = 1;
    doc.Bar(4).StaffBreak = 1;
    // A triplet on the last beat of bar 6: three spaces in the time of two, one space more.
    const int triplet = 6 * BarSpaces + 12;
    g.SetSpaceCount(g.SpaceCount() + 1);
    g.InsertSpaces(triplet, 1);
    g.SetRatio(triplet, 3, 2, 3);
    for (int i = 0; i < 3; ++i) Note(g, triplet + i, 3 + i, 0);
    SetProp(g.Space(0), pkStrokeDown, 0);
    SetProp(g.Space(4 * BarSpaces), pkTempo, 108);
    SetProp(g.Space(4 * BarSpaces), pkVolume, 110);
    SetProp(g.Space(7 * BarSpaces), pkPan, 40);
}

void WriteDrumDemo(TCustomTabDoc& doc) {
    StartSong(doc, "Drum Demo");
    doc.Comments = "A guitar and a drum track on channel 10.";
    WriteGuitar(doc.Track(0));
    auto drums = std::make_unique<TTrackData>(false, Bars * BarSpaces);
    drums->Variant = 1;
    drums->MidiChannel = PercussionChannel;
    drums->HighestNumber = MaxFret;
    constexpr int Kick = 36, Snare = 38, ClosedHat = 42;
    for (int s = 0; s < drums->SpaceCount(); s += 2) {
        Note(*drums, s, 2, ClosedHat);
        if (s % 8 == 0) Note(*drums, s, 0, Kick);
        if (s % 8 == 4) Note(*drums, s, 1, Snare);
    }
    doc.AddTrack(std::move(drums));
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
