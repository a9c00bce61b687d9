// tools/sfcinfo as scripts use it: the JSON members the tool promises and
// its exit status.
#include "tests/support/sfc_texts.h"
#include "tests/support/test_paths.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status = -1;
    QJsonObject json;
};

ToolRun sfcinfo(const QByteArray& file)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.sfc"));
    EXPECT_TRUE(testsupport::writeFile(path, file));
    QProcess p;
    p.start(QStringLiteral(SFCINFO_EXE), {QStringLiteral("--json"), path});
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QJsonDocument::fromJson(p.readAllStandardOutput()).object()};
}

}  // namespace

TEST(Sfcinfo, JsonHasTheMembersScriptsRelyOn)
{
    const ToolRun r = sfcinfo(testsupport::otherKindsSfc());
    EXPECT_EQ(r.status, 0);
    const QJsonObject features = r.json[u"features"].toObject();
    EXPECT_EQ(features[u"layer_feature"].toInt(), 1);
    EXPECT_EQ(features[u"spline_feature"].toInt(), 1);
    EXPECT_EQ(features[u"drawing_sheet_feature"].toInt(), 1);
    EXPECT_EQ(features[u"composite_curve_org_feature"].toInt(), 1);
    EXPECT_EQ(r.json[u"curves"].toInt(), 1);
    EXPECT_TRUE(r.json[u"symbols"].isArray());
    const QJsonObject sheet = r.json[u"sheet"].toObject();
    EXPECT_EQ(sheet[u"name"].toString(), u"S");
    EXPECT_EQ(sheet[u"kind"].toInt(), 3);
    EXPECT_EQ(sheet[u"orientation"].toInt(), 1);
    EXPECT_EQ(sheet[u"x"].toDouble(), 420);
    EXPECT_EQ(sheet[u"y"].toDouble(), 297);
    EXPECT_EQ(r.json[u"findings"].toArray().size(), 0);
}

TEST(Sfcinfo, ErrorFindingsAreListedAndExitWithOne)
{
    const ToolRun r = sfcinfo(testsupport::framedSfc({
        "line_feature('1','1','1','1','0.0','0.0','1.0','0.0')",
        "sfig_org_feature(\\'A\\','4')",
        "drawing_sheet_feature(\\'S\\','3','1','420','297')",
    }));
    EXPECT_EQ(r.status, 1);
    const QJsonArray symbols = r.json[u"symbols"].toArray();
    ASSERT_EQ(symbols.size(), 1);
    EXPECT_EQ(symbols[0][u"name"].toString(), u"A");
    EXPECT_EQ(symbols[0][u"members"].toInt(), 1);
    const QJsonArray findings = r.json[u"findings"].toArray();
    ASSERT_EQ(findings.size(), 4);  // layer, colour, line type, width
    EXPECT_EQ(findings[0][u"line"].toInt(), 17);
    EXPECT_EQ(findings[0][u"feature"].toInt(), 10);
    EXPECT_EQ(findings[0][u"severity"].toString(), u"error");
    EXPECT_FALSE(findings[0][u"message"].toString().isEmpty());
}
