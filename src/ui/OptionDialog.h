// SPDX-License-Identifier: GPL-3.0-or-later
// TfrmOption: the preferences (TGlobal) in seven pages: folders, start-up
// drawing method, start-up refresh rate, start-up rubber band, speed-up,
// wallpaper file and the language of the window from the next start on. Every showing fills the pages from
// TGlobal and opens on the first; 了解 applies and closes, 更新 applies and stays, ｷｬﾝｾﾙ closes.
#pragma once

#include "locations/UGlobal.h"
#include "ui/Prompt.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace vistal::ui {

class TRadioGroup;

class TfrmOption : public QDialog {
    Q_OBJECT

public:
    TfrmOption(TGlobal& global, TPrompt& prompt, QWidget* parent = nullptr);

    QTabWidget* pgcOption;
    // ﾌｫﾙﾀﾞ
    QCheckBox* ckbBmpSet;
    QLineEdit* edtBmpSet;
    QPushButton* btnBmpRef;
    QCheckBox* ckbVcpSet;
    QLineEdit* edtVcpSet;
    QPushButton* btnVcpRef;
    // 描画方法
    TRadioGroup* rdgDraw;
    // 書換頻度
    QRadioButton* rdb1_9;
    QScrollBar* srbRefresh;
    QLabel* lblRefreshMany;
    QLabel* lblRefreshFew;
    QLabel* lblRefreshValueCaption;
    QLabel* lblRefreshValue;
    QRadioButton* rdbNone;
    // ﾗﾊﾞｰﾊﾞﾝﾄﾞ
    TRadioGroup* rdgRubberBand;
    // 高速化
    QCheckBox* ckbHalf;
    QCheckBox* ckbMove;
    QScrollBar* srbRaito;
    QLabel* lblRaito;
    QLabel* lblRaitoSmall;
    QLabel* lblRaitoLarge;
    // 壁紙
    QRadioButton* rdbFree;
    QRadioButton* rdbFix;
    QLineEdit* edtKabegami;
    // 言語
    TRadioGroup* rdgLanguage;

    QPushButton* bbnOk;
    QPushButton* bbnCancel;
    QPushButton* bbnApply;

    // Fills every page from the settings (done each time the dialog is shown).
    // A refresh rate above 9 is lowered to 9 in the settings themselves.
    void FormActivate();
    // Writes the pages into the settings. A checked BMP folder that does not
    // exist is refused with an error box before anything is written: false.
    bool Apply();

signals:
    // Applying found the BMP (VCP) folder unchecked: the save (palette) file
    // dialog no longer starts in a folder of the settings.
    void BmpFolderReleased();
    void VcpFolderReleased();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ckbBmpSetClick();
    void ckbVcpSetClick();
    void btnBmpRefClick();
    void btnVcpRefClick();
    void rdbRefreshClick();
    void srbRefreshChange();
    void ckbSpeedUpClick();
    void rdbKabegamiClick();
    void bbnOkClick();
    void bbnApplyClick();
    void ChooseFolder(QCheckBox* box, QLineEdit* edit);

    TGlobal& global_;
    TPrompt& prompt_;
};

} // namespace vistal::ui
