// The exception display: every exception that reaches the event loop or leaves a command is
// shown in one error box captioned "Fretlo".
#pragma once

#include <QApplication>
#include <exception>

namespace fretlo {

// The error box for an exception (an internal error loses the folders of its source file name).
void ShowException(const std::exception& error);

// The application object, whose event dispatch shows the exceptions that event handlers raise.
class TFretloApplication : public QApplication {
    Q_OBJECT
public:
    TFretloApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace fretlo
