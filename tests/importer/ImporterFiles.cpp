#include "importer/ImporterFiles.h"

#include "import/ImportFiles.h"
#include "platform/SafeFile.h"

namespace fretlo::test {

void WriteMidiFile(const std::string& path, const std::vector<TTestPart>& parts) {
    std::vector<TBytes> bodies;
    for (const TTestPart& part : parts) {
        TBytes body;
        if (!part.Name.empty()) {
            body.insert(body.end(), {0, 0xFF, 0x03, static_cast<uint8_t>(part.Name.size())});
            body.insert(body.end(), part.Name.begin(), part.Name.end());
        }
        const auto status = [&](int kind) { return static_cast<uint8_t>(kind | part.Channel); };
        if (part.Program >= 0) body.insert(body.end(), {0, status(0xC0), static_cast<uint8_t>(part.Program)});
        for (const int key : part.Keys) {
            const auto k = static_cast<uint8_t>(key);
            body.insert(body.end(), {0, status(0x90), k, 100, 24, status(0x80), k, 0});
        }
        body.insert(body.end(), {0, 0xFF, 0x2F, 0});
        bodies.push_back(body);
    }
    WriteFileAtomically(path, Smf(1, 96, bodies));
}

}  // namespace fretlo::test
