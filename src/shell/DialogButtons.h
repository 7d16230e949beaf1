// What the main window's dialogs share: OK, Cancel and Help buttons (Help and F1 show the
// dialog's help context), and the warning box that refuses a field.
#pragma once

#include <QDialogButtonBox>
#include <QString>
#include <functional>

class QDialog;
class QLabel;
class QWidget;

namespace fretlo {

// Opens the help page of a context number.
using THelpRequest = std::function<void(int context)>;

// OK (default), Cancel and, when `help` is set, Help; OK runs `accept`, which closes the dialog
// itself when its fields are valid. Add the box to the dialog's layout.
QDialogButtonBox* MakeDialogButtons(QDialog& dialog, const THelpRequest& help, int context,
                                    std::function<void()> accept);

// The label of a control: its access key moves to the control, and its text without the "&"
// and the closing ":" is the control's accessible name.
QLabel* BuddyLabel(const QString& caption, QWidget* control);
// Names a control after its caption the same way, for controls that carry their own caption.
void NameAfter(QWidget* control, const QString& caption);

// A modal warning captioned "Fretlo"; `focus` (when set) gets the focus back afterwards.
void RefuseField(QWidget* parent, const QString& text, QWidget* focus = nullptr);

}  // namespace fretlo
