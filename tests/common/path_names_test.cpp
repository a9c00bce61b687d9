// Path texts: "/" and "\" both separate names; bad paths give empty texts.
#include "common/path_names.h"

#include <gtest/gtest.h>

using namespace common;

TEST(PathNames, SplitPathSkipsEmptyRunsOfMixedSeparators)
{
    struct Case {
        QStringView path;
        QStringList parts;
    } cases[] = {
        {u"a\\\\b/c", {"a", "b", "c"}},
        {u"\\\\server\\share\\", {"server", "share"}},
        {u"C:\\dir/sub\\plan.jww", {"C:", "dir", "sub", "plan.jww"}},
        {u"/", {}},
        {u"", {}},
        {u"name", {"name"}},
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
        {u"C:\\dir\\Plan.JWW", u"C:\\dir\\", u"Plan.JWW", u".jww", u"C:\\dir\\Plan"},
        {u"/home/u/a.b/plan", u"/home/u/a.b/", u"plan", u"", u"/home/u/a.b/plan"},  // a dot in a folder is no extension
        {u"dir/archive.tar.GZ", u"dir/", u"archive.tar.GZ", u".gz", u"dir/archive.tar"},
        {u"plan.sfc", u"", u"plan.sfc", u".sfc", u"plan"},  // a bare name has no folder
        {u"dir\\", u"dir\\", u"", u"", u"dir\\"},
        {u"dir/.hidden", u"dir/", u".hidden", u".hidden", u"dir/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toString().toStdString());
        EXPECT_EQ(ExtractDir(c.path), c.dir);
        EXPECT_EQ(ExtractName(c.path), c.name);
        EXPECT_EQ(ExtractExtLower(c.path), c.ext);
        EXPECT_EQ(ReplaceExt(c.path, u""), c.noExt);
    }
    EXPECT_EQ(ReplaceExt(u"C:\\dir\\Plan.JWW", u".sfc"), QStringLiteral("C:\\dir\\Plan.sfc"));
    EXPECT_EQ(ReplaceExt(u"plan", u".sfc"), QStringLiteral("plan.sfc"));
}

TEST(PathNames, IncludeDelimAddsOneSeparator)
{
    const QString sep = PathDelimChar();
    EXPECT_EQ(IncludeDelim(u"dir"), "dir" + sep);
    EXPECT_EQ(IncludeDelim(u"dir\\"), QStringLiteral("dir\\"));
    EXPECT_EQ(IncludeDelim(u"dir/"), QStringLiteral("dir/"));
    EXPECT_EQ(IncludeDelim(u""), sep);
}
