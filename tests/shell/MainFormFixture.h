// A main window on a scratch settings file, and the means to answer the modal dialogs and
// message boxes its commands open.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "shell/Main.h"
#include "view/TabEditorView.h"

namespace fretlo::test {

// Runs `answer` on the next modal dialog as soon as it is shown. The command that opens the
// dialog is called after this and returns once `answer` has closed it.
inline void OnNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(2);
    QObject::connect(timer, &QTimer::timeout, [timer, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}

// Answers the next message box with `button` and keeps its text (line breaks as "\n").
inline void AnswerMessage(QMessageBox::StandardButton button, QString* text = nullptr) {
    OnNextModal([button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr) << "expected a message box, got " << modal->metaObject()->className();
        if (text) *text = box->text();
        // Clicked, as a user would: the box reports the button it was closed with.
        QAbstractButton* pressed = box->button(button);
        ASSERT_NE(pressed, nullptr) << "the box has no such button: " << box->text().toStdString();
        pressed->click();
    });
}

// Accepts the next file dialog with `path` chosen.
inline void ChooseFile(const QString& path) {
    OnNextModal([path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr) << "expected a file dialog, got " << modal->metaObject()->className();
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog checks the name first
    });
}

// Runs `fill` on the next dialog of type T, then presses its OK button.
template <class T> void AcceptDialog(std::function<void(T&)> fill = {}) {
    OnNextModal([fill = std::move(fill)](QWidget* modal) {
        auto* dialog = qobject_cast<T*>(modal);
        ASSERT_NE(dialog, nullptr) << "unexpected dialog " << modal->metaObject()->className();
        if (fill) fill(*dialog);
        auto* box = dialog->template findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        box->button(QDialogButtonBox::Ok)->click();
    });
}

class MainFormTest : public testing::Test {
protected:
    QTemporaryDir dir_;
    QString config_ = dir_.filePath("config/WinFretlo.ini");
    std::unique_ptr<TMainForm> form_;

    void SetUp() override { Open(); }

    // A window as the program builds it, on this test's settings file.
    // `silent`: typing previews nothing, so no test opens a sound device.
    void Open(const QString& fileName = {}, bool silent = true) {
        form_ = std::make_unique<TMainForm>(fileName, config_);
        if (silent) form_->View().SetPreviewMode(TPreviewMode::Off);
    }
    // Destroys the window, which writes the settings.
    void Close() { form_.reset(); }

    TMainForm& Form() { return *form_; }
    TTabDocument& Doc() { return form_->Document(); }
    TTabEditorView& View() { return form_->View(); }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // The window's action whose caption is `caption` (the first of two with the same caption).
    QAction* Action(const QString& caption) const {
        for (QAction* action : form_->findChildren<QAction*>()) {
            if (action->text() == caption) return action;
        }
        ADD_FAILURE() << "no action " << caption.toStdString();
        return nullptr;
    }

    void MoveCursor(int track, int space) {
        View().SetCursorTrack(track);
        View().SetCursorSpace(space, csTrackChanged);
    }
};

}  // namespace fretlo::test
