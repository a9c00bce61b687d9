// Path texts: "/" separates names, on Windows "\" too; bad paths give empty
// texts.
#include "common/path_names.h"

#include <gtest/gtest.h>

using namespace common;

TEST(PathNames, SplitPathSkipsEmptyRuns)
{
    struct Case {
        QStringView path;
        QStringList parts;
    } cases[] = {
        {u"a//b/c", {"a", "b", "c"}},
        {u"//server/share/", {"server", "share"}},
        {u"/", {}},
        {u"", {}},
        {u"name", {"name"}},
#ifdef Q_OS_WIN
        {u"a\\\\b/c", {"a", "b", "c"}},
        {u"\\\\server\\share\\", {"server", "share"}},
        {u"C:\\dir/sub\\plan.jww", {"C:", "dir", "sub", "plan.jww"}},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toString().toStdString());
        EXPECT_EQ(SplitPath(c.path), c.parts);
    }
}

TEST(PathNames, PartsOfAPath)
{
    struct Case {
        QStringView path;
        QStringView dir, name, ext, noExt;
    } cases[] = {
        {u"/home/u/Plan.JWW", u"/home/u/", u"Plan.JWW", u".jww", u"/home/u/Plan"},
        {u"/home/u/a.b/plan", u"/home/u/a.b/", u"plan", u"", u"/home/u/a.b/plan"},  // a dot in a folder is no extension
        {u"dir/archive.tar.GZ", u"dir/", u"archive.tar.GZ", u".gz", u"dir/archive.tar"},
        {u"plan.sfc", u"", u"plan.sfc", u".sfc", u"plan"},  // a bare name has no folder
        {u"dir/", u"dir/", u"", u"", u"dir/"},
        {u"dir/.hidden", u"dir/", u".hidden", u".hidden", u"dir/"},
#ifdef Q_OS_WIN
        {u"C:\\dir\\Plan.JWW", u"C:\\dir\\", u"Plan.JWW", u".jww", u"C:\\dir\\Plan"},
        {u"dir\\", u"dir\\", u"", u"", u"dir\\"},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toString().toStdString());
        EXPECT_EQ(ExtractDir(c.path), c.dir);
        EXPECT_EQ(ExtractName(c.path), c.name);
        EXPECT_EQ(ExtractExtLower(c.path), c.ext);
        EXPECT_EQ(ReplaceExt(c.path, u""), c.noExt);
    }
    EXPECT_EQ(ReplaceExt(u"/home/u/Plan.JWW", u".sfc"), QStringLiteral("/home/u/Plan.sfc"));
    EXPECT_EQ(ReplaceExt(u"plan", u".sfc"), QStringLiteral("plan.sfc"));
}

#ifndef Q_OS_WIN
// Outside Windows a backslash, a tab or a line feed is an ordinary character
// of a file name: such a name keeps its folder and its extension.
TEST(PathNames, NamesThatOnlyLinuxAllowsStayWhole)
{
    struct Case {
        QStringView path;
        QStringView dir, name, ext;
    } cases[] = {
        {u"/x/back\\slash.jww", u"/x/", u"back\\slash.jww", u".jww"},
        {u"/x/a\\b.sfc", u"/x/", u"a\\b.sfc", u".sfc"},
        {u"/x/dir\\/plan", u"/x/dir\\/", u"plan", u""},
        {u"/x/tab\tname.jww", u"/x/", u"tab\tname.jww", u".jww"},
        {u"/x/line\nfeed.jww", u"/x/", u"line\nfeed.jww", u".jww"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toString().toStdString());
        EXPECT_FALSE(IsInvalidPath(c.path));
        EXPECT_EQ(ExtractDir(c.path), c.dir);
        EXPECT_EQ(ExtractName(c.path), c.name);
        EXPECT_EQ(ExtractExtLower(c.path), c.ext);
    }
    EXPECT_EQ(SplitPath(u"/x/a\\b/c"), (QStringList{"x", "a\\b", "c"}));
    EXPECT_EQ(IncludeDelim(u"dir\\"), QStringLiteral("dir\\/"));
    EXPECT_TRUE(IsInvalidPath(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
}
#endif

TEST(PathNames, IncludeDelimAddsOneSeparator)
{
    const QString sep = PathDelimChar();
    EXPECT_EQ(IncludeDelim(u"dir"), "dir" + sep);
    EXPECT_EQ(IncludeDelim(u"dir/"), QStringLiteral("dir/"));
#ifdef Q_OS_WIN
    EXPECT_EQ(IncludeDelim(u"dir\\"), QStringLiteral("dir\\"));
#endif
    EXPECT_EQ(IncludeDelim(u""), sep);
}
