// Walking the instances behind one item of a P21 file. Every step checks
// what it finds; the first mismatch sticks (why() says what it was) and
// every later step returns a neutral value, so that a mapper reads its
// values in a straight line and tests ok() once at the end.
#pragma once

#include "sxf/feature_types.h"
#include "sxf/p21_data.h"

#include <QString>

#include <string_view>

namespace sxf {

// An AXIS2_PLACEMENT_2D: its point and direction ((1, 0) when unset).
struct P21Placement {
    T2DPoint at;
    T2DPoint direction {1, 0};
};

class P21Walk {
public:
    // `budget`, when given, is what texts and point lists may still take
    // (in characters and points); the walk fails once it is spent.
    explicit P21Walk(const P21Data& data, int64_t* budget = nullptr) : m_data(data), m_budget(budget) {}

    bool ok() const { return m_ok; }
    const QString& why() const { return m_why; }
    // Marks the walk failed with `why` (the first reason stays); false.
    bool fail(const QString& why);

    const P21Data& data() const { return m_data; }
    // Takes `units` from the budget; fails the walk when it is spent.
    bool spend(size_t units);

    // The index of the instance `ref` refers to; -1 (and a failure) when
    // `ref` is no reference or the instance does not exist.
    int32_t target(const P21Value* ref);
    // The record `entity` of instance `index`: the instance itself when it
    // is a simple one of that name, else its part of that name. Null (and a
    // failure) when it has none.
    const P21Record* record(int32_t index, std::string_view entity);
    // The attributes of record `entity` of the instance at `index` or that
    // `ref` refers to; an invalid list (and a failure) when there is none.
    P21List entity(int32_t index, std::string_view entity);
    P21List entity(const P21Value* ref, std::string_view entity) { return this->entity(target(ref), entity); }

    // Whether instance `index` has a record named `entity` (no failure).
    bool has(int32_t index, std::string_view entity) const;
    // The name of the simple instance `index`, or empty for a complex one.
    std::string_view simpleName(int32_t index) const;

    // Values; null or mismatching values fail and give 0 or empty.
    double real(const P21Value* v);  // a real, or an integer
    int64_t integer(const P21Value* v);
    QString string(const P21Value* v);
    std::string_view enumeration(const P21Value* v);
    bool boolean(const P21Value* v);  // .T. or .F.
    P21List list(const P21Value* v);
    // The value inside TYPE(...), or `v` itself when it is not typed (some
    // writers leave the type out).
    const P21Value* untyped(const P21Value* v, std::string_view type);

    // The coordinates of the CARTESIAN_POINT `ref` refers to.
    T2DPoint point(const P21Value* ref);
    // The ratios of the DIRECTION `ref` refers to.
    T2DPoint direction(const P21Value* ref);
    // The AXIS2_PLACEMENT_2D `ref` refers to.
    P21Placement placement(const P21Value* ref);

private:
    const P21Data& m_data;
    int64_t* m_budget;
    bool m_ok = true;
    QString m_why;
};

// The polar angle of `d` in degrees, in [0, 360).
double polarDegrees(T2DPoint d);
// Radians as degrees, rad * 180 / pi in that order.
double toDegrees(double radians);

}  // namespace sxf
