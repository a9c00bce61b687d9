// The entity and block-definition lists. Counts are checked against the
// bytes that remain before anything is sized by them, so a damaged count
// fails the read as the short read it announces would, without first
// reserving memory for objects that cannot be there.
#include "worker/jww/jww_object_reader.h"

#include "worker/jww/jww_cstring.h"
#include "worker/jww/jww_entity_reader.h"

#include <array>
#include <utility>

namespace jww {
namespace {

constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kBigClassTag = 0x7FFF;
constexpr uint32_t kClassFlag = 0x80000000u;
constexpr int32_t kClassIndexBase = 0x8000;
// The shortest definition: class reference, the fixed part of a file older
// than version 351, an empty name and a zero count.
constexpr qsizetype kMinBlockDefBytes = 2 + 25 + 1 + 2;

// An object count: 16 bits, or FFFF and 32 bits. -1 for a short read, a
// negative count, or more objects of `minBytes` each than the rest can hold.
int32_t readCount(ByteCursor& in, qsizetype minBytes)
{
    int32_t n = in.u16();
    if (n == 0xFFFF)
        n = in.i32();
    if (in.failed() || n < 0 || n > in.remaining() / minBytes) {
        in.fail();
        return -1;
    }
    return n;
}

using KindCounts = std::array<size_t, kEntBlock - kEntLine + 1>;

// How many entities of each kind the next `count` objects hold, found by
// stepping over them on a copy of the class map and coming back. Sizing
// every array once from these saves growing them while reading, which
// moved each record several times into memory touched for the first time.
KindCounts countKinds(ByteCursor& in, ClassTagReader tags, int32_t version, int32_t count)
{
    const ByteCursor::Mark start = in.mark();
    KindCounts n{};
    for (int32_t i = 0; i < count; ++i) {
        int32_t kind = kEntNone;
        if (!tags.read(in, kind) || kind == kEntNone)
            break;
        skipEntityBody(in, version, kind);
        tags.object();
        if (in.failed())
            break;
        ++n[static_cast<size_t>(kind - kEntLine)];
    }
    in.rewind(start);
    return n;
}

template <size_t... I>
void reserveArrays(const EntityArrayRefs& arrays, const KindCounts& n, std::index_sequence<I...>)
{
    (std::get<I>(arrays).reserve(std::get<I>(arrays).size() + n[I]), ...);
}

// Reads `count` entity objects into `to`, recording each in `order` (sized
// to `count` by the caller) at the next free position.
bool readEntities(ByteCursor& in, ClassTagReader& tags, int32_t version, int32_t count, const EntityArrays& to,
                  std::vector<TEntJwwNo>& order)
{
    reserveArrays(to.arrays, countKinds(in, tags, version, count), std::make_index_sequence<KindCounts().size()>());
    size_t next = 0;
    for (int32_t i = 0; i < count; ++i) {
        int32_t kind = kEntNone;
        if (!tags.read(in, kind))
            return false;
        if (kind == kEntNone) {
            in.fail();
            return false;
        }
        const int32_t index = readEntityBody(in, version, kind, to);
        tags.object();
        if (index < 0)
            return false;  // only the end of the file drops an entity: nothing follows
        order[next++] = {kind, index};
    }
    return true;
}

// One definition after its class tag; `position` is its 1-based place in
// the list.
bool readBlockDef(ByteCursor& in, ClassTagReader& tags, int32_t version, int32_t position, TEntJwwBlockDef& def)
{
    if (!in.has((version >= 351 ? 15 : 13) + 12))
        return false;  // a definition must at least be complete up to its stamp
    def.att = readAttr(in, version);
    def.nNumber = static_cast<uint32_t>(in.i32());
    def.bRefferd = static_cast<uint32_t>(in.i32());
    const int32_t stamp = in.i32();
    def.dtime = static_cast<uint32_t>(stamp);
    if (stamp < 0) {
        // A negative stamp is followed by 8 bytes that nothing uses; the
        // definition is then known by its place in the list.
        in.skip(8);
        def.dtime = static_cast<uint32_t>(position);
    }
    def.strName = ReadCStringPrintable(in);
    const int32_t n = readCount(in, kMinEntityObjectBytes);
    if (n < 0)
        return false;
    def.N = n;
    def.mNo.assign(static_cast<size_t>(n), TEntJwwNo{});
    tags.object();
    const EntityArrays to{entityArrays(def), 0.0};
    return readEntities(in, tags, version, n, to, def.mNo);
}

}  // namespace

bool ClassTagReader::read(ByteCursor& in, int32_t& kind)
{
    const uint16_t tag = in.u16();
    if (tag == kNewClassTag) {
        in.u16();  // schema number
        const uint16_t length = in.u16();
        const QByteArrayView name = in.bytes(length);
        if (in.failed())
            return false;
        kind = entityKindOfClass(name);
        m_kindOfIndex.insert(m_mapIndex++, kind);
        return true;
    }
    const int64_t index = tag == kBigClassTag ? int64_t{static_cast<uint32_t>(in.i32()) & ~kClassFlag}
                                              : int64_t{tag} - kClassIndexBase;
    const auto it = m_kindOfIndex.constFind(index);
    if (in.failed() || it == m_kindOfIndex.cend()) {
        in.fail();
        return false;
    }
    kind = it.value();
    return true;
}

bool readEntityList(TJwwData& d, ByteCursor& in, ClassTagReader& tags)
{
    const int32_t count = readCount(in, kMinEntityObjectBytes);
    d.Enthd.n1 = count < 0 ? 0 : count;
    d.Enthd.n2 = 0;
    if (count < 0)
        return false;
    d.EntNo.assign(static_cast<size_t>(count), TEntJwwNo{});
    const EntityArrays to{entityArrays(d), 1.0};
    return readEntities(in, tags, d.Enthd.jwVer, count, to, d.EntNo);
}

bool readBlockDefList(TJwwData& d, ByteCursor& in, ClassTagReader& tags)
{
    const int32_t count = readCount(in, kMinBlockDefBytes);
    if (count < 0)
        return false;
    d.Enthd.n2 = count;
    d.EntBlockDef.reserve(static_cast<size_t>(count));
    bool ok = true;
    for (int32_t i = 0; ok && i < count; ++i) {
        int32_t kind = kEntNone;  // a definition's class name is not checked
        ok = tags.read(in, kind) && readBlockDef(in, tags, d.Enthd.jwVer, i + 1, d.EntBlockDef.emplace_back());
    }
    if (!ok)
        in.fail();
    return ok;
}

}  // namespace jww
