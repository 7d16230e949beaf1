// fretlo-tool trace: the MIDI messages of a whole playback, one line per message, from a
// virtual clock into the recorder.
#include <cstdio>

#include "playback/MidiRecorder.h"
#include "tool/Commands.h"
#include "tool/cli/PlayOptions.h"

namespace fretlo::tool {

namespace {

// Stamps each message with its tick; the device's closing messages are left out.
class TTraceHooks : public TVirtualRunHooks {
public:
    explicit TTraceHooks(TMidiRecorder& recorder) : recorder_(recorder) {}
    void BeforeTick(int tick) override { recorder_.CurrentTick = tick; }
    void Stopped(int) override { recorder_.Recording = false; }

private:
    TMidiRecorder& recorder_;
};

}  // namespace

int CmdTrace(const std::vector<std::string>& argv) {
    TArgs args(argv, PlayValuedOptions({}));
    const std::string& file = args.Positional(0, "FILE");
    const TPlayChoices choices = ReadPlayChoices(args);
    args.Finish(1);
    TCustomTabDoc doc;
    doc.LoadFromFile(file);
    TMidiRecorder recorder;
    TTraceHooks hooks(recorder);
    RunVirtualPlayback(doc, recorder, MakeRequest(choices, doc), hooks);
    for (const TMidiEvent& e : recorder.Events)
        std::printf("%d %02X %02X %02X\n", e.Tick, e.Status, e.Data1, e.Data2);
    return 0;
}

}  // namespace fretlo::tool
