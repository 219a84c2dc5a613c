// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboutDialog.h"

#include "ui/AppIcon.h"
#include "ui/Prompt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace vistal::ui {

TfrmAbout::TfrmAbout(const QString& title, const QString& version, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    imgIcon = new QLabel(this);
    imgIcon->setPixmap(AppIcon().pixmap(64, 64));
    imgIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblTitle = new QLabel(title, this);
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle->setFont(big);

    lblVersion = new QLabel("Version " + version, this);
    lblNotice = new QLabel(QString::fromUtf8(kAboutNotice.data(), kAboutNotice.size()), this);
    lblNotice->setTextInteractionFlags(Qt::TextSelectableByMouse);

    bbnOK = new QPushButton(QStringLiteral("OK"), this);
    bbnOK->setDefault(true);
    connect(bbnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(imgIcon, 0, 0, 3, 1);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblNotice, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbnOK);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setRowMinimumHeight(3, 40);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutDialog::Execute(TPrompt& prompt) const {
    TfrmAbout form(Title, Version, prompt.Parent);
    prompt.Exec(form);
}

} // namespace vistal::ui
