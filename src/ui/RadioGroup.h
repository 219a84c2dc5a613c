// SPDX-License-Identifier: GPL-3.0-or-later
// TRadioGroup: a titled frame of radio buttons of which exactly one (or, before
// the first choice, none) is selected, addressed by item index. The items run
// down the columns: with five items in two columns the first holds three.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace vistal::ui {

class TRadioGroup : public QGroupBox {
    Q_OBJECT

public:
    TRadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent = nullptr);

    // The selected item, or -1 when none is.
    int ItemIndex() const;
    // Selects an item; an index outside the items clears the selection.
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const;
    int Count() const;

private:
    QButtonGroup* group_;
};

} // namespace vistal::ui
