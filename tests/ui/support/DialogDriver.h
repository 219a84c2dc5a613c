// SPDX-License-Identifier: GPL-3.0-or-later
// Small hands for the dialog tests: find a dialog's widgets by their names,
// type into edits and press buttons.
#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace vistal::test {

template <class T> T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child) ADD_FAILURE() << "no widget " << name;
    return child;
}

inline void Type(QWidget& parent, const char* edit, const QString& text) {
    if (auto* e = Child<QLineEdit>(parent, edit)) e->setText(text);
}

inline void Press(QWidget& parent, const char* button) {
    if (auto* b = Child<QAbstractButton>(parent, button)) b->click();
}

} // namespace vistal::test
