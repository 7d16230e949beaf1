#include "tool/cli/PlayOptions.h"

namespace fretlo::tool {

std::set<std::string> PlayValuedOptions(std::set<std::string> own) {
    own.insert({"--track", "--from-bar", "--device", "--metronome-volume", "--metronome-drum"});
    return own;
}

TPlayChoices ReadPlayChoices(TArgs& args) {
    TPlayChoices c;
    c.Track = args.Int("--track", 1, 1, MaxTracks);
    if (args.Flag("--all")) c.Track = 0;
    c.FromBar = args.Int("--from-bar", 1, 1, MaxBars);
    c.Device = args.Int("--device", -1, -1, 1023);
    c.Settings.IgnoreRepeats = args.Flag("--ignore-repeats");
    c.Settings.MetronomeOn = args.Flag("--metronome");
    c.Settings.MetronomeVolume = args.Int("--metronome-volume", c.Settings.MetronomeVolume, 0, 127);
    c.Settings.MetronomeDrum = args.Int("--metronome-drum", c.Settings.MetronomeDrum, 0, 127);
    if (args.Flag("--no-accent")) c.Settings.MetronomeAccent = false;
    return c;
}

TPlaybackRequest MakeRequest(const TPlayChoices& choices, const TCustomTabDoc& doc) {
    if (choices.Track > doc.TrackCount())
        throw EUsage("--track must be from 1 to " + std::to_string(doc.TrackCount()) + " for this song");
    if (choices.FromBar > doc.BarCount())
        throw EUsage("--from-bar must be from 1 to " + std::to_string(doc.BarCount()) + " for this song");
    TPlaybackRequest r;
    r.FirstTrack = choices.Track == 0 ? 0 : choices.Track - 1;
    r.LastTrack = choices.Track == 0 ? doc.TrackCount() - 1 : choices.Track - 1;
    r.StartTime = doc.BarCount() ? doc.Bar(choices.FromBar - 1).Start : 0;
    r.Settings = choices.Settings;
    return r;
}

}  // namespace fretlo::tool
