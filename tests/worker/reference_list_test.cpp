// Finding Jw_cad's settings file, its reference-file line, and the named
// values of the reference file.
#include "worker/reference_list.h"

#include "common/codepage.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::writeFile;

namespace {

// A worker folder and a Jw_cad folder, both ending with a separator.
struct Folders {
    Folders()
    {
        EXPECT_TRUE(dir.isValid());
        exe = dir.filePath("exe") + u'/';
        jw = dir.filePath("jw") + u'/';
        QDir().mkpath(exe);
        QDir().mkpath(jw);
    }
    QTemporaryDir dir;
    QString exe, jw;
};

}  // namespace

TEST(ReferenceList, SettingsBesideTheWorkerComeFirst)
{
    Folders f;
    const QStringList candidates = worker::JwSettingsCandidates(f.exe, f.jw);
    ASSERT_GE(candidates.size(), 2);
    EXPECT_EQ(candidates[0], f.exe + u"Jw_win.jwf"_qs);
    EXPECT_EQ(candidates[1], f.jw + u"Jw_win.jwf"_qs);
    // A blank Jw_cad folder adds no candidate, rather than a bare name.
    EXPECT_EQ(worker::JwSettingsCandidates(f.exe, u" "_qs).size(), candidates.size() - 1);

    EXPECT_EQ(worker::GetRefFileName(candidates), u""_qs);
    ASSERT_TRUE(writeFile(f.jw + u"Jw_win.jwf"_qs, "REF_FILE=jw.txt\r\n"));
    EXPECT_EQ(worker::GetRefFileName(candidates), u"jw.txt"_qs);
    ASSERT_TRUE(writeFile(f.exe + u"Jw_win.jwf"_qs, "REF_FILE=exe.txt\r\n"));
    EXPECT_EQ(worker::GetRefFileName(candidates), u"exe.txt"_qs);
    // Only the first existing file is read, even when it names nothing.
    ASSERT_TRUE(writeFile(f.exe + u"Jw_win.jwf"_qs, "[settings]\r\n"));
    EXPECT_EQ(worker::GetRefFileName(candidates), u""_qs);
}

TEST(ReferenceList, ReferenceLineOfTheSettingsFile)
{
    struct Case {
        const char* name;
        QByteArray file;
        QString expected;
    } cases[] = {
        {"plain", "A=1\r\nREF_FILE=ref.txt\r\nB=2\r\n", u"ref.txt"_qs},
        {"one blank before =", "REF_FILE =ref.txt", u"ref.txt"_qs},
        {"two blanks before =", "REF_FILE  = ref.txt", u"ref.txt"_qs},
        {"three blanks, scanning goes on", "REF_FILE   =no.txt\nREF_FILE=yes.txt", u"yes.txt"_qs},
        {"trimmed at both ends", " \t REF_FILE=  d:\\w\\my ref.txt \t\r\n", u"d:\\w\\my ref.txt"_qs},
        {"END first", "END\r\nREF_FILE=ref.txt\r\n", u""_qs},
        {"a line starting END", "ENDING=1\r\nREF_FILE=ref.txt\r\n", u""_qs},
        {"END after the line", "REF_FILE=ref.txt\r\nEND\r\n", u"ref.txt"_qs},
        {"key word in lower case", "ref_file=ref.txt\r\n", u""_qs},
        {"lone CR line ends", "X\rREF_FILE=ref.txt\r", u"ref.txt"_qs},
        {"code page 932 name", "REF_FILE=" + common::encodeCp932(u"図面値.txt"_qs) + "\r\n", u"図面値.txt"_qs},
        {"empty file", "", u""_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folders f;
        ASSERT_TRUE(writeFile(f.exe + u"Jw_win.jwf"_qs, c.file));
        EXPECT_EQ(worker::GetRefFileName({f.exe + u"Jw_win.jwf"_qs}), c.expected);
    }
}

TEST(ReferenceList, ValuesOfTheReferenceFile)
{
    Folders f;
    const QByteArray values = "%%A\tx\ty\r\n"         // the second tab is dropped
                              "%%B C\tblank in name\r\n"
                              "B\tno %% prefix\r\n"
                              "%%C no tab\r\n"
                              "  %%D\t  value  \r\n"  // the line is trimmed, not the value's inside
                              "%%E\t\xEF\xBC\xBF\r\n"  // not UTF-8: code page 932 bytes
                              "%%\x01X\tcontrol in name\r\n"
                              "\r\n"
                              "%%A\tsecond\n";
    ASSERT_TRUE(writeFile(f.jw + u"values.txt"_qs, values));
    const std::vector<text::TStr2List> list =
        worker::RefFileOpen(u"values.txt"_qs, f.jw + u"plan.jww"_qs, f.exe);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].s1, u"%%A"_qs);
    EXPECT_EQ(list[0].s2, u"xy"_qs);
    EXPECT_EQ(list[1].s1, u"%%D"_qs);
    EXPECT_EQ(list[1].s2, u"  value"_qs);
    EXPECT_EQ(list[2].s1, u"%%E"_qs);
    EXPECT_EQ(list[2].s2, common::decodeCp932("\xEF\xBC\xBF"));
    EXPECT_EQ(list[3].s2, u"second"_qs);
}

TEST(ReferenceList, WhereTheReferenceFileIsLookedFor)
{
    Folders f;
    ASSERT_TRUE(writeFile(f.jw + u"v.txt"_qs, "%%W\tbeside the drawing\r\n"));
    ASSERT_TRUE(writeFile(f.exe + u"v.txt"_qs, "%%W\tbeside the worker\r\n"));
    const auto value = [&](const QString& name, const QString& drawing) {
        const std::vector<text::TStr2List> list = worker::RefFileOpen(name, drawing, f.exe);
        return list.empty() ? u"(none)"_qs : list[0].s2;
    };
    EXPECT_EQ(value(u"v.txt"_qs, f.jw + u"plan.jww"_qs), u"beside the drawing"_qs);
    EXPECT_EQ(value(f.exe + u"v.txt"_qs, f.jw + u"plan.jww"_qs), u"beside the worker"_qs);
    EXPECT_EQ(value(u"v.txt"_qs, u""_qs), u"beside the worker"_qs);
    EXPECT_EQ(value(u"missing.txt"_qs, f.jw + u"plan.jww"_qs), u"(none)"_qs);
    EXPECT_EQ(value(u""_qs, f.jw + u"plan.jww"_qs), u"(none)"_qs);
    EXPECT_EQ(value(f.jw, f.jw + u"plan.jww"_qs), u"(none)"_qs);  // a folder is no file
}
