// Every sample drawing converts to a file that every SXF reader accepts.
#include "tests/support/test_paths.h"
#include "tests/worker/conversion_harness.h"
#include "tests/support/sfc_references.h"
#include "worker/convert/drawing_scopes.h"
#include "worker/convert/solid_shape.h"
#include "worker/jww/entity_access.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <array>
#include <iostream>
#include <map>

using namespace testsupport;

TEST(SampleConversion, EverySampleGivesAWellFormedFileWithDefinedReferences)
{
    REQUIRE_SAMPLES();
    const QStringList drawings = sampleDrawings();
    ASSERT_FALSE(drawings.isEmpty());
    for (const QString& path : drawings) {
        SCOPED_TRACE(path.toStdString());
        jww::TJwwData d;
        ASSERT_TRUE(d.FileIn(path));
        const Converted c = convertInMemory(d);
        const SfcFile file = parseSfc(c.bytes);
        EXPECT_TRUE(file.ok()) << file.problems.mid(0, 10).join(u'\n').toStdString();
        const QStringList refs = checkSfcReferences(file);
        EXPECT_TRUE(refs.isEmpty()) << refs.size() << " problems, first: " << refs.mid(0, 10).join(u'\n').toStdString();
        // No fill named a curve beyond those written for solids.
        EXPECT_LE(c.fillCounter, c.curves);
        EXPECT_EQ(c.recordsLeftOut, 0);
        EXPECT_GT(file.records.size(), 10u);
    }
}

namespace {

int countFeatures(const SfcFile& file, const QString& name)
{
    int n = 0;
    for (const auto& r : file.records)
        n += r.name == name ? 1 : 0;
    return n;
}

} // namespace

// Each member an annotation uses is no longer written on its own: the lines
// (and line-like solids) that disappear from the output are exactly the
// consumed ones, except members that lie on a layer group written before
// the group's own, which that layer group has already written.
TEST(SampleConversion, ConsumedMembersAreWrittenOnlyInsideTheirAnnotation)
{
    REQUIRE_SAMPLES();
    for (const QString& path : sampleDrawings()) {
        SCOPED_TRACE(path.toStdString());
        jww::TJwwData plain, grouped;
        ASSERT_TRUE(plain.FileIn(path));
        ASSERT_TRUE(grouped.FileIn(path));
        const Converted before = convertInMemory(plain, 0, 0, 0, false);
        const Converted after = convertInMemory(grouped);
        const SfcFile b = parseSfc(before.bytes), a = parseSfc(after.bytes);
        ASSERT_TRUE(a.ok());
        // The order in which the layer groups of the drawing are written.
        std::array<int, 16> order {};
        int next = 0;
        for (const convert::GroupPartScope& part : convert::groupPartScopes(after.tables)) {
            for (int g : part.groups)
                order[g] = next++;
        }
        for (int g : convert::sheetGroups(after.tables))
            order[g] = next++;
        // Which layer group took each top-level group number.
        std::map<uint32_t, int> groupLayer;
        for (const jww::TEntJwwNo& no : plain.EntNo) {
            jww::visitEntity(plain, nullptr, no, [&](const auto& e) {
                const jww::TEntJwwAttr& att = jww::layerAttrOf(e);
                if (att.lGroup != 0 && jww::hasValidLayer(att))
                    groupLayer.emplace(att.lGroup, att.nGLayer);
            });
        }
        int consumed = 0, lineLike = 0, early = 0;
        auto tally = [&](const jww::TJwwData& d, const jww::TEntJwwBlockDef* def, const jww::TEntJwwNo& was,
                         const jww::TEntJwwNo& now) {
            if (now.EntType != jww::kEntConsumed)
                return;
            ++consumed;
            jww::visitEntity(d, def, was, [&](const auto& e) {
                using E = std::decay_t<decltype(e)>;
                bool line = std::is_same_v<E, jww::TEntJwwLine>;
                if constexpr (std::is_same_v<E, jww::TEntJwwSolid>)
                    line = e.att.nPenStyle < 101 && convert::solidIsLine(e);
                if (!line)
                    return;
                ++lineLike;
                const jww::TEntJwwAttr& att = jww::layerAttrOf(e);
                if (!def && order[att.nGLayer] < order[groupLayer[att.lGroup]])
                    ++early;
            });
        };
        for (size_t i = 0; i < plain.EntNo.size(); ++i)
            tally(plain, nullptr, plain.EntNo[i], grouped.EntNo[i]);
        for (size_t k = 0; k < plain.EntBlockDef.size(); ++k) {
            const jww::TEntJwwBlockDef& def = plain.EntBlockDef[k];
            for (size_t i = 0; i < def.mNo.size(); ++i)
                tally(plain, &def, def.mNo[i], grouped.EntBlockDef[k].mNo[i]);
        }
        const QString line = QStringLiteral("line_feature");
        EXPECT_EQ(countFeatures(b, line) - countFeatures(a, line), lineLike - early);
        std::cout << QFileInfo(path).fileName().toStdString() << ": " << consumed << " members consumed (" << lineLike
                  << " line-like, " << early << " also written by an earlier layer group); dims "
                  << countFeatures(a, QStringLiteral("linear_dim_feature")) << " linear, "
                  << countFeatures(a, QStringLiteral("diameter_dim_feature")) << " diameter, "
                  << countFeatures(a, QStringLiteral("radius_dim_feature")) << " radius, "
                  << countFeatures(a, QStringLiteral("curve_dim_feature")) << " curve, "
                  << countFeatures(a, QStringLiteral("angular_dim_feature")) << " angular; "
                  << countFeatures(a, QStringLiteral("label_feature"))
                - countFeatures(b, QStringLiteral("label_feature"))
                  << " labels, " << countFeatures(a, QStringLiteral("balloon_feature")) << " balloons, "
                  << countFeatures(a, QStringLiteral("polyline_feature"))
                - countFeatures(b, QStringLiteral("polyline_feature"))
                  << " polylines\n";
    }
}
