// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DrawSettingDialog.h"

#include "ui/Guard.h"
#include "ui/NumberText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <initializer_list>

namespace vistal::ui {

namespace {

[[noreturn]] void BadIndex(const char* what, int index) {
    throw ERangeError(std::string(what) + "[" + std::to_string(index) + "]");
}

QComboBox* Combo(QWidget* parent, const char* name, const QStringList& items, bool editable) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    if (editable) {
        combo->setEditable(true);
        // What is typed is a number of its own: it neither becomes an item
        // nor is completed to one ("10" stays 10, not 1024).
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
    }
    return combo;
}

// The items are translated, in the dialog's context.
QComboBox* Combo(QWidget* parent, const char* name, std::initializer_list<const char*> items, bool editable) {
    QStringList texts;
    for (const char* item : items)
        texts << TfrmDrawSettingDialog::tr(item);
    return Combo(parent, name, texts, editable);
}

// The values of a menu's table as the list's items.
template <class T, std::size_t N> QStringList Numbers(const TMenuItem<T> (&items)[N]) {
    QStringList texts;
    for (const TMenuItem<T>& item : items)
        texts << FloatText(item.Value);
    return texts;
}

// The value of the item chosen from a list that shows a menu's table.
template <class T, std::size_t N> T ValueAt(const TMenuItem<T> (&items)[N], const char* what, int index) {
    if (index < 0 || index >= static_cast<int>(N)) BadIndex(what, index);
    return items[index].Value;
}

QLabel* Label(QWidget* parent, const char* name, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

// The item chosen in a list: in a list whose text may be typed, the item
// only while the text is still the item's; -1 when there is none.
int ChosenIndex(const QComboBox* combo) {
    const int index = combo->currentIndex();
    if (index >= 0 && combo->isEditable() && combo->itemText(index) != combo->currentText()) return -1;
    return index;
}

// Selects the item of a value, or shows the value as typed text.
void ShowValue(QComboBox* combo, int index, const QString& text) {
    if (index >= 0) {
        combo->setCurrentIndex(index);
    } else {
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
    }
}

// Selects the item of a value in a plain list; a value outside the list
// leaves the selection as it is.
void ShowIndex(QComboBox* combo, int index) {
    if (index >= 0 && index < combo->count()) combo->setCurrentIndex(index);
}

// A 32-bit integer, or the conversion error with the text.
int StrToInt(const QString& text) {
    const std::optional<int> value = ParseInt32(text);
    if (!value)
        throw EConvertError(TfrmDrawSettingDialog::tr("'%1' は整数ではありません").arg(text).toStdString());
    return *value;
}

// A count the drawing cannot use is refused as the input dialogs refuse it.
int AtLeast(int value, int min) {
    if (value < min)
        throw ERangeError(TfrmDrawSettingDialog::tr("値が小さすぎます\n%1 以上の数値を入力して下さい")
                              .arg(min)
                              .toStdString());
    return value;
}

} // namespace

TfrmDrawSettingDialog::TfrmDrawSettingDialog(TExplorer& explorer, TPrompt& prompt, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      explorer_(explorer), prompt_(prompt) {
    setObjectName("frmDrawSettingDialog");
    setWindowTitle(tr("描画設定"));

    // Created in the order of the page, which is the order of the tab key.
    cmbType = Combo(this, "cmbType", {QT_TR_NOOP("びすたる"), QT_TR_NOOP("じゅりあ")}, false);
    lblType = Label(this, "lblType", tr("画像タイプ(&C)"), cmbType);
    rdbBasic = new QRadioButton(tr("基本"), this);
    rdbBasic->setObjectName("rdbBasic");
    lblDrawMode = Label(this, "lblDrawMode", tr("描画方法(&W)"), rdbBasic);
    cmbDrawModeBasic = Combo(this, "cmbDrawModeBasic",
                             {QT_TR_NOOP("普通"), QT_TR_NOOP("探索"), QT_TR_NOOP("境界走査"),
                              QT_TR_NOOP("浮き出し"), QT_TR_NOOP("簡易ｱﾝﾁｴﾘｱｼﾝｸﾞ")},
                             false);
    rdbExt = new QRadioButton(tr("拡張"), this);
    rdbExt->setObjectName("rdbExt");
    cmbDrawModeExt = Combo(this, "cmbDrawModeExt",
                           {QT_TR_NOOP("標準"), QT_TR_NOOP("ポテンシャル"), QT_TR_NOOP("ポテンシャル2"),
                            QT_TR_NOOP("ポテンシャル3")},
                           false);
    auto* methods = new QButtonGroup(this);
    methods->addButton(rdbBasic);
    methods->addButton(rdbExt);

    cmbCompo = Combo(this, "cmbCompo", {QT_TR_NOOP("あり"), QT_TR_NOOP("なし")}, false);
    lblCompo = Label(this, "lblCompo", tr("合成"), cmbCompo);
    cmbBright = Combo(
        this, "cmbBright",
        {QT_TR_NOOP("明るさ1"), QT_TR_NOOP("明るさ2"), QT_TR_NOOP("明るさ3"), QT_TR_NOOP("明るさ4")}, false);
    lblBright = Label(this, "lblBright", tr("明るさ取得"), cmbBright);
    cmbCorrection = Combo(this, "cmbCorrection", Numbers(kCorrectionItems), true);
    lblCorrection = Label(this, "lblCorrection", tr("補正係数"), cmbCorrection);
    cmbLightDark = Combo(this, "cmbLightDark", {QT_TR_NOOP("明暗1"), QT_TR_NOOP("明暗2")}, false);
    lblLightDark = Label(this, "lblLightDark", tr("明暗"), cmbLightDark);
    cmbRepresentation = Combo(this, "cmbRepresentation", {QT_TR_NOOP("表現1"), QT_TR_NOOP("表現2")}, false);
    lblRepresentation = Label(this, "lblRepresentation", tr("表現"), cmbRepresentation);
    cmbEscape = Combo(this, "cmbEscape", Numbers(kEscapeItems), true);
    lblEscape = Label(this, "lblEscape", tr("打切判定数"), cmbEscape);

    cmbIteration = Combo(this, "cmbIteration", Numbers(kIterationItems), true);
    lblIteration = Label(this, "lblIteration", tr("繰り返し(&I)"), cmbIteration);
    cmbDetail = Combo(this, "cmbDetail", Numbers(kDetailItems), true);
    lblDetail = Label(this, "lblDetail", tr("分解能(&D)"), cmbDetail);
    cmbPower = Combo(this, "cmbPower", {QT_TR_NOOP("標準(2)"), "3", "4", "5"}, true);
    lblPower = Label(this, "lblPower", tr("巾乗(&N)"), cmbPower);
    ckbShadeOff = new QCheckBox(tr("ぼかす"), this);
    ckbShadeOff->setObjectName("ckbShadeOff");
    lblShadeOff = Label(this, "lblShadeOff", tr("ぼかし"), ckbShadeOff);
    txtBrightnessRaito = new QLineEdit(this);
    txtBrightnessRaito->setObjectName("txtBrightnessRaito");
    txtBrightnessRaito->setToolTip(tr("明るさ変更(-1～1)"));
    lblBrightnessRaito = Label(this, "lblBrightnessRaito", tr("明るさ"), txtBrightnessRaito);

    bbnReDraw = new QPushButton(tr("再描画(&R)"), this);
    bbnReDraw->setObjectName("bbnReDraw");
    bbnReDraw->setDefault(true);
    bbnReDraw->setAutoDefault(true);
    bbnClose = new QPushButton(tr("閉じる(&C)"), this);
    bbnClose->setObjectName("bbnClose");
    bbnClose->setAutoDefault(false);

    // Every list as wide as the widest item of all, so the columns line up
    // (measured in the style the lists will be shown in).
    ensurePolished();
    int listWidth = 0;
    for (QComboBox* combo : findChildren<QComboBox*>())
        listWidth = std::max(listWidth, combo->sizeHint().width());
    for (QComboBox* combo : findChildren<QComboBox*>())
        combo->setFixedWidth(listWidth);
    txtBrightnessRaito->setFixedWidth(listWidth);

    // Two columns of a label and its control; the method's two buttons stand
    // before their lists, and the options of the extended methods are set in
    // under 拡張.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->setColumnMinimumWidth(2, 12);
    int row = 0;
    grid->addWidget(lblType, row, 0);
    grid->addWidget(cmbType, row, 1);
    ++row;
    grid->addWidget(lblDrawMode, row, 0);
    ++row;
    const auto method = [&](QRadioButton* button, QComboBox* list) {
        auto* indented = new QHBoxLayout;
        indented->addSpacing(12);
        indented->addWidget(button);
        grid->addLayout(indented, row, 0);
        grid->addWidget(list, row, 1);
        ++row;
    };
    method(rdbBasic, cmbDrawModeBasic);
    method(rdbExt, cmbDrawModeExt);
    const auto pair = [&](QLabel* leftLabel, QWidget* left, QLabel* rightLabel, QWidget* right) {
        if (leftLabel) {
            grid->addWidget(leftLabel, row, 0);
            grid->addWidget(left, row, 1);
        }
        if (rightLabel) {
            grid->addWidget(rightLabel, row, 3);
            grid->addWidget(right, row, 4);
        }
        ++row;
    };
    for (QLabel* label : {lblCompo, lblBright, lblCorrection, lblLightDark, lblRepresentation, lblEscape})
        label->setIndent(label == lblCompo || label == lblCorrection || label == lblRepresentation ? 32 : 0);
    pair(lblCompo, cmbCompo, lblBright, cmbBright);
    pair(lblCorrection, cmbCorrection, lblLightDark, cmbLightDark);
    pair(lblRepresentation, cmbRepresentation, lblEscape, cmbEscape);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, row++, 0, 1, 5);
    pair(lblIteration, cmbIteration, lblDetail, cmbDetail);
    pair(lblPower, cmbPower, lblShadeOff, ckbShadeOff);
    pair(lblBrightnessRaito, txtBrightnessRaito, nullptr, nullptr);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbnReDraw);
    buttons->addWidget(bbnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(rdbBasic, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Guarded(prompt_, [this] { rdbBasicClick(); });
    });
    connect(rdbExt, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Guarded(prompt_, [this] { rdbExtClick(); });
    });
    connect(bbnReDraw, &QPushButton::clicked, this,
            [this] { Guarded(prompt_, [this] { bbnReDrawClick(); }); });
    connect(bbnClose, &QPushButton::clicked, this, [this] { Guarded(prompt_, [this] { bbnCloseClick(); }); });

    FormCreate();
    SetCurrentValues();
}

void TfrmDrawSettingDialog::FormCreate() {
    cmbDrawModeBasic->setCurrentIndex(0);
    cmbDrawModeExt->setCurrentIndex(0);
    cmbBright->setCurrentIndex(0);
    cmbCompo->setCurrentIndex(0);
    cmbCorrection->setCurrentIndex(0);
    cmbLightDark->setCurrentIndex(0);
    cmbRepresentation->setCurrentIndex(0);
    cmbEscape->setCurrentIndex(2);
    cmbIteration->setCurrentIndex(0);
    cmbDetail->setCurrentIndex(0);
    cmbPower->setCurrentIndex(0);
    rdbBasic->setChecked(true);
    EnableMethodControls(false);
}

void TfrmDrawSettingDialog::showEvent(QShowEvent* event) {
    // Centred on the screen the first time; afterwards where the user left it.
    if (!placed_) {
        placed_ = true;
        QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
        adjustSize();
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
    Guarded(prompt_, [this] { SetCurrentValues(); });
}

void TfrmDrawSettingDialog::EnableMethodControls(bool extended) {
    cmbDrawModeBasic->setEnabled(!extended);
    for (QWidget* w : std::initializer_list<QWidget*>{
             cmbDrawModeExt, cmbCompo, lblCompo, cmbBright, lblBright, cmbCorrection, lblCorrection,
             cmbLightDark, lblLightDark, cmbRepresentation, lblRepresentation, cmbEscape, lblEscape})
        w->setEnabled(extended);
    lblDrawMode->setBuddy(extended ? rdbExt : rdbBasic);
}

void TfrmDrawSettingDialog::rdbBasicClick() {
    EnableMethodControls(false);
}

void TfrmDrawSettingDialog::rdbExtClick() {
    EnableMethodControls(true);
}

void TfrmDrawSettingDialog::SetCurrentValues() {
    const TVistal& e = explorer_.Engine();
    bool typeKnown = true;
    switch (e.Formula()) {
    case fmMandelbrot:
        cmbType->setCurrentIndex(0);
        break;
    case fmJulia:
        cmbType->setCurrentIndex(1);
        break;
    default:
        typeKnown = false;
        break;
    }

    const int basic = IndexOf(kDrawModeItems, e.DrawMode);
    const int extended = IndexOf(kExtDrawModeItems, e.DrawMode);
    if (basic >= 0) {
        rdbBasic->setChecked(true);
        cmbDrawModeBasic->setCurrentIndex(basic);
    } else if (extended >= 0) {
        rdbExt->setChecked(true);
        cmbDrawModeExt->setCurrentIndex(extended);
    }
    EnableMethodControls(rdbExt->isChecked());

    ShowIndex(cmbCompo, IndexOf(kDrawCompoItems, e.DrawCompo));
    ShowIndex(cmbBright, IndexOf(kPotentialBrightItems, e.PotentialBright));
    ShowIndex(cmbLightDark, IndexOf(kLightDarkItems, e.LightDark));
    ShowIndex(cmbRepresentation, IndexOf(kRepresentItems, e.Represent));

    ShowValue(cmbCorrection, IndexOf(kCorrectionItems, e.Correction()), FloatText(e.Correction()));
    ShowValue(cmbEscape, IndexOf(kEscapeItems, e.Escape()), FloatText(e.Escape()));
    // The last limit of the list (200000) is shown as text.
    const int iteration = IndexOf(kIterationItems, e.Iteration());
    ShowValue(cmbIteration, iteration < UserItemOf(kIterationItems) - 1 ? iteration : -1,
              QString::number(e.Iteration()));
    ShowValue(cmbDetail, IndexOf(kDetailItems, e.Detail()), QString::number(e.Detail()));
    ShowValue(cmbPower, IndexOf(kPowerItems, e.Pow()), QString::number(e.Pow()));

    ckbShadeOff->setChecked(e.ShadeOff);
    txtBrightnessRaito->setText(FloatText(e.BrightnessRaite()));

    // Told last, so that everything else is shown all the same.
    if (!typeKnown) prompt_.ShowError(QStringLiteral("Error in SetCurrentValues ObjectType"));
}

void TfrmDrawSettingDialog::ApplyValues() {
    TExplorer& w = explorer_;

    // A new formula starts at its home view; Julia takes the centre as its constant.
    const int type = cmbType->currentIndex();
    if (type == 0 || type == 1) {
        const std::uint8_t formula = type == 0 ? fmMandelbrot : fmJulia;
        if (w.Place().Formula != formula) w.StopAndChangeFormula();
    } else {
        prompt_.ShowError(QStringLiteral("Error in SetCurrentValues"));
    }

    if (rdbBasic->isChecked())
        w.SelectDrawMode(ValueAt(kDrawModeItems, "DrawMode", ChosenIndex(cmbDrawModeBasic)));
    else
        w.SelectDrawMode(ValueAt(kExtDrawModeItems, "DrawMode", ChosenIndex(cmbDrawModeExt)));
    w.SelectDrawCompo(ValueAt(kDrawCompoItems, "Compo", ChosenIndex(cmbCompo)));
    w.SelectPotentialBright(ValueAt(kPotentialBrightItems, "Bright", ChosenIndex(cmbBright)));
    w.SelectCorrection(StrToFloat(cmbCorrection->currentText()));
    w.SelectLightDark(ValueAt(kLightDarkItems, "LightDark", ChosenIndex(cmbLightDark)));
    w.SelectRepresent(ValueAt(kRepresentItems, "Representation", ChosenIndex(cmbRepresentation)));

    int index = ChosenIndex(cmbEscape);
    w.SelectEscape(index >= 0 ? kEscapeItems[index].Value : StrToFloat(cmbEscape->currentText()));

    index = ChosenIndex(cmbIteration);
    w.SelectIteration(index >= 0 ? kIterationItems[index].Value
                                 : AtLeast(StrToInt(cmbIteration->currentText()), 1));

    index = ChosenIndex(cmbDetail);
    w.SelectDetail(index >= 0 ? kDetailItems[index].Value : AtLeast(StrToInt(cmbDetail->currentText()), 1));

    // The exponent changes without a new view (the 巾乗 menu starts at the home view).
    index = ChosenIndex(cmbPower);
    w.SelectPower(index >= 0 ? kPowerItems[index].Value : AtLeast(StrToInt(cmbPower->currentText()), 2));

    w.SelectShadeOff(ckbShadeOff->isChecked());

    w.SetBrightnessRaite(StrToFloat(txtBrightnessRaito->text()));
}

void TfrmDrawSettingDialog::bbnReDrawClick() {
    ApplyValues();
    explorer_.Draw(TDrawSource::Dialog);
}

void TfrmDrawSettingDialog::bbnCloseClick() {
    hide();
}

} // namespace vistal::ui
