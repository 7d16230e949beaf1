#include "shell/InstrumentList.h"

#include <QComboBox>

#include "playback/MidiNames.h"

namespace fretlo {

void FillInstrumentList(QComboBox& list, bool drums) {
    const int selected = list.currentIndex();
    list.clear();
    for (int program = 0; program < 128; ++program) {
        const std::string_view name = drums ? DrumKitNames[program] : GmInstrumentNames[program];
        list.addItem(QString("%1 - %2").arg(program).arg(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))));
    }
    list.setCurrentIndex(selected);
}

}  // namespace fretlo
