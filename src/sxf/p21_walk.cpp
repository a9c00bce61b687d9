// Checked steps through the instances of a P21 file.
#include "sxf/p21_walk.h"

#include "sxf/p21_read_strings.h"

#include <cmath>
#include <numbers>

namespace sxf {
namespace {

constexpr size_t kMaxAttributes = 64;

QString shown(std::string_view s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

bool P21Walk::fail(const QString& why)
{
    if (m_ok) {
        m_ok = false;
        m_why = why;
    }
    return false;
}

bool P21Walk::spend(size_t units)
{
    if (!m_budget)
        return m_ok;
    *m_budget -= static_cast<int64_t>(units);
    if (*m_budget < 0)
        fail(QStringLiteral("ファイルの大きさに見合わない量の点や文字があります"));
    return m_ok;
}

int32_t P21Walk::target(const P21Value* ref)
{
    if (!m_ok)
        return -1;
    if (!ref || ref->kind != P21Kind::Reference)
        return fail(QStringLiteral("参照（#番号）があるはずの所に別の値があります")), -1;
    const int32_t index = m_data.find(ref->integer());
    if (index < 0)
        fail(QStringLiteral("参照先の #%1 がありません").arg(ref->integer()));
    return index;
}

const P21Record* P21Walk::record(int32_t index, std::string_view entity)
{
    if (!m_ok || index < 0)
        return nullptr;
    const P21Instance& at = m_data.instances[static_cast<size_t>(index)];
    for (const P21Record& r : m_data.recordsOf(at)) {
        if (m_data.name(r) == entity)
            return &r;
    }
    fail(QStringLiteral("#%1 は %2 ではありません").arg(at.number).arg(shown(entity)));
    return nullptr;
}

P21List P21Walk::entity(int32_t index, std::string_view entity)
{
    const P21Record* r = record(index, entity);
    const P21List a = r ? m_data.attributes(*r) : P21List();
    // No entity of a drawing has more; the limit keeps at() short.
    if (a.size() > kMaxAttributes)
        return fail(QStringLiteral("%1 の属性が多すぎます").arg(shown(entity))), P21List();
    return a;
}

bool P21Walk::has(int32_t index, std::string_view entity) const
{
    if (index < 0)
        return false;
    for (const P21Record& r : m_data.recordsOf(m_data.instances[static_cast<size_t>(index)])) {
        if (m_data.name(r) == entity)
            return true;
    }
    return false;
}

std::string_view P21Walk::simpleName(int32_t index) const
{
    if (index < 0)
        return {};
    const P21Instance& at = m_data.instances[static_cast<size_t>(index)];
    return at.complex ? std::string_view() : m_data.name(m_data.records[at.firstRecord]);
}

double P21Walk::real(const P21Value* v)
{
    if (!m_ok)
        return 0;
    if (v && v->kind == P21Kind::Real)
        return v->real();
    if (v && v->kind == P21Kind::Integer)
        return static_cast<double>(v->integer());
    return fail(QStringLiteral("数値があるはずの所に別の値があります")), 0;
}

int64_t P21Walk::integer(const P21Value* v)
{
    if (!m_ok)
        return 0;
    if (v && v->kind == P21Kind::Integer)
        return v->integer();
    return fail(QStringLiteral("整数があるはずの所に別の値があります")), 0;
}

QString P21Walk::string(const P21Value* v)
{
    if (!m_ok)
        return {};
    if (v && v->kind == P21Kind::String)
        return spend(v->size()) ? decodeP21String(m_data.text(*v)) : QString();
    return fail(QStringLiteral("文字列があるはずの所に別の値があります")), QString();
}

std::string_view P21Walk::enumeration(const P21Value* v)
{
    if (!m_ok)
        return {};
    if (v && v->kind == P21Kind::Enum)
        return m_data.text(*v);
    return fail(QStringLiteral("列挙値（.名前.）があるはずの所に別の値があります")), std::string_view();
}

bool P21Walk::boolean(const P21Value* v)
{
    const std::string_view e = enumeration(v);
    if (m_ok && e != "T" && e != "F")
        fail(QStringLiteral(".T. か .F. があるはずの所に .%1. があります").arg(shown(e)));
    return e == "T";
}

P21List P21Walk::list(const P21Value* v)
{
    if (!m_ok)
        return {};
    // Every list read takes its length from the budget: an instance whose
    // list many items share must not be read over and over for free.
    if (v && v->kind == P21Kind::List)
        return spend(v->elements()) ? P21List(&m_data, static_cast<uint32_t>(v - m_data.values.data())) : P21List();
    return fail(QStringLiteral("リスト（括弧）があるはずの所に別の値があります")), P21List();
}

const P21Value* P21Walk::untyped(const P21Value* v, std::string_view type)
{
    if (!m_ok || !v || v->kind != P21Kind::Typed)
        return v;
    if (m_data.text(*v) != type)
        return fail(QStringLiteral("%1 があるはずの所に %2 があります").arg(shown(type), shown(m_data.text(*v)))), v;
    return P21List(&m_data, static_cast<uint32_t>(v - m_data.values.data())).at(0);
}

T2DPoint P21Walk::point(const P21Value* ref)
{
    const P21List xy = list(entity(ref, "CARTESIAN_POINT").at(1));
    if (m_ok && xy.size() < 2)
        fail(QStringLiteral("点の座標が 2 つありません"));
    return T2DPoint {real(xy.at(0)), real(xy.at(1))};
}

T2DPoint P21Walk::direction(const P21Value* ref)
{
    const P21List xy = list(entity(ref, "DIRECTION").at(1));
    if (m_ok && xy.size() < 2)
        fail(QStringLiteral("方向の成分が 2 つありません"));
    return T2DPoint {real(xy.at(0)), real(xy.at(1))};
}

P21Placement P21Walk::placement(const P21Value* ref)
{
    const P21List a = entity(ref, "AXIS2_PLACEMENT_2D");
    P21Placement p;
    p.at = point(a.at(1));
    const P21Value* dir = a.at(2);
    if (m_ok && dir && dir->kind != P21Kind::Unset)
        p.direction = direction(dir);
    return p;
}

double polarDegrees(T2DPoint d)
{
    double deg = toDegrees(std::atan2(d.y, d.x));
    if (deg < 0)
        deg += 360;
    // A tiny negative angle would give 360 itself.
    return deg >= 360 ? 0 : deg;
}

double toDegrees(double radians)
{
    return radians * 180.0 / std::numbers::pi;
}

}  // namespace sxf
