#include "import/ImportMidi.h"

#include <algorithm>
#include <filesystem>

#include "base/Errors.h"
#include "document/SongFile.h"
#include "document/TrackProps.h"
#include "import/ImportTrack.h"
#include "import/SongBars.h"

namespace fretlo {

namespace {

constexpr size_t MaxTitleLength = 255;
constexpr int MinTempo = 30, MaxTempo = 500;
constexpr int64_t MicrosPerMinute = 60000000;

std::vector<TPartChoice> Choices(const TMidiSong& song, const TImportOptions& options) {
    if (song.Parts.empty()) throw EFretloError("The MIDI file holds no notes.");
    if (options.Parts.empty()) {
        // As suggested; parts beyond the tracks a song holds are left out.
        std::vector<TPartChoice> suggested;
        for (const TMidiPart& part : song.Parts) {
            suggested.push_back(SuggestChoice(part, song.Division));
            suggested.back().Import = suggested.size() <= MaxTracks;
        }
        return suggested;
    }
    Check(options.Parts.size() == song.Parts.size(), "one choice for each part");
    for (const TPartChoice& c : options.Parts) {
        Check(c.Kind >= 0 && c.Kind < static_cast<int>(TrackKinds().size()), "no such track kind");
        Check(std::all_of(c.Tuning.begin(), c.Tuning.end(), [](uint8_t k) { return k <= 127; }),
              "no such key");
    }
    return options.Parts;
}

// Plain spaces up to the one the last note lands nearest to; notes past the limit are lost.
int NeededCells(const TMidiSong& song, const std::vector<int>& chosen, int64_t cellLength) {
    int64_t needed = 1;
    for (const int p : chosen)
        for (const TMidiNote& n : song.Parts[p].Notes) {
            const int64_t cell = (n.Tick * FinePerTick + cellLength / 2) / cellLength;
            if (cell < MaxSpaces) needed = std::max(needed, cell + 1);
        }
    return static_cast<int>(needed);
}

std::vector<bool> BarStarts(const std::vector<TBarSpan>& bars) {
    std::vector<bool> starts(static_cast<size_t>(bars.back().FirstCell + bars.back().Cells) + 1);
    for (const TBarSpan& b : bars) starts[b.FirstCell] = true;
    starts.back() = true;
    return starts;
}

// Drops whole bars from the end until every track's spaces fit the limit of a track.
void FitSpaceLimit(std::vector<TBarSpan>& bars, const std::vector<TSpaceGrid>& grids) {
    const auto fits = [&](const TBarSpan& last) {
        return std::all_of(grids.begin(), grids.end(), [&](const TSpaceGrid& g) {
            return g.SpaceAtCell(last.FirstCell + last.Cells) <= MaxSpaces;
        });
    };
    while (bars.size() > 1 && !fits(bars.back())) bars.pop_back();
}

int Bpm(int microsPerQuarter) {
    const int64_t bpm = (MicrosPerMinute + microsPerQuarter / 2) / microsPerQuarter;
    return static_cast<int>(std::clamp<int64_t>(bpm, MinTempo, MaxTempo));
}

// The tempo at the song's first space is the song's; later changes become tempo effects on
// the first track. Returns the number of effects.
int PlaceTempos(const TMidiSong& song, const TSpaceGrid& grid, TTrackData& track, int& songTempo) {
    int current = songTempo, changes = 0;
    for (const TMidiValueAt& t : song.Tempos) {
        const auto place = PlaceTick(grid, track.SpaceCount(), t.Tick);
        if (!place) break;
        const int bpm = Bpm(t.Value);
        if (place->Space == 0 && changes == 0) {
            songTempo = current = bpm;
            continue;
        }
        if (bpm == current) continue;
        TSpace& space = track.Space(place->Space);
        if (!FindProp(space, pkTempo)) ++changes;
        SetProp(space, pkTempo, static_cast<uint16_t>(bpm));
        current = bpm;
    }
    return changes;
}

}  // namespace

TImportReport ImportMidi(const TMidiSong& song, const std::string& title, const TImportOptions& options,
                         TCustomTabDoc& doc) {
    const std::vector<TPartChoice> choices = Choices(song, options);
    TImportReport report;
    report.Title = title.substr(0, MaxTitleLength);
    report.Format = song.Format;
    report.Division = song.Division;
    report.PartCount = static_cast<int>(song.Parts.size());
    std::vector<int> chosen;
    for (size_t p = 0; p < choices.size(); ++p)
        (choices[p].Import ? chosen : report.LeftOut).push_back(static_cast<int>(p));
    if (chosen.empty()) throw EFretloError("No part of the MIDI file is chosen to become a track.");
    if (chosen.size() > MaxTracks)
        throw EFretloError(Format("%zu parts are chosen to become tracks, but a song holds at most %d.",
                                  chosen.size(), MaxTracks));

    const int64_t cellLength = 6 * int64_t{song.Division};
    std::vector<TBarSpan> bars =
        LayBars(song.Meters, song.Division, NeededCells(song, chosen, cellLength), MaxSpaces);
    const std::vector<bool> barStarts = BarStarts(bars);
    std::vector<TSpaceGrid> grids;
    for (const int p : chosen) {
        std::vector<int64_t> positions;
        for (const TMidiNote& n : song.Parts[p].Notes) positions.push_back(n.Tick * FinePerTick);
        grids.emplace_back(song.Division, barStarts, positions, options.Grid);
    }
    FitSpaceLimit(bars, grids);
    const int songCells = bars.back().FirstCell + bars.back().Cells;

    std::vector<std::unique_ptr<TTrackData>> tracks;
    for (size_t i = 0; i < chosen.size(); ++i) {
        TTrackReport& tr = report.Tracks.emplace_back();
        tr.Part = chosen[i];
        tracks.push_back(ImportTrack(song.Parts[chosen[i]], choices[chosen[i]], grids[i],
                                     grids[i].SpaceAtCell(songCells), tr));
    }
    report.TempoChanges = PlaceTempos(song, grids[0], *tracks[0], report.Tempo);
    report.Bars = static_cast<int>(bars.size());

    doc.New(NewSongBarSpaces);
    doc.FreeTracks();
    doc.ClearBars();
    for (const TBarSpan& b : bars) doc.CreateBar(b.FirstCell * UnitsPerSpace, b.Cells * UnitsPerSpace, false);
    for (auto& track : tracks) doc.AddTrack(std::move(track));
    doc.Title = report.Title;
    doc.Tempo = report.Tempo;
    doc.MarkModified();
    doc.NotifyDocumentReplaced();
    return report;
}

std::string ImportTitle(const std::string& path) { return std::filesystem::path(path).stem().string(); }

}  // namespace fretlo
