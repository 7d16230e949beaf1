#include "importer/TuningChoices.h"

#include <algorithm>

#include "import/ImportReport.h"
#include "playback/TuningPresets.h"

namespace fretlo {

std::vector<TTuningChoice> TuningChoices(int kind) {
    const TTrackKind& k = TrackKinds()[kind];
    std::vector<TTuningChoice> choices;
    for (const TTuningPreset& p : BuiltInTunings()) {
        if (p.StringCount != k.StringCount || p.Variant != k.Variant) continue;
        TTuningKeys keys{};
        std::copy_n(p.Notes.begin(), p.StringCount, keys.begin());
        choices.push_back({std::string(p.Name) + " (" + TuningText(kind, keys) + ")", keys});
    }
    return choices;
}

int FindTuning(const std::vector<TTuningChoice>& choices, const TTuningKeys& keys) {
    const auto found = std::find_if(choices.begin(), choices.end(),
                                    [&](const TTuningChoice& c) { return c.Keys == keys; });
    return found == choices.end() ? -1 : static_cast<int>(found - choices.begin());
}

}  // namespace fretlo
