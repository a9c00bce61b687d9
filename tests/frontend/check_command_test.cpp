// "Kestrune --check" in-process, with a stand-in for the file check: the
// arguments, both reports and the exit status.
#include "frontend/check_command.h"

#include "tests/frontend/test_app.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdio>

using namespace frontend;
using sxf::Finding;
using sxf::Severity;

namespace {

// "broken.sfc" has an error and a warning, "warned.sfc" a warning of the
// whole file, any other file nothing.
sxf::Findings fakeCheck(const QString& path)
{
    if (path == u"broken.sfc")
        return {{Severity::Error, QStringLiteral("SXFERRORCOLOUR"), 230, 80, QStringLiteral("色コード5は定義されていません")},
            {Severity::Warning, QStringLiteral("SXFNAMELENGTH"), 240, 90, QStringLiteral("文字列が300バイトあります")}};
    if (path == u"warned.sfc")
        return {{Severity::Warning, QStringLiteral("SXFSCADECFILEERR"), 0, 0, QStringLiteral("SCADECのファイルではありません")}};
    return {};
}

struct Output {
    int status = -1;
    QString out, err;
};

QString readBack(std::FILE* f)
{
    std::rewind(f);
    QByteArray bytes;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, qsizetype(n));
    std::fclose(f);
    return QString::fromUtf8(bytes);
}

Output runCheck(const QStringList& args)
{
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Output o;
    o.status = runCheckCommand(args, fakeCheck, out, err);
    o.out = readBack(out);
    o.err = readBack(err);
    return o;
}

}  // namespace

TEST(CheckCommand, TextReportCountsEachFileAndListsItsFindings)
{
    const struct {
        const char* name;
        QStringList args;
        int status;
        QString out;
    } cases[] = {
        {"clean", {"a.sfc"}, 0, "a.sfc: エラー0件・警告0件\n"},
        {"warnings do not fail", {"warned.sfc", "a.sfc"}, 0,
            "warned.sfc: エラー0件・警告1件\n  SXFSCADECFILEERR 警告 - - SCADECのファイルではありません\na.sfc: エラー0件・警告0件\n"},
        {"one error fails the run", {"a.sfc", "--", "broken.sfc"}, 1,
            "a.sfc: エラー0件・警告0件\nbroken.sfc: エラー1件・警告1件\n"
            "  SXFERRORCOLOUR エラー #80 230行目 色コード5は定義されていません\n"
            "  SXFNAMELENGTH 警告 #90 240行目 文字列が300バイトあります\n"},
        {"after -- an option is a file", {"--", "--json"}, 0, "--json: エラー0件・警告0件\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Output o = runCheck(c.args);
        EXPECT_EQ(o.status, c.status);
        EXPECT_EQ(o.out, c.out);
        EXPECT_TRUE(o.err.isEmpty());
    }
}

TEST(CheckCommand, JsonReportIsOneObject)
{
    const Output o = runCheck({"--json", "broken.sfc", "warned.sfc"});
    EXPECT_EQ(o.status, 1);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(o.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << o.out.toStdString();
    const QJsonArray files = doc.object().value("files").toArray();
    ASSERT_EQ(files.size(), 2);
    const QJsonObject broken = files[0].toObject();
    EXPECT_EQ(broken.value("file").toString(), "broken.sfc");
    EXPECT_EQ(broken.value("errors").toInt(), 1);
    EXPECT_EQ(broken.value("warnings").toInt(), 1);
    const QJsonObject first = broken.value("findings").toArray().at(0).toObject();
    EXPECT_EQ(first, QJsonObject({{"code", "SXFERRORCOLOUR"}, {"severity", "error"}, {"feature", 80}, {"line", 230},
                         {"message", "色コード5は定義されていません"}}));
    EXPECT_EQ(files[1].toObject().value("findings").toArray().at(0).toObject().value("severity").toString(), "warning");
}

TEST(CheckCommand, WrongCommandLineGivesTheUsage)
{
    for (const QStringList& args : {QStringList{}, QStringList{"--json"}, QStringList{"--fast", "a.sfc"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Output o = runCheck(args);
        EXPECT_EQ(o.status, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_TRUE(o.err.contains("usage: Kestrune --check")) << o.err.toStdString();
    }
}
