// Finding a dialog's control by its accessible name, as a screen reader finds it.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

namespace fretlo::test {

template <class T> T* Named(QWidget* dialog, const QString& name) {
    for (T* control : dialog->findChildren<T*>())
        if (control->accessibleName() == name) return control;
    ADD_FAILURE() << "no control named " << name.toStdString();
    return nullptr;
}

}  // namespace fretlo::test
