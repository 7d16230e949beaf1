// A modal window that no test answers would wait for a click for ever, and the suite would
// end only at the test runner's timeout without saying what was asked. This watch fails the
// running test instead, naming the window and its text, and closes the window so the rest of
// the suite runs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace fretlo::test {

class TUnansweredModalWatch {
public:
    // Long enough for every dialog a test answers, also under the sanitizers.
    static constexpr int PatienceMs = 10000;

    TUnansweredModalWatch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Check(); });
        timer_.start(200);
    }

private:
    void Check() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != seen_) {
            seen_ = modal;
            since_.start();
            return;
        }
        if (!modal || since_.elapsed() < PatienceMs) return;
        const auto* box = qobject_cast<QMessageBox*>(modal);
        ADD_FAILURE() << "nobody answered the " << modal->metaObject()->className() << " \""
                      << modal->windowTitle().toStdString() << "\""
                      << (box ? ": " + box->text().toStdString() : std::string());
        seen_ = nullptr;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
    }

    QTimer timer_;
    QPointer<QWidget> seen_;
    QElapsedTimer since_;
};

}  // namespace fretlo::test
