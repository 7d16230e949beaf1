#include "playback/MidiRecorder.h"

#include "base/Errors.h"

namespace fretlo {

namespace {

class TRecorderOut : public MidiOut {
public:
    explicit TRecorderOut(TMidiRecorder& recorder) : recorder_(recorder) {}
    bool Open() override {
        recorder_.IsOpen = recorder_.OpenError.empty();
        return recorder_.IsOpen;
    }
    void ShortMsg(uint32_t m) override {
        if (!recorder_.SendError.empty()) throw EFretloError(recorder_.SendError);
        ++recorder_.MessageCount;
        if (recorder_.Recording)
            recorder_.Events.push_back({recorder_.CurrentTick, static_cast<uint8_t>(m),
                                        static_cast<uint8_t>(m >> 8), static_cast<uint8_t>(m >> 16)});
    }
    void Close() override { recorder_.IsOpen = false; }
    std::string ErrorText() const override { return recorder_.OpenError; }

private:
    TMidiRecorder& recorder_;
};

}  // namespace

std::unique_ptr<MidiOut> TMidiRecorder::Create(int) { return std::make_unique<TRecorderOut>(*this); }

}  // namespace fretlo
