// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's shared pieces: the event guard, the filter conversion of the file
// dialogs, the core's error reports reaching the prompt, and the picture shown
// straight from the engine's memory.
#include "support/RecordingPrompt.h"
#include "ui/Guard.h"
#include "ui/PictureImage.h"

#include <stdexcept>

namespace vistal::test {

TEST(Guard, SwallowsTheSilentAbortAndShowsEveryOtherError) {
    TRecordingPrompt prompt;
    prompt.ExpectErrors(3);
    ui::Guarded(prompt, [] { throw EAbort(); });
    EXPECT_TRUE(prompt.Errors.isEmpty());
    ui::Guarded(prompt, [] { throw std::runtime_error("ﾌｧｲﾙが見つかりません"); });
    ui::Guarded(prompt, [] { throw std::bad_alloc(); });
    ui::Guarded(prompt, [] { throw 42; });
    ASSERT_EQ(prompt.Errors.size(), 3);
    EXPECT_EQ(prompt.Errors[0], QStringLiteral("ﾌｧｲﾙが見つかりません"));
    EXPECT_EQ(prompt.Errors[1], QStringLiteral("メモリが足りません"));
}

TEST(Guard, TheCoreReportsThroughThePrompt) {
    TRecordingPrompt prompt;
    prompt.ExpectErrors(1);
    ui::TPromptReporter reporter(prompt);
    TErrorReporter& core = reporter;
    core.ShowError("1 行目にｴﾗｰがあります");
    EXPECT_EQ(prompt.Errors, QStringList{QStringLiteral("1 行目にｴﾗｰがあります")});
}

TEST(FileFilter, PairsBecomeQtFilters) {
    EXPECT_EQ(ui::QtFilter(QStringLiteral("VCPﾌｧｲﾙ(*.VCP)|*.vcp|全てのﾌｧｲﾙ|*")),
              QStringLiteral("VCPﾌｧｲﾙ(*.vcp);;全てのﾌｧｲﾙ (*)"));
    EXPECT_EQ(ui::QtFilter(QStringLiteral("Pictures|*.bmp;*.png")), QStringLiteral("Pictures (*.bmp *.png)"));
    const QString qt = ui::QtFilter(QStringLiteral("A|*.a|B|*.b"));
    EXPECT_EQ(ui::FilterIndexOf(qt, QStringLiteral("B (*.b)")), 2);
    EXPECT_EQ(ui::FilterIndexOf(qt, QStringLiteral("nothing")), 1);
}

TEST(PictureImage, SharesTheBitmapAndReadsItsColoursRight) {
    TBitmap bitmap(3, 2);
    bitmap.SetPixel(0, 0, 0x000000FF); // red
    bitmap.SetPixel(1, 0, 0x0000FF00); // green
    bitmap.SetPixel(2, 1, 0x00FF0000); // blue
    const QImage image = ui::ImageOf(bitmap);
    EXPECT_EQ(image.constBits(), reinterpret_cast<const uchar*>(bitmap.Data()));
    const QImage shown = image.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(shown.pixel(2, 1), qRgb(0, 0, 255));
    EXPECT_TRUE(ui::ImageOf(TBitmap()).isNull());
}

} // namespace vistal::test
