// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmVrpDialog (おすすめ座標一覧): the recommendation list in use. It lists
// the titles of a VRP file, shows the details of the selected record with a
// small preview drawn by an engine of its own, and applies the record to the
// main view (表示). It lives as long as the program and keeps its list
// between showings; every showing reloads the list file in use when it has
// changed since the last successful load.
#pragma once

#include "engine/vistal_class.h"
#include "locations/URecommendation.h"
#include "ui/Explorer.h"
#include "ui/LocationDetails.h"
#include "ui/Prompt.h"

#include <QDialog>
#include <QStringList>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace vistal::ui {

class TfrmVrpDialog : public QDialog, public TLocationDetails {
    Q_OBJECT

public:
    // The preview's size in pixels.
    static constexpr int kPreviewSize = 50;

    // arguments: the program's command-line arguments after its name; a first
    // argument ending in ".vrp" names the list to start with. Otherwise the
    // start-up list of the settings is loaded when AutoLoad is on. 表示
    // applies the selected record to the explorer.
    TfrmVrpDialog(TExplorer& explorer, TPrompt& prompt, const QStringList& arguments,
                  QWidget* parent = nullptr);
    ~TfrmVrpDialog() override;

    QListWidget* lsbRecommendation;
    QWidget* Panel2;
    QLabel* lblVcp;
    QLineEdit* edtMemo;
    QPushButton* bbnDisplay;
    QPushButton* BitBtn2; // ｷｬﾝｾﾙ
    QPushButton* bbnOpen;
    QPushButton* BitBtn1; // 設定
    QLabel* imgVistal;
    QTimer* timDraw;

    const TRecommendationList& List() const { return list_; }
    TVistal& PreviewEngine() { return *preview_; }
    // The file name the open dialog holds: the list file of the last
    // successful load, or the file last chosen in it.
    const QString& OpenFileName() const { return openFileName_; }

    // Loads a list file and shows it. A failed load is reported and ends in a
    // silent abort; the previous list stays.
    void LoadList(const QString& fileName);
    void ClearDetails();
    void FillTitles();
    void UpdateListCaption();
    // The index of the selected record, or -1.
    int SelectedIndex() const;

    // Reloads the list file in use when it is not the one loaded (each showing).
    void FormActivate();
    void bbnOpenClick();
    // Details and preview of record i; the preview is drawn before this returns.
    void lsbRecommendationClick(int i);
    // Applies the selected record to the main view and closes with OK.
    void bbnDisplayClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void timDrawTimer();
    // A file dropped on the dialog is read as a list, whatever its name.
    void FormDropFile(const QString& fileName);

    void reject() override;
    // The modal run, which goes on after the settings (BitBtn1Click) put the
    // list aside.
    int exec() override;

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate(const QStringList& arguments);
    void StopPreview();
    template <class F> void Handle(F&& handler);

    TExplorer& explorer_;
    TPrompt& prompt_;
    std::unique_ptr<TPromptReporter> reporter_;
    TRecommendationList list_;
    std::unique_ptr<TVistal> preview_;
    QString openFileName_;
    bool modal_ = false; // exec() runs
    bool aside_ = false; // hidden for the settings while it runs
};

} // namespace vistal::ui
