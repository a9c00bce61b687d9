// Output-folder choice and destination names.
#include "frontend/batch_output.h"

#include "common/path_names.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace frontend;
using Status = SettledOutput::Status;

TEST(BatchOutput, ChoiceIndexesMapToChoices)
{
    const struct {
        int index;
        OutputChoice choice;
    } cases[] = {
        {0, OutputChoice::Desktop}, {1, OutputChoice::Documents}, {2, OutputChoice::BesideSource},
        {3, OutputChoice::Specified}, {4, OutputChoice::AskEachTime},
        // No radio button selected asks, like the last choice.
        {-1, OutputChoice::AskEachTime}, {5, OutputChoice::AskEachTime},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(outputChoiceFromIndex(c.index), c.choice);
    }
}

TEST(BatchOutput, SettlesEachChoice)
{
    QTemporaryDir dir;
    const QString sep = common::PathDelimChar();
    const QString existing = QDir::toNativeSeparators(dir.path());
    const QString missing = existing + sep + "none";
    const SystemFolders folders{existing, missing};
    const struct {
        const char* name;
        OutputChoice choice;
        QString specified;
        Status status;
        bool beside;
        QString folder;  // target folder when Ready, else the folder tested
    } cases[] = {
        {"desktop", OutputChoice::Desktop, "", Status::Ready, false, existing + sep},
        // A missing system folder is refused like a missing specified one.
        {"documents missing", OutputChoice::Documents, existing, Status::MissingFolder, false, missing + sep},
        {"beside", OutputChoice::BesideSource, "", Status::Ready, true, ""},
        {"specified", OutputChoice::Specified, existing, Status::Ready, false, existing + sep},
        {"specified with separator", OutputChoice::Specified, existing + sep, Status::Ready, false, existing + sep},
        {"specified missing", OutputChoice::Specified, missing, Status::MissingFolder, false, missing + sep},
        // The empty box is tested as the lone separator and refused.
        {"specified empty", OutputChoice::Specified, "", Status::MissingFolder, false, sep},
        {"ask", OutputChoice::AskEachTime, existing, Status::MustAsk, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SettledOutput s = settleOutput(c.choice, c.specified, folders);
        EXPECT_EQ(s.status, c.status);
        if (c.status == Status::Ready) {
            EXPECT_EQ(s.target.besideSource, c.beside);
            EXPECT_EQ(s.target.folder, c.folder);
        } else if (c.status == Status::MissingFolder) {
            EXPECT_EQ(s.folder, c.folder);
        }
    }
    // A system that names no desktop folder is no reason to write to the root.
    EXPECT_EQ(settleOutput(OutputChoice::Desktop, existing, {}).status, Status::MissingFolder);
    EXPECT_EQ(missingFolderMessage("X:\\out\\"), QStringLiteral("指定したフォルダが見つかりません。\r\nX:\\out\\"));
}

TEST(BatchOutput, DestinationAvoidsExistingFiles)
{
    QTemporaryDir src, out;
    const QString sep = common::PathDelimChar();
    const QString srcDir = QDir::toNativeSeparators(src.path()) + sep;
    const QString outDir = QDir::toNativeSeparators(out.path()) + sep;
    const QString plan = srcDir + "plan.JWW";
    ASSERT_TRUE(testsupport::writeFile(srcDir + "plan.sfc", "old"));
    ASSERT_TRUE(testsupport::writeFile(outDir + "plan.sfc", "old"));
    ASSERT_TRUE(testsupport::writeFile(outDir + "plan~1.sfc", "old"));
    const struct {
        const char* name;
        OutputTarget target;
        QString expected;
    } cases[] = {
        {"beside the source", {true, {}}, srcDir + "plan~1.sfc"},
        {"into a folder", {false, outDir}, outDir + "plan~2.sfc"},
        {"into a folder with no clash", {false, srcDir + "sub" + sep}, srcDir + "sub" + sep + "plan.sfc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(destinationFor(plan, c.target), c.expected);
    }
    // A path that names no file has no destination.
    EXPECT_TRUE(destinationFor(srcDir, {false, outDir}).isEmpty());
}

TEST(BatchOutput, FormatIndexesMapToFormatsAndOthersToSfc)
{
    EXPECT_EQ(outputFormatFromIndex(0), OutputFormat::Sfc);
    EXPECT_EQ(outputFormatFromIndex(1), OutputFormat::P21);
    EXPECT_EQ(outputFormatFromIndex(2), OutputFormat::Both);
    EXPECT_EQ(outputFormatFromIndex(-1), OutputFormat::Sfc);
    EXPECT_EQ(outputFormatFromIndex(3), OutputFormat::Sfc);
}

// Both forms share one base name, free for each of them.
TEST(BatchOutput, OneNameFreeForEveryFormAsked)
{
    QTemporaryDir out;
    const QString dir = QDir::toNativeSeparators(out.path()) + common::PathDelimChar();
    ASSERT_TRUE(testsupport::writeFile(dir + "a.sfc", "old"));
    ASSERT_TRUE(testsupport::writeFile(dir + "b.p21", "old"));
    ASSERT_TRUE(testsupport::writeFile(dir + "c.sfc", "old"));
    ASSERT_TRUE(testsupport::writeFile(dir + "c~1.p21", "old"));
    const QString src = dir + "src" + common::PathDelimChar();
    const struct {
        const char* source;
        OutputFormat format;
        QStringList expected;
    } cases[] = {
        {"a.jww", OutputFormat::Sfc, {"a~1.sfc"}},
        {"a.jww", OutputFormat::P21, {"a.p21"}},
        {"a.jww", OutputFormat::Both, {"a~1.sfc", "a~1.p21"}},
        {"b.jww", OutputFormat::Both, {"b~1.sfc", "b~1.p21"}},
        {"b.jww", OutputFormat::Sfc, {"b.sfc"}},
        {"c.jww", OutputFormat::Both, {"c~2.sfc", "c~2.p21"}},
        {"d.jww", OutputFormat::Both, {"d.sfc", "d.p21"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " " + std::to_string(int(c.format)));
        const QString dst = destinationFor(src + c.source, {false, dir, c.format});
        QStringList expected;
        for (const QString& name : c.expected)
            expected.append(dir + name);
        EXPECT_EQ(dst, expected.first());
        EXPECT_EQ(destinationsOf(dst, c.format), expected);
    }
    EXPECT_TRUE(destinationsOf({}, OutputFormat::Both).isEmpty());
}
