// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with the recommendation dialogs as the program creates
// them, files in a temporary folder, and files dropped on a window.
#pragma once

#include "support/MainWindowDriver.h"
#include "ui/EntryDialog.h"
#include "ui/VrpDialog.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

namespace vistal::test {

class LocationWindow : public MainWindow {
protected:
    // The main window, started, then the list dialog (with the program's
    // arguments) and the entry dialog.
    TfrmMain& StartWithDialogs(const QStringList& arguments = {}) {
        Start();
        CreateDialogs(arguments);
        return *window;
    }
    void CreateDialogs(const QStringList& arguments = {}) {
        window->CreateDialogs(arguments);
        list = window->frmVrpDialog();
        entry = window->frmEntry();
    }

    QString File(const QString& name) const { return dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const {
        QFile f(File(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    static QByteArray Read(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Drops the files on the widget, as a file manager would, and lets the
    // window handle them.
    static void Drop(QWidget* target, const QStringList& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& f : files)
            urls << QUrl::fromLocalFile(f);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        EXPECT_TRUE(drop.isAccepted());
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    ui::TfrmVrpDialog* list = nullptr; // the window's
    ui::TfrmEntry* entry = nullptr;
};

} // namespace vistal::test
