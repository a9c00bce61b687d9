// Every table and feature kind read from hand-written P21 drawings.
#include "sxf/p21_reader.h"

#include "tests/support/p21_fixtures.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

using namespace sxf;

TEST(P21ReadFeatures, EveryKindReadsWithoutFindings)
{
    for (const p21test::P21Fixture& f : p21test::featureFixtures()) {
        SCOPED_TRACE(f.name);
        const ReadResult r = readP21(p21test::fixtureFile(f));
        QStringList messages;
        for (const Finding& finding : r.findings)
            messages += finding.code + u' ' + finding.message;
        EXPECT_EQ(messages, QStringList());
        QStringList kinds;
        for (const AssemblyRef& a : r.drawing.assemblies) {
            FeatureRange members = a.kind == AssemblyKind::Sheet ? r.drawing.sheets[a.index].members
                : a.kind == AssemblyKind::Symbol               ? r.drawing.symbols[a.index].members
                                                               : r.drawing.curves[a.index].segments;
            for (int32_t i = 0; i < members.count; ++i)
                kinds += QString::fromLatin1(featureName(r.drawing.features[members.first + i].kind));
            if (a.kind == AssemblyKind::Symbol)
                kinds += QStringLiteral("sfig_org_feature");
            if (a.kind == AssemblyKind::Curve)
                kinds += QStringLiteral("composite_curve_org_feature");
        }
        QStringList expected;
        for (const QString& record : f.records)
            expected += record.left(record.indexOf(u'('));
        EXPECT_EQ(kinds, expected);
    }
}
