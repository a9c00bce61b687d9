// Damaged and hostile drawing files: every one must come back quickly with a
// clean result, without a sanitizer report, and without allocating out of
// proportion to its size.
#include "common/codepage.h"
#include "tests/worker/jww/alloc_counter.h"
#include "tests/worker/jww/rich_drawing.h"
#include "worker/jww/jww_reader.h"

#include <QElapsedTimer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <iostream>
#include <random>

using namespace jww;
using namespace testsupport;

namespace {

// A read may allocate a few times the bytes it was given, plus the fixed
// tables of the header and the floor of the insert tree.
constexpr double kBytesPerInputByte = 8;
constexpr size_t kFixedBytes = 256 * 1024;
constexpr qint64 kMaxMillis = 1000;

// The worst figures over every read of the program, printed at the end.
struct Worst {
    double totalPerByte = 0, peakPerByte = 0, heapPerByte = 0;
    size_t total = 0, peak = 0;
    long heap = 0;
    qint64 millis = 0;
    int reads = 0;
} g_worst;

class ReportWorst : public ::testing::Environment {
public:
    void TearDown() override
    {
        std::cout << "[ figures  ] " << g_worst.reads << " reads; worst per input byte: operator new total "
                  << g_worst.totalPerByte << ", held at once " << g_worst.peakPerByte << ", C heap kept "
                  << g_worst.heapPerByte << "; worst absolute: total " << g_worst.total << " B, held "
                  << g_worst.peak << " B, heap " << g_worst.heap << " B; slowest read " << g_worst.millis
                  << " ms\n";
    }
};
const auto* const g_report = ::testing::AddGlobalTestEnvironment(new ReportWorst);

// Reads `bytes` (images listed, never extracted) and checks time and memory.
bool readChecked(const QByteArray& bytes, TJwwData& d)
{
    d.BindImageExr = true;
    QElapsedTimer timer;
    timer.start();
    AllocationScope scope;
    const bool ok = readJwwDrawing(d, bytes);
    const qint64 ms = timer.elapsed();
    const double size = std::max<double>(bytes.size(), 1);
    const size_t allowed = static_cast<size_t>(kBytesPerInputByte * size) + kFixedBytes;
    EXPECT_LE(scope.total(), allowed) << bytes.size() << " bytes";
    EXPECT_LE(ms, kMaxMillis);
    ++g_worst.reads;
    // Per input byte, above the fixed allowance.
    const auto perByte = [&](double bytes) { return std::max(0.0, bytes - double(kFixedBytes)) / size; };
    g_worst.totalPerByte = std::max(g_worst.totalPerByte, perByte(double(scope.total())));
    g_worst.peakPerByte = std::max(g_worst.peakPerByte, perByte(double(scope.peak())));
    g_worst.heapPerByte = std::max(g_worst.heapPerByte, perByte(double(scope.heapGrowth())));
    g_worst.total = std::max(g_worst.total, scope.total());
    g_worst.peak = std::max(g_worst.peak, scope.peak());
    g_worst.heap = std::max(g_worst.heap, scope.heapGrowth());
    g_worst.millis = std::max(g_worst.millis, ms);
    return ok;
}

bool readChecked(const QByteArray& bytes)
{
    TJwwData d;
    return readChecked(bytes, d);
}

QByteArray richBytes(int32_t version, JwwLayout& layout, bool longCounts = false)
{
    TJwwData d;
    JwwWriteOptions options;
    options.longCounts = longCounts;
    buildRichDrawing(d, version, options);
    return writeJww(d, options, &layout);
}

void putI32(QByteArray& bytes, qsizetype at, int32_t v)
{
    qToLittleEndian(v, bytes.data() + at);
}

void putU16(QByteArray& bytes, qsizetype at, uint16_t v)
{
    qToLittleEndian(v, bytes.data() + at);
}

std::vector<qsizetype> boundaries(const JwwLayout& l)
{
    std::vector<qsizetype> at{0, 7, 8, 11, 12, 13, 400, l.entityCount, l.blockDefCount};
    for (const auto* list : {&l.entities, &l.blockDefs, &l.memberCounts, &l.blockDefMembers, &l.images,
                             &l.imageSizes, &l.imageData})
        at.insert(at.end(), list->begin(), list->end());
    if (l.imageCount >= 0)
        at.push_back(l.imageCount);
    return at;
}

}  // namespace

TEST(Malformed, TruncatedAtEveryStructuralBoundaryFails)
{
    for (int32_t version : {230, 350, 420, 700}) {
        SCOPED_TRACE(version);
        JwwLayout layout;
        const QByteArray whole = richBytes(version, layout);
        ASSERT_TRUE(readChecked(whole));
        for (qsizetype b : boundaries(layout)) {
            for (qsizetype cut : {b - 1, b, b + 1, b + 3}) {
                if (cut < 0 || cut >= whole.size())
                    continue;
                SCOPED_TRACE(cut);
                EXPECT_FALSE(readChecked(whole.left(cut)));
            }
        }
    }
}

TEST(Malformed, TruncatedAtEveryByteOfASmallDrawingFails)
{
    TJwwData d;
    initEmptyDrawing(d, 230);
    addLine(d, {{}, 0, 0, 1, 1});
    addTen(d, {{0, 100}, 1, 1, 0, 3, 0.5, 2});
    addMoji(d, {{}, 0, 0, 1, 0, 0, 3, 3, 0, 0, QStringLiteral("f"), QStringLiteral("文字")});
    addSunpo(d, {});
    addSolid(d, {{0, 0, 10}, 0, 0, 1, 0, 1, 1, 0, 1, 0xFF});
    addBlock(d, {{}, 0, 0, 1, 1, 0, 1});
    TEntJwwBlockDef def;
    def.nNumber = 1;
    def.dtime = static_cast<uint32_t>(-1);
    addEnko(def, {});
    d.EntBlockDef.push_back(def);
    const QByteArray whole = writeJww(d);
    ASSERT_TRUE(readChecked(whole));
    int accepted = 0;
    for (qsizetype cut = 0; cut < whole.size(); ++cut)
        accepted += readJwwDrawing(d, whole.left(cut)) ? 1 : 0;
    EXPECT_EQ(accepted, 0);
}

// Counts, lengths and sizes that announce far more than the file holds.
TEST(Malformed, AbsurdCountsAndLengthsFailWithoutAllocatingThem)
{
    JwwLayout l;
    const QByteArray base = richBytes(700, l, true);
    const qsizetype name17 = base.indexOf(common::encodeCp932(QStringLiteral("レイヤ17")));
    ASSERT_GT(name17, 0);
    const struct {
        const char* name;
        std::function<void(QByteArray&)> damage;
    } cases[] = {
        {"entity count 2^31-1", [&](QByteArray& b) { putI32(b, l.entityCount + 2, INT32_MAX); }},
        {"entity count negative", [&](QByteArray& b) { putI32(b, l.entityCount + 2, -1); }},
        {"entity count one past the end",
         [&](QByteArray& b) { putI32(b, l.entityCount + 2, int32_t((b.size() - l.entityCount) / 35 + 1)); }},
        {"definition count 2^31-1", [&](QByteArray& b) { putI32(b, l.blockDefCount + 2, INT32_MAX); }},
        {"member count 2^31-1", [&](QByteArray& b) { putI32(b, l.memberCounts[0] + 2, INT32_MAX); }},
        {"member count negative", [&](QByteArray& b) { putI32(b, l.memberCounts[1] + 2, INT32_MIN); }},
        {"image count 2^31-1", [&](QByteArray& b) { putI32(b, l.imageCount, INT32_MAX); }},
        {"image count negative", [&](QByteArray& b) { putI32(b, l.imageCount, -4); }},
        {"image size 2^31-1", [&](QByteArray& b) { putI32(b, l.imageSizes[0], INT32_MAX); }},
        {"image size negative", [&](QByteArray& b) { putI32(b, l.imageSizes[1], -6); }},
        {"image size one past the end",
         [&](QByteArray& b) { putI32(b, l.imageSizes[1], int32_t(b.size() - l.imageSizes[1] - 4 + 1)); }},
        {"string of 65533 bytes", [&](QByteArray& b) { b.replace(name17 - 1, 1, QByteArray("\xFF\xFD\xFF", 3)); }},
        {"UTF-16 string of 65535 units",
         [&](QByteArray& b) { b.replace(name17 - 1, 1, QByteArray("\xFF\xFE\xFF\xFF\xFF\xFF", 6)); }},
        {"class name of 65535 bytes", [&](QByteArray& b) { putU16(b, l.entities[0] + 4, 0xFFFF); }},
        {"class name of 1000 bytes", [&](QByteArray& b) { putU16(b, l.entities[0] + 4, 1000); }},
        {"unknown class name", [&](QByteArray& b) { b[l.entities[0] + 6 + 5] = 'X'; }},
        {"unregistered class index", [&](QByteArray& b) { putU16(b, l.entities[1], 0x8000 + 2); }},
        {"unregistered long class index",
         [&](QByteArray& b) { b.replace(l.entities[1], 2, QByteArray("\xFF\x7F\xFF\xFF\xFF\xFF", 6)); }},
        {"definition tag unregistered", [&](QByteArray& b) { putU16(b, l.blockDefs[1], 0x8000 + 9999); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes = base;
        c.damage(bytes);
        TJwwData d;
        EXPECT_FALSE(readChecked(bytes, d));
        EXPECT_LE(d.EntNo.size(), 13u);
        EXPECT_LE(d.EntBlockDef.size(), 3u);
        EXPECT_LE(d.BindImage.size(), 4u);
    }
    EXPECT_TRUE(readChecked(base));
}

// Well-formed files whose definitions insert themselves or explode: the read
// succeeds and the tree stays small.
TEST(Malformed, SelfInsertingAndExplosiveBlocksKeepTheTreeBounded)
{
    const auto selfInsert = [](TJwwData& d) {
        TEntJwwBlockDef a;
        a.nNumber = 1;
        addBlock(a, {{}, 1, 0, 1, 1, 0, 1});
        addBlock(a, {{}, 2, 0, 1, 1, 0, 2});
        TEntJwwBlockDef b;
        b.nNumber = 2;
        addBlock(b, {{}, 0, 1, 1, 1, 0, 1});
        d.EntBlockDef = {a, b};
    };
    const auto explode = [](TJwwData& d) {
        for (uint32_t level = 1; level <= 5; ++level) {
            TEntJwwBlockDef def;
            def.nNumber = level;
            for (int i = 0; i < 1000 && level < 5; ++i)
                addBlock(def, {{}, double(i), 0, 1, 1, 0, level + 1});
            addLine(def, {});
            d.EntBlockDef.push_back(def);
        }
    };
    const struct {
        const char* name;
        std::function<void(TJwwData&)> build;
        int32_t maxNodes;
    } cases[] = {{"self-inserting", selfInsert, 12}, {"explosive", explode, 20000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TJwwData w;
        initEmptyDrawing(w, 600);
        c.build(w);
        for (int i = 0; i < 3; ++i)
            addBlock(w, {{}, 0, 0, 1, 1, 0, 1});
        TJwwData r;
        ASSERT_TRUE(readChecked(writeJww(w), r));
        EXPECT_GE(r.EntBlockTreeN(), 3);
        EXPECT_LE(r.EntBlockTreeN(), c.maxNodes);
        EXPECT_EQ(r.EntBlockTreeN(), static_cast<int32_t>(r.EntBlockTree.size()));
    }
}

// Random damage anywhere: whatever the result, the read ends cleanly.
TEST(Malformed, RandomDamageEndsCleanly)
{
    std::mt19937 random(20240611);
    for (int32_t version : {350, 700}) {
        JwwLayout l;
        const QByteArray base = richBytes(version, l);
        std::uniform_int_distribution<qsizetype> anywhere(0, base.size() - 1);
        std::uniform_int_distribution<qsizetype> body(l.entityCount, base.size() - 1);
        std::uniform_int_distribution<int> byte(0, 255);
        for (int round = 0; round < 1500; ++round) {
            QByteArray bytes = base;
            const int edits = 1 + round % 4;
            for (int e = 0; e < edits; ++e)
                bytes[round % 4 == 0 ? anywhere(random) : body(random)] = static_cast<char>(byte(random));
            if (round % 7 == 0)
                bytes.truncate(body(random));
            readChecked(bytes);
        }
    }
}
