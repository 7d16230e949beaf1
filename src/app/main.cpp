// fretlo [FILE]: the tablature editor. Marks the process, hands FILE to a running instance
// when one takes it, and otherwise installs the settings store for the core, builds the main
// window with the song and runs the event loop.
#include <QStringList>
#include <exception>

#include "platform/qt/InstanceChannel.h"
#include "platform/qt/ProcessMarker.h"
#include "shell/Config.h"
#include "shell/ErrorDisplay.h"
#include "shell/Main.h"

using namespace fretlo;

namespace {

// The first argument that is not an option (Qt has taken its own options already).
QString FileArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith('-')) return arguments[i];
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    TFretloApplication app(argc, argv);
    const TProcessMarker marker;
    const QString fileName = FileArgument(QApplication::arguments());
    if (HandOverToRunningInstance(fileName)) return 0;
    try {
        const TInstalledSettingsStore store;  // new tracks read their tuning presets through it
        TMainForm form(fileName);
        if (form.Settings().Maximized2)
            form.showMaximized();
        else
            form.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        ShowException(error);
        return 1;
    }
}
