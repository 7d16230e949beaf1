#include "export/SongBuilder.h"

namespace fretlo::test {

std::unique_ptr<TCustomTabDoc> MakeSong(int bars, int barSpaces, int tracks) {
    auto doc = std::make_unique<TCustomTabDoc>();
    doc->New(barSpaces);
    doc->ClearBars();
    doc->LayOutBars(false, 0, barSpaces, bars * barSpaces * UnitsPerSpace);
    const int spaces = bars * barSpaces;
    doc->Track(0).SetSpaceCount(spaces);
    for (int t = 1; t < tracks; ++t) doc->AddTrack(std::make_unique<TTrackData>(false, spaces));
    return doc;
}

void PutFret(TCustomTabDoc& doc, int track, int space, int string, int fret) {
    PutNote(doc, track, space, string, static_cast<uint8_t>(NoteFretBase + fret));
}

void PutNote(TCustomTabDoc& doc, int track, int space, int string, uint8_t note) {
    doc.Track(track).Space(space).Notes[string] = note;
}

void SetRepeat(TCustomTabDoc& doc, int first, int last, int count) {
    doc.Bar(first).RepeatStart = 1;
    doc.Bar(last).RepeatEnd = 1;
    doc.Bar(last).RepeatCount = count;
}

}  // namespace fretlo::test
