// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/VrpDialog.h"

#include "locations/ULocationTarget.h"
#include "ui/DroppedFile.h"
#include "ui/Guard.h"
#include "ui/Language.h"
#include "ui/PictureImage.h"
#include "ui/VrpSettingDialog.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace vistal::ui {

namespace {

QString VrpFilter() {
    return TfrmVrpDialog::tr("VRPﾌｧｲﾙ(*.vrp)|*.vrp|全てのﾌｧｲﾙ|*");
}
// The preview is shown this often while it is drawn (ms).
constexpr int kPreviewRefresh = 100;

QLabel* Caption(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, const QString& hint = QString()) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) button->setToolTip(hint);
    return button;
}

} // namespace

template <class F> void TfrmVrpDialog::Handle(F&& handler) {
    Guarded(prompt_, std::forward<F>(handler));
}

TfrmVrpDialog::TfrmVrpDialog(TExplorer& explorer, TPrompt& prompt, const QStringList& arguments,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      explorer_(explorer), prompt_(prompt) {
    setObjectName("frmVrpDialog");
    setSizeGripEnabled(true);

    lsbRecommendation = new QListWidget(this);
    lsbRecommendation->setObjectName("lsbRecommendation");
    lsbRecommendation->setMinimumSize(200, 80);

    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    auto* details = new QGridLayout(Panel2);
    details->setContentsMargins(4, 6, 4, 2);
    details->setHorizontalSpacing(12);
    details->setVerticalSpacing(3);
    int row = BuildDetails(Panel2, details, 0);
    lblVcp = new QLabel(Panel2);
    lblVcp->setObjectName("lblVcp");
    lblVcp->setTextInteractionFlags(Qt::TextSelectableByMouse);
    details->addWidget(Caption(Panel2, "lblVcpCaption", tr("V C P")), row, 0);
    details->addWidget(lblVcp, row++, 1);
    // The memo in a read-only edit without a frame, as wide as the panel
    // leaves it: a long memo can be scrolled and copied.
    edtMemo = new QLineEdit(Panel2);
    edtMemo->setObjectName("edtMemo");
    edtMemo->setReadOnly(true);
    edtMemo->setFrame(false);
    edtMemo->setFocusPolicy(Qt::ClickFocus);
    QPalette memo = edtMemo->palette();
    memo.setColor(QPalette::Base, memo.color(QPalette::Window));
    edtMemo->setPalette(memo);
    edtMemo->setTextMargins(-2, 0, 0, 0); // its text lines up with the labels above
    details->addWidget(Caption(Panel2, "lblMemoCaption", tr("メ  モ")), row, 0);
    details->addWidget(edtMemo, row++, 1);
    details->setColumnStretch(1, 1);

    bbnDisplay = Button(this, "bbnDisplay", tr("表示(&D)"));
    bbnDisplay->setDefault(true);
    BitBtn2 = Button(this, "BitBtn2", tr("ｷｬﾝｾﾙ(&C)"));
    bbnOpen = Button(this, "bbnOpen", tr("読込み(&L)..."), tr("VRP(おすすめ座標)ﾌｧｲﾙを読み込みます"));
    BitBtn1 = Button(this, "BitBtn1", tr("設定(&S)..."), tr("おすすめ座標に関する設定をします"));
    for (QPushButton* b : {bbnDisplay, BitBtn2, bbnOpen, BitBtn1})
        b->setAutoDefault(false);
    imgVistal = new QLabel(this);
    imgVistal->setObjectName("imgVistal");
    imgVistal->setFixedSize(kPreviewSize, kPreviewSize);
    timDraw = new QTimer(this);
    timDraw->setObjectName("timDraw");

    auto* left = new QVBoxLayout;
    left->addWidget(lsbRecommendation, 1);
    left->addWidget(Panel2);
    auto* right = new QVBoxLayout;
    right->addWidget(bbnDisplay);
    right->addWidget(BitBtn2);
    right->addSpacing(10);
    right->addWidget(bbnOpen);
    right->addWidget(BitBtn1);
    right->addSpacing(10);
    right->addWidget(imgVistal, 0, Qt::AlignHCenter);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    resize(440, 330);

    // A record is chosen when it is selected (a click, the arrow keys); the
    // list taking the focus marks its first line without choosing it.
    connect(lsbRecommendation, &QListWidget::itemSelectionChanged, this, [this] {
        const int i = SelectedIndex();
        if (i >= 0) Handle([&] { lsbRecommendationClick(i); });
    });
    connect(lsbRecommendation, &QListWidget::itemDoubleClicked, this,
            [this] { Handle([this] { bbnDisplayClick(); }); });
    connect(bbnDisplay, &QPushButton::clicked, this, [this] { Handle([this] { bbnDisplayClick(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Handle([this] { BitBtn2Click(); }); });
    connect(bbnOpen, &QPushButton::clicked, this, [this] { Handle([this] { bbnOpenClick(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Handle([this] { BitBtn1Click(); }); });
    connect(timDraw, &QTimer::timeout, this, [this] { Handle([this] { timDrawTimer(); }); });

    FormCreate(arguments);
}

TfrmVrpDialog::~TfrmVrpDialog() {
    // FormDestroy: a preview still under way stops at its next row.
    StopPreview();
    timDraw->stop();
}

void TfrmVrpDialog::FormCreate(const QStringList& arguments) {
    // Everything the dialog needs exists before the start-up list is read, so
    // a list that fails to load leaves a dialog that works.
    reporter_ = std::make_unique<TPromptReporter>(prompt_);
    preview_ = std::make_unique<TVistal>();
    // One pool of workers for the window: the preview draws with the main
    // picture's, while the main drawing waits in its event processing.
    preview_->ShareWorkers(explorer_.Engine());
    preview_->ErrorReporter = reporter_.get();
    preview_->PumpHook = [] { QCoreApplication::processEvents(); };
    ClearDetails();
    bbnDisplay->setEnabled(false);
    imgVistal->hide();
    setAcceptDrops(true);
    setWindowTitle(tr("おすすめ座標一覧"));

    Handle([&] {
        const QString first = arguments.isEmpty() ? QString() : arguments.first();
        if (!first.isEmpty() && QFileInfo(first).suffix().toUpper() == QLatin1String("VRP")) {
            // The list named on the command line, or none at all.
            if (IsExistingFile(first.toStdString())) LoadList(first);
            return;
        }
        const TGlobal& g = explorer_.Global();
        if (g.AutoLoad && IsExistingFile(g.CurrentVrpFile))
            LoadList(QString::fromStdString(g.CurrentVrpFile));
    });
}

void TfrmVrpDialog::LoadList(const QString& fileName) {
    const std::string name = fileName.toStdString();
    try {
        list_.LoadFromFile(name);
    } catch (const EAbort&) {
        prompt_.ShowError(QString::fromStdString(list_.ErrorReport(name, InterfaceLanguage())));
        throw;
    }
    TGlobal& g = explorer_.Global();
    openFileName_ = fileName;
    g.CurrentVrpFile = name;
    if (g.TitleSorted) list_.SortByTitle();
    UpdateListCaption();
    StopPreview();
    ClearDetails();
    bbnDisplay->setEnabled(false);
    // The preview belonged to a record of the list that was shown before.
    imgVistal->hide();
    FillTitles();
}

void TfrmVrpDialog::ClearDetails() {
    TLocationDetails::ClearDetails();
    lblVcp->clear();
    edtMemo->clear();
}

void TfrmVrpDialog::FillTitles() {
    const QSignalBlocker quiet(lsbRecommendation); // filling selects nothing
    lsbRecommendation->clear();
    for (const auto& record : list_.Items())
        lsbRecommendation->addItem(QString::fromStdString(record->Title));
}

void TfrmVrpDialog::UpdateListCaption() {
    const std::string& file = explorer_.Global().CurrentVrpFile;
    if (file.empty())
        setWindowTitle(tr("おすすめ座標一覧"));
    else
        setWindowTitle(tr("おすすめ座標一覧(") + QFileInfo(QString::fromStdString(file)).fileName() +
                       QStringLiteral(")"));
}

void TfrmVrpDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only when the program shows the dialog, not when the desktop restores it.
    if (!event->spontaneous()) Handle([this] { FormActivate(); });
}

void TfrmVrpDialog::FormActivate() {
    const QString current = QString::fromStdString(explorer_.Global().CurrentVrpFile);
    if (openFileName_ != current) LoadList(current);
    if (!current.isEmpty()) lsbRecommendation->setFocus();
}

void TfrmVrpDialog::bbnOpenClick() {
    TFileRequest request;
    request.Title = tr("VRPﾌｧｲﾙを開く");
    request.Filter = VrpFilter();
    request.FileName = openFileName_;
    request.MustExist = true;
    const std::optional<TFileChoice> choice = prompt_.OpenFile(request);
    if (!choice) return;
    openFileName_ = choice->FileName;
    LoadList(choice->FileName);
}

void TfrmVrpDialog::lsbRecommendationClick(int i) {
    ClearDetails();
    const TRecommendation& r = list_.Item(i);
    ShowDetails(PlaceOf(r), explorer_.Engine().Height());
    lblVcp->setText(QString::fromStdString(r.Vcp));
    edtMemo->setText(QString::fromStdString(r.Memo));
    edtMemo->setCursorPosition(0);
    if (!bbnDisplay->isEnabled()) {
        bbnDisplay->setEnabled(true);
        imgVistal->show();
    }

    // The preview: the record as the main window would draw it, on an engine
    // of its own, so that nothing of the main view changes.
    TVistal& p = *preview_;
    p.SetDrawing(false); // a preview under way stops
    p.SetWidth(kPreviewSize);
    p.SetHeight(kPreviewSize);
    PreviewRecommendation(r, p, explorer_.Engine(), explorer_.DetailAuto(), explorer_.Global());

    timDraw->start(kPreviewRefresh);
    const auto finish = [this] {
        timDraw->stop();
        timDrawTimer();
    };
    p.ClearResultCache();
    try {
        p.Draw();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TfrmVrpDialog::timDrawTimer() {
    imgVistal->setPixmap(QPixmap::fromImage(ImageOf(preview_->GetImage())));
}

int TfrmVrpDialog::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = lsbRecommendation->selectedItems();
    return selected.isEmpty() ? -1 : lsbRecommendation->row(selected.first());
}

void TfrmVrpDialog::bbnDisplayClick() {
    const int i = SelectedIndex();
    if (i < 0 || i >= list_.Count()) return;
    StopPreview();
    explorer_.ApplyRecommendation(list_.Item(i));
    accept();
}

void TfrmVrpDialog::BitBtn1Click() {
    // The list steps aside while its settings are up. Hiding a dialog ends
    // its modal run: exec() runs it again, which shows it.
    TfrmVrpSetting setting(explorer_.Global(), prompt_, parentWidget() ? parentWidget() : this);
    aside_ = modal_;
    hide();
    const int result = prompt_.Exec(setting);
    if (!aside_) show();
    const TGlobal& g = explorer_.Global();
    if (result == QDialog::Accepted && !g.CurrentVrpFile.empty() && g.TitleSorted) {
        StopPreview();
        list_.SortByTitle();
        ClearDetails();
        bbnDisplay->setEnabled(false);
        imgVistal->hide();
        FillTitles();
    }
}

void TfrmVrpDialog::BitBtn2Click() {
    StopPreview();
    QDialog::reject();
}

void TfrmVrpDialog::reject() {
    // Escape and the window's close button cancel as ｷｬﾝｾﾙ does.
    Handle([this] { BitBtn2Click(); });
}

int TfrmVrpDialog::exec() {
    const QPointer<TfrmVrpDialog> alive(this);
    modal_ = true;
    int result;
    do {
        aside_ = false;
        result = QDialog::exec();
    } while (alive && aside_);
    if (alive) modal_ = false;
    return result;
}

void TfrmVrpDialog::StopPreview() {
    if (preview_) preview_->SetDrawing(false);
}

void TfrmVrpDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstDroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TfrmVrpDialog::dropEvent(QDropEvent* event) {
    const QString file = FirstDroppedFile(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    // The drop is finished before the file is read, so that an error box or a
    // long list does not keep the program the file came from waiting.
    QTimer::singleShot(0, this, [this, file] { Handle([&] { FormDropFile(file); }); });
}

void TfrmVrpDialog::FormDropFile(const QString& fileName) {
    LoadList(fileName);
}

} // namespace vistal::ui
