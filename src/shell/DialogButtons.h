// What the main window's dialogs share: OK, Cancel and Help buttons (Help and F1 show the
// dialog's help context), and the warning box that refuses a field.
#pragma once

#include <QDialogButtonBox>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace fretlo {

// Opens the help page of a context number.
using THelpRequest = std::function<void(int context)>;

// OK (default), Cancel and, when `help` is set, Help; OK runs `accept`, which closes the dialog
// itself when its fields are valid. Add the box to the dialog's layout.
QDialogButtonBox* MakeDialogButtons(QDialog& dialog, const THelpRequest& help, int context,
                                    std::function<void()> accept);

// A modal warning captioned "Fretlo"; `focus` (when set) gets the focus back afterwards.
void RefuseField(QWidget* parent, const QString& text, QWidget* focus = nullptr);

}  // namespace fretlo
