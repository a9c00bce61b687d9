// The drawing model's reset values.
#include "worker/jww/jww_data.h"

#include "worker/jww/gra_attribute.h"

#include <gtest/gtest.h>

using namespace jww;

TEST(JwwData, DataFreeEmptiesEverythingAndRestoresHeaderDefaults)
{
    TJwwData d;
    d.BindImageFolder = QStringLiteral("/tmp/TEMP/");
    d.BindImageExp = true;
    d.EntLine.resize(3);
    d.EntBlockDef.resize(2);
    d.BindImage.resize(1);
    d.Enthd.dPrtBairitsu = 5;
    d.Enthd.jwVer = 600;

    d.DataFree();

    EXPECT_EQ(d.EntLineN() + d.EntEnkoN() + d.EntTenN() + d.EntMojiN() + d.EntSunpoN() + d.EntSolidN() + d.EntBlockN(), 0);
    EXPECT_TRUE(d.EntLine.empty());
    EXPECT_EQ(d.EntBlockDefN(), 0);
    EXPECT_EQ(d.EntBlockTreeN(), 0);
    EXPECT_EQ(d.BindImageN(), 0);
    EXPECT_TRUE(d.BindImage.empty());
    EXPECT_EQ(d.Enthd.jwVer, 0);
    EXPECT_EQ(d.Enthd.dPrtBairitsu, 1);
    EXPECT_EQ(d.Enthd.dBairitsu, 1);
    EXPECT_EQ(d.Enthd.dMemoriX, 1);
    EXPECT_EQ(d.Enthd.dZoomJumpBairitsu[7], 1);
    EXPECT_EQ(d.Enthd.nZoomJumpGLay[0], -1);
    // The image settings belong to the run, not to the drawing.
    EXPECT_EQ(d.BindImageFolder, QStringLiteral("/tmp/TEMP/"));
    EXPECT_TRUE(d.BindImageExp);
}
