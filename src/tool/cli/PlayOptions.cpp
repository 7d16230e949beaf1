#include "tool/cli/PlayOptions.h"

#include <vector>

namespace fretlo::tool {

namespace {

// `count` whole numbers within [lo, hi] separated by `separator`; EUsage naming the form.
std::vector<int> ReadNumbers(const std::string& name, const std::string& text, char separator,
                             size_t count, int lo, int hi, const char* form) {
    std::vector<int> numbers;
    for (size_t from = 0; numbers.size() <= count;) {
        const size_t end = text.find(separator, from);
        const auto v = ParseInteger(text.substr(from, end - from));
        if (!v || *v < lo || *v > hi) break;
        numbers.push_back(static_cast<int>(*v));
        if (end == std::string::npos) {
            if (numbers.size() == count) return numbers;
            break;
        }
        from = end + 1;
    }
    throw EUsage(name + " must be " + form + ", whole numbers from " + std::to_string(lo) + " to " +
                 std::to_string(hi));
}

void ReadPractice(TArgs& args, bool mayLoopForever, TPlayChoices& c) {
    TPractice& p = c.Practice;
    if (const auto loop = args.Value("--loop")) {
        const bool single = loop->find('-') == std::string::npos;
        const std::vector<int> bars =
            ReadNumbers("--loop", *loop, '-', single ? 1 : 2, 1, MaxBars, "BAR or FIRST-LAST");
        c.LoopFirstBar = bars.front();
        c.LoopLastBar = bars.back();
        if (c.LoopLastBar < c.LoopFirstBar) throw EUsage("--loop must not end before it starts");
    }
    p.Passes = args.Int("--loops", 0, 1, 100000);
    const bool speedGiven = args.Value("--speed").has_value();
    p.Speed = args.Int("--speed", NormalSpeed, MinSpeed, MaxSpeed);
    if (const auto trainer = args.Value("--trainer")) {
        if (speedGiven) throw EUsage("--speed and --trainer exclude each other");
        const std::vector<int> v =
            ReadNumbers("--trainer", *trainer, ',', 4, 1, 1000, "START,STEP,EVERY,TARGET");
        p.Trainer = TSpeedTrainer{v[0], v[1], v[2], v[3]};
        if (v[0] < MinSpeed || v[3] > MaxSpeed || v[0] > v[3])
            throw EUsage("--trainer must rise from START to TARGET within 25 to 200 %");
    }
    p.Loop = c.LoopFirstBar > 0 || p.Passes > 0 || p.Trainer;
    if (p.Loop && p.Passes == 0 && !mayLoopForever)
        throw EUsage("a loop needs --loops N here, or it would never end");
    p.CountIn = args.Flag("--count-in");
}

}  // namespace

std::set<std::string> PlayValuedOptions(std::set<std::string> own) {
    own.insert({"--track", "--from-bar", "--device", "--metronome-volume", "--metronome-drum", "--loop",
                "--loops", "--speed", "--trainer"});
    return own;
}

TPlayChoices ReadPlayChoices(TArgs& args, bool mayLoopForever) {
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
    ReadPractice(args, mayLoopForever, c);
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
    r.Practice = choices.Practice;
    if (choices.LoopLastBar > doc.BarCount())
        throw EUsage("--loop must lie within bars 1 to " + std::to_string(doc.BarCount()) + " of this song");
    if (r.Practice.Loop) {
        r.Practice.LoopStart = choices.LoopFirstBar ? doc.Bar(choices.LoopFirstBar - 1).Start : 0;
        r.Practice.LoopEnd = choices.LoopLastBar ? doc.Bar(choices.LoopLastBar - 1).End : doc.SongLength();
    }
    return r;
}

}  // namespace fretlo::tool
