#include "shell/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>

#include "shell/MainFormRules.h"

namespace fretlo {

QDialogButtonBox* MakeDialogButtons(QDialog& dialog, const THelpRequest& help, int context,
                                    std::function<void()> accept) {
    auto buttons = QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    if (help) buttons |= QDialogButtonBox::Help;
    auto* box = new QDialogButtonBox(buttons, &dialog);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, std::move(accept));
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (help) {
        const auto showHelp = [help, context] { help(context); };
        QObject::connect(box, &QDialogButtonBox::helpRequested, &dialog, showHelp);
        auto* f1 = new QShortcut(QKeySequence::HelpContents, &dialog);
        QObject::connect(f1, &QShortcut::activated, &dialog, showHelp);
    }
    box->button(QDialogButtonBox::Ok)->setDefault(true);
    return box;
}

void NameAfter(QWidget* control, const QString& caption) {
    QString name = caption;
    name.remove(QRegularExpression("&(?!&)")).replace("&&", "&");
    if (name.endsWith(':')) name.chop(1);
    control->setAccessibleName(name);
}

QLabel* BuddyLabel(const QString& caption, QWidget* control) {
    auto* label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    NameAfter(control, caption);
    return label;
}

void RefuseField(QWidget* parent, const QString& text, QWidget* focus) {
    QMessageBox::warning(parent, AppTitle, text);
    if (!focus) return;
    focus->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(focus)) edit->selectAll();
}

}  // namespace fretlo
