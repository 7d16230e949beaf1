// What the Options pages do when a field is refused: show the field's page, tell why, and put
// the focus on the field.
#pragma once

#include <QString>

class QWidget;

namespace fretlo {

void RefuseOptionsField(QWidget* page, QWidget* field, const QString& text);

}  // namespace fretlo
