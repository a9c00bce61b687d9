// The P21 syntax: values, statements, broken statements, strings, header.
#include "sxf/p21_parser.h"

#include "sxf/p21_read_strings.h"
#include "sxf/p21_reader.h"
#include "tests/support/p21_fixtures.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

using namespace sxf;
using p21test::codes;
using p21test::p21File;

namespace {

P21Data parse(const QByteArray& bytes, Findings& findings)
{
    FindingSink sink(findings);
    P21Data d = parseP21(bytes, sink);
    sink.finish();
    return d;
}

P21Data parsed(const QByteArray& bytes, Findings& findings)
{
    P21Data d = parse(bytes, findings);
    d.indexNumbers();
    return d;
}

std::vector<int64_t> numbers(const P21Data& d)
{
    std::vector<int64_t> out;
    for (const P21Instance& i : d.instances)
        out.push_back(i.number);
    return out;
}

}  // namespace

TEST(P21Parser, ValuesOfEveryKind)
{
    const QByteArray file = p21File("#1=E('a''b',\"0F\",#2,$,*,.T.,-1,+2.5,1.E-3,(1,(2,())),T(3),'');\n");
    Findings findings;
    P21Data d = parsed(file, findings);
    ASSERT_TRUE(findings.empty()) << findings.front().message.toStdString();
    ASSERT_EQ(d.instances.size(), 1u);
    const P21List a = d.attributes(d.records[0]);
    ASSERT_EQ(a.size(), 12u);
    const P21Kind kinds[] = {P21Kind::String, P21Kind::Binary, P21Kind::Reference, P21Kind::Unset, P21Kind::Derived,
        P21Kind::Enum, P21Kind::Integer, P21Kind::Real, P21Kind::Real, P21Kind::List, P21Kind::Typed, P21Kind::String};
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a.at(i)->kind, kinds[i]) << i;
    EXPECT_EQ(decodeP21String(d.text(*a.at(0))), u"a'b");
    EXPECT_EQ(d.text(*a.at(1)), "0F");
    EXPECT_EQ(a.at(2)->integer(), 2);
    EXPECT_EQ(d.text(*a.at(5)), "T");
    EXPECT_EQ(a.at(6)->integer(), -1);
    EXPECT_EQ(a.at(7)->real(), 2.5);
    EXPECT_EQ(a.at(8)->real(), 1e-3);
    const P21List nested(&d, static_cast<uint32_t>(a.at(9) - d.values.data()));
    ASSERT_EQ(nested.size(), 2u);
    EXPECT_EQ(P21List(&d, static_cast<uint32_t>(nested.at(1) - d.values.data())).size(), 2u);
    EXPECT_EQ(d.text(*a.at(10)), "T");
    EXPECT_EQ(d.text(*a.at(11)), "");
}

TEST(P21Parser, ComplexInstancesCommentsAndLines)
{
    const QByteArray file = p21File("/* a comment; with 'quotes' */\n"
                                    "#10=(\nA()\nB(1, 2 )\n);\n"
                                    "#20 = C ( '/* kept */' ) ; #30=D();\n");
    Findings findings;
    P21Data d = parsed(file, findings);
    EXPECT_TRUE(findings.empty());
    ASSERT_EQ(numbers(d), (std::vector<int64_t> {10, 20, 30}));
    EXPECT_TRUE(d.instances[0].complex);
    EXPECT_EQ(d.instances[0].recordCount, 2u);
    EXPECT_EQ(d.name(d.recordsOf(d.instances[0])[1]), "B");
    // The header takes 14 lines, the comment one.
    EXPECT_EQ(d.instances[0].line, 16);
    EXPECT_EQ(d.instances[1].line, 20);
    EXPECT_EQ(d.instances[2].line, 20);
    EXPECT_EQ(decodeP21String(d.text(*d.attributes(d.records[2]).at(0))), u"/* kept */");
}

TEST(P21Parser, BrokenStatementIsLeftOutAlone)
{
    const struct {
        const char* name;
        QByteArray statement;
    } cases[] = {
        {"list not closed", "#2=E((1,2);"},
        {"two dots", "#2=E(1.2.3);"},
        {"no equals sign", "#2 E(1);"},
        {"stray character", "#2=E(@);"},
        {"nested too deep", "#2=E(" + QByteArray(40, '(') + QByteArray(40, ')') + ");"},
        {"empty complex instance", "#2=();"},
        {"comma before the end", "#2=E(1,);"},
        {"number too long", "#1234567890123456789=E(1);"},
        {"reference without digits", "#2=E(#);"},
        {"enumeration not closed", "#2=E(.T);"},
        {"typed value without parenthesis", "#2=E(T 3);"},
        {"typed value of two values", "#2=E(T(1,2));"},
        {"keyword missing", "#2=(1);"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Findings findings;
        const P21Data d = parsed(p21File("#1=E(1);\n" + c.statement + "\n#3=E(3);\n"), findings);
        EXPECT_EQ(numbers(d), (std::vector<int64_t> {1, 3}));
        ASSERT_EQ(codes(findings), QStringList {QStringLiteral("P21_SYNTAX")});
        EXPECT_EQ(findings[0].line, 16);
        EXPECT_EQ(findings[0].severity, Severity::Error);
    }
}

TEST(P21Parser, FileEndsInsideAStringOrWithoutTrailer)
{
    Findings findings;
    P21Data d = parse("ISO-10303-21;\r\nDATA;\r\n#1=E(1);\r\n#2=E('abc", findings);
    EXPECT_EQ(d.instances.size(), 1u);
    EXPECT_EQ(codes(findings), (QStringList {QStringLiteral("P21_SYNTAX"), QStringLiteral("P21_SYNTAX")}));
    EXPECT_EQ(findings[0].severity, Severity::Error);
    EXPECT_EQ(findings[1].severity, Severity::Warning);
}

TEST(P21Parser, NumbersFromOneUpAndTheFirstOfARepeat)
{
    Findings findings;
    P21Data d = parse(p21File("#0=E(0);\n#5=E(1);\n#5=E(2);\n#-1=E(3);\n"), findings);
    EXPECT_EQ(codes(findings), QStringList {QStringLiteral("P21_SYNTAX")});  // "#-1" is no number
    const std::vector<P21Instance> dropped = d.indexNumbers();
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0].line, 17);
    ASSERT_EQ(d.instances.size(), 1u);
    EXPECT_EQ(d.attributes(d.records[d.instances[0].firstRecord]).at(0)->integer(), 1);
    EXPECT_EQ(d.find(5), 0);
    EXPECT_EQ(d.find(0), -1);
}

TEST(P21Parser, OnlyFilesThatStartAsP21)
{
    const struct {
        QByteArray bytes;
        bool started;
    } cases[] = {
        {"ISO-10303-21;", true},
        {"\xEF\xBB\xBF  /* bom */ ISO-10303-21 ;\r\n", true},
        {"ISO-10303-22;", false},
        {"ISO-10303-21", false},
        {"/*SXF\r\n#10 = layer_feature(\\'A\\','1')\r\nSXF*/", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        Findings findings;
        EXPECT_EQ(parse(c.bytes, findings).started, c.started);
    }
}

TEST(P21Strings, Decoding)
{
    const struct {
        QByteArray raw;
        QString text;
    } cases[] = {
        {"\\X2\\676D\\X0\\-1''", QStringLiteral("杭-1'")},
        {"\\X2\\FF21\\X0\\B", QStringLiteral("ＡB")},
        {"\\x2\\3042\\x0\\", QStringLiteral("あ")},
        {"a\\\\b", QStringLiteral("a\\b")},
        {"\\X4\\0001F600\\X0\\", QStringLiteral("\U0001F600")},
        {"\\X\\E9t\\S\\i", QStringLiteral("\u00E9t\u00E9")},
        {"\\X2\\12\\X0\\", QStringLiteral("\\X2\\12\\X0\\")},
        {"\\X2\\0041", QStringLiteral("\\X2\\0041")},
        {"\\Q", QStringLiteral("\\Q")},
        {"\x83\x5C''\xB1", QStringLiteral("ソ'ｱ")},
        {"ab  \r\n   cd", QStringLiteral("abcd")},
        {"", QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw.toStdString());
        EXPECT_EQ(decodeP21String(std::string_view(c.raw.constData(), static_cast<size_t>(c.raw.size()))), c.text);
    }
}

TEST(P21Header, WhatTheOfficialReaderRefuses)
{
    const struct {
        QByteArray find, replace;
        QStringList codes;  // fatal when the first is an error
        bool read;
    } cases[] = {
        {"", "", {}, true},
        {"SCADEC level2 AP202_mode", "OTHER level2 AP202_mode", {QStringLiteral("SXFSCADECFILEERR")}, true},
        {"SCADEC level2 AP202_mode", "SCADEC LEVEL2 ap202_MODE", {}, true},
        {"SCADEC level2 AP202_mode", "SCADEC level1 ambi_mode", {}, true},
        {"SCADEC level2 AP202_mode", "SCADEC level2 feature_mode", {QStringLiteral("P21_MODE")}, true},
        {"SCADEC level2 AP202_mode", "SCADEC AP202_mode", {QStringLiteral("SXFSCADECFILEERR")}, false},
        {"SCADEC level2 AP202_mode", "SCADEC level3 AP202_mode", {QStringLiteral("SXFNOLEVEL")}, false},
        {"SCADEC level2 AP202_mode", "SCADEC level2 plain_mode", {QStringLiteral("SXFNOMODE")}, false},
        {"('SCADEC level2 AP202_mode')", "('SCADEC level2 AP202_mode','more')", {QStringLiteral("SXFSCADECFILEERR")},
            false},
        {"(''),\n\t\t   (''),", "('a','b'),\n\t\t   (''),", {QStringLiteral("SXFNOTHEADER")}, false},
        {"FILE_NAME(", "FILE_NAMES(", {QStringLiteral("SXFNOTHEADER")}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.replace.toStdString());
        QByteArray file = p21File(p21test::standardTables() + p21test::sheetAround("", ""));
        file.replace("\r\n", "\n");
        if (!c.find.isEmpty())
            file.replace(c.find, c.replace);
        const ReadResult r = readP21(file);
        EXPECT_EQ(codes(r.findings).mid(0, c.codes.size()), c.codes);
        EXPECT_EQ(r.drawing.sheet() != nullptr, c.read);
        if (c.read) {
            EXPECT_EQ(r.drawing.header.originatingSystem, u"Kestrune");
        }
    }
}
