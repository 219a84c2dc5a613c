// SPDX-License-Identifier: GPL-3.0-or-later
// Deep views in the location files: a recommendation record and a scenic spot
// keep a view far below doubles and give the same picture back; the digits a
// file gives are read exactly, never rounded through a double.
#include "engine/vistal_class.h"
#include "locations/UFss.h"
#include "locations/UGlobal.h"
#include "locations/ULocationTarget.h"
#include "locations/URecommendation.h"
#include "locations/ViewText.h"
#include "support/DrawSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vistal;

TEST(DeepLocation, AViewAt1e300ComesBackFromARecordAndAScenicSpot) {
    test::TempDir dir;
    TVistal e;
    e.SetWidth(48);
    e.SetHeight(36);
    e.SetIteration(400000);
    test::SetDeepView(e, test::ReadFileBytes(test::DeepDataFile("deep320.txt")), "2e-300");
    e.ZoomInAt(13, 7); // a centre of computed bits
    // Drawn where the files put it: the busiest pixels change with the last
    // bits of the centre.
    e.SetPosition(AsWritten(e.Position(), e.Height()));
    e.Draw();
    const TBitmap picture = e.DrawBitmap();

    const std::string vrp = dir.File("deep.vrp"), fss = dir.File("deep.fss");
    ASSERT_EQ(RegisterRecord(vrp, {"deep", "", ""}, e), "");
    ASSERT_EQ(SaveLocationFile(fss, e, ""), "");
    EXPECT_NE(test::ReadFileBytes(vrp).find(",W=1e-300,"), std::string::npos);
    EXPECT_NE(test::ReadFileBytes(fss).find("ImSpan=5e-301"), std::string::npos);

    TRecommendationList list;
    list.LoadFromFile(vrp);
    for (int file = 0; file < 2; ++file) {
        TVistal back;
        back.SetWidth(48);
        back.SetHeight(36);
        TGlobal global;
        TEngineTarget target(back, global);
        if (file == 0)
            ApplyRecommendation(list.Item(0), target);
        else
            ASSERT_EQ(OpenLocationFile(fss, target).Message, "");
        EXPECT_TRUE(back.Position() == e.Position());
        back.Draw();
        EXPECT_EQ(back.DrawBitmap(), picture) << file;
    }
}

TEST(DeepLocation, LongDigitsAndTinySpansAreReadExactlyAndOrdinaryOnesAsDoubles) {
    test::TempDir dir;
    const std::string digits = "-1.2345678901234567890123456789";
    TRecommendationList list;
    const std::string file = dir.File("list.vrp");
    test::WriteFileBytes(file, "T=Vistal,Title=a,Cr=" + digits + ",Ci=0.1,W=1e-20,I=100\r\n" +
                                   "T=Vistal,Title=b,Cr=0.1,Ci=0.1,W=1e-20,I=100\r\n" +
                                   "T=Vistal,Title=c,Cr=0.1,Ci=0.2,W=1e-400,I=100\r\n");
    list.LoadFromFile(file);
    ASSERT_EQ(list.Count(), 3);
    const TDeepPosition a = list.Item(0).Position->View();
    EXPECT_EQ(a.Re.Compare(*TDeepPosition::ParseCoordinate(digits)), 0);
    EXPECT_EQ(a.Im.FixedText(40), "0.1"); // to the view's digits, not the double 0.1
    // Short digits but a span that doubles cannot draw beside the centre.
    EXPECT_FALSE(list.Item(1).Position->View().HeldByDoubles());
    EXPECT_EQ(list.Item(2).Position->View().SpanText(), "1e-400");
    // An ordinary view's short digits are the doubles they always were.
    test::WriteFileBytes(file, "T=Vistal,Title=d,Cr=0.1,Ci=0.1,W=1e-9,I=100\r\n");
    list.LoadFromFile(file);
    EXPECT_FALSE(list.Item(0).Position->Deep);
    EXPECT_EQ(list.Item(0).Position->Center.Re, 0.1);
}
