// What the window and dialog tests share: answering the modal dialogs and message boxes a
// command opens, finding a dialog's controls, and a main window on a scratch settings file.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
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

inline void ClickOk(QWidget& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// Presses OK on a dialog that must refuse it: returns the message shown, and whether the
// dialog stayed open.
inline QString RefusedOk(QWidget& dialog, bool* stayedOpen = nullptr) {
    QString text;
    AnswerMessage(QMessageBox::Ok, &text);
    ClickOk(dialog);
    if (stayedOpen) *stayedOpen = dialog.isVisible();
    return text;
}

// Runs `fill` on the next dialog of type T, then presses its OK button.
template <class T> void AcceptDialog(std::function<void(T&)> fill = {}) {
    OnNextModal([fill = std::move(fill)](QWidget* modal) {
        auto* dialog = qobject_cast<T*>(modal);
        ASSERT_NE(dialog, nullptr) << "unexpected dialog " << modal->metaObject()->className();
        if (fill) fill(*dialog);
        ClickOk(*dialog);
    });
}

// While it lives, every modal window that opens is handed to `answer` (which must close it).
class TModalAnswerer {
public:
    explicit TModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) answer_(modal);
        });
        timer_.start(5);
    }

private:
    std::function<void(QWidget*)> answer_;
    QTimer timer_;
};

// Answers message boxes with `button` (OK where it has none), recording their captions and
// texts, and a name prompt with `name`.
struct TMessages {
    explicit TMessages(QMessageBox::StandardButton button = QMessageBox::Ok, QString name = {})
        : answerer([this, button, name](QWidget* modal) {
              if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                  input->setTextValue(name);
                  input->accept();
              } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                  Captions.push_back(box->windowTitle());
                  Texts.push_back(box->text());
                  (box->button(button) ? box->button(button) : box->button(QMessageBox::Ok))->click();
              }
          }) {}
    QStringList Captions;
    QStringList Texts;
    TModalAnswerer answerer;
};

// A dialog's control by its accessible name, as a screen reader finds it.
template <class T> T* Named(QWidget* dialog, const QString& name) {
    for (T* control : dialog->findChildren<T*>())
        if (control->accessibleName() == name) return control;
    ADD_FAILURE() << "no control named " << name.toStdString();
    return nullptr;
}

// A dialog's button or label by its caption, access key included.
template <class T> T* Captioned(QWidget* dialog, const QString& caption) {
    for (T* control : dialog->findChildren<T*>())
        if (control->text() == caption) return control;
    ADD_FAILURE() << "no control captioned " << caption.toStdString();
    return nullptr;
}

// The window's action whose caption is `caption` (the first of two with the same caption).
inline QAction* FindAction(const QWidget& form, const QString& caption) {
    for (QAction* action : form.findChildren<QAction*>())
        if (action->text() == caption) return action;
    ADD_FAILURE() << "no action " << caption.toStdString();
    return nullptr;
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

    QAction* Action(const QString& caption) const { return FindAction(*form_, caption); }

    void MoveCursor(int track, int space) {
        View().SetCursorTrack(track);
        View().SetCursorSpace(space, csTrackChanged);
    }
};

}  // namespace fretlo::test
