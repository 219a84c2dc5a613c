// SPDX-License-Identifier: GPL-3.0-or-later
// TStatusPanel: one panel of the status bar, a sunken frame with one line of
// text. A new text repaints the panel and nothing else: the panel's size
// never depends on its text, so the status bar is not laid out again while a
// drawing reports its progress.
#pragma once

#include <QFrame>
#include <QString>

namespace vistal::ui {

class TStatusPanel : public QFrame {
    Q_OBJECT
public:
    // width 0: the panel takes what the others leave.
    TStatusPanel(int width, Qt::Alignment alignment, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    int width_;
    Qt::Alignment alignment_;
};

} // namespace vistal::ui
