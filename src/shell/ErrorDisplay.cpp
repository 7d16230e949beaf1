#include "shell/ErrorDisplay.h"

#include <QMessageBox>

#include "base/Errors.h"
#include "shell/MainFormRules.h"

namespace fretlo {

void ShowException(const std::exception& error) {
    const bool internal = dynamic_cast<const EInternalError*>(&error) != nullptr;
    const std::string text = ErrorDisplayText(error.what(), internal);
    QMessageBox::critical(QApplication::activeWindow(), AppTitle, QString::fromStdString(text));
}

TFretloApplication::TFretloApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(AppTitle);
}

bool TFretloApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error);
    }
    return false;
}

}  // namespace fretlo
