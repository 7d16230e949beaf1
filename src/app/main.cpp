// fretlo [FILE]: the tablature editor. Installs the settings store for the core, builds the
// main window with the song named on the command line and runs the event loop.
#include <QStringList>
#include <exception>

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
    try {
        const TInstalledSettingsStore store;  // new tracks read their tuning presets through it
        TMainForm form(FileArgument(QApplication::arguments()));
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
