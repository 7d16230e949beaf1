#include "shell/OptionsRefusal.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>

namespace fretlo {

void RefuseOptionsField(QWidget* page, QWidget* field, const QString& text) {
    for (QWidget* w = page->parentWidget(); w; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            tabs->setCurrentWidget(page);
            break;
        }
    QMessageBox::warning(page, QObject::tr("Fretlo"), text);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

}  // namespace fretlo
