// The instances of an ISO 10303-21 (P21) file as parsed: every value in one
// flat array, every entity record (a simple instance, or one part of a
// complex instance) with its name and attribute list, and the instances in
// file order, found by their numbers. Names and texts are spans of the
// file's bytes, which must outlive the data.
#pragma once

#include <QByteArrayView>

#include <bit>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace sxf {

enum class P21Kind : uint8_t {
    Integer,    // 12
    Real,       // 12.5, 1.E-3
    String,     // 'text': the raw bytes between the apostrophes
    Enum,       // .NAME.: the name between the dots
    Binary,     // "0FF": the digits between the quotes
    Reference,  // #12
    Unset,      // $
    Derived,    // *
    List,       // ( ... )
    Typed,      // NAME( ... ): the type name
};

// One value. A list or typed value is followed by the values inside it, and
// `span` counts those (nested ones included): the next value on the same
// level is at its index + 1 + span. A list's payload is the number of its
// elements; a typed value holds one.
struct P21Value {
    P21Kind kind = P21Kind::Unset;
    uint32_t span = 0;
    uint64_t payload = 0;

    int64_t integer() const { return static_cast<int64_t>(payload); }  // Integer, Reference
    uint32_t elements() const { return kind == P21Kind::List ? static_cast<uint32_t>(payload) : 1; }  // List, Typed
    double real() const { return std::bit_cast<double>(payload); }       // Real
    uint32_t begin() const { return static_cast<uint32_t>(payload >> 32); }  // String ... Typed
    uint32_t size() const { return static_cast<uint32_t>(payload); }

    static uint64_t textPayload(uint32_t begin, uint32_t size) { return (uint64_t {begin} << 32) | size; }
};

// One entity: a simple instance, one part of a complex instance, or a
// header entity.
struct P21Record {
    uint32_t nameBegin = 0;
    uint32_t nameSize = 0;
    uint32_t attributes = 0;  // index of the List value that holds them
};

struct P21Instance {
    int64_t number = 0;  // the n of "#n="
    int32_t line = 0;    // 1-based line of "#n"
    uint32_t firstRecord = 0;
    uint32_t recordCount = 0;
    bool complex = false;  // "#n=(A(...)B(...));"
};

class P21Data;

// The elements of one list (or the attributes of one record), walked in
// order. at() walks from the start: use it for short lists only.
class P21List {
public:
    P21List() = default;
    P21List(const P21Data* data, uint32_t listIndex);

    bool valid() const { return m_data != nullptr; }
    size_t size() const { return m_size; }
    // The element at `i`, or null beyond the end (and for an invalid list).
    const P21Value* at(size_t i) const;

    class Iterator {
    public:
        Iterator(const P21Value* v) : m_v(v) {}
        const P21Value& operator*() const { return *m_v; }
        Iterator& operator++()
        {
            m_v += 1 + m_v->span;
            return *this;
        }
        bool operator!=(const Iterator& o) const { return m_v != o.m_v; }

    private:
        const P21Value* m_v;
    };
    Iterator begin() const;
    Iterator end() const;

private:
    const P21Data* m_data = nullptr;
    uint32_t m_first = 0;  // index of the first element
    uint32_t m_end = 0;    // one past the last value inside the list
    size_t m_size = 0;
};

class P21Data {
public:
    QByteArrayView bytes;
    std::vector<P21Value> values;
    std::vector<P21Record> records;
    std::vector<P21Instance> instances;  // file order
    std::vector<P21Record> header;       // FILE_DESCRIPTION, FILE_NAME, ...
    bool started = false;                // the file began with "ISO-10303-21;"

    // Sorts the numbers for find(). The first instance of a number wins:
    // the later ones are taken out of `instances` and returned.
    std::vector<P21Instance> indexNumbers();
    // The index into `instances` of instance #number, or -1.
    int32_t find(int64_t number) const;

    std::string_view text(uint32_t begin, uint32_t size) const
    {
        return {bytes.data() + begin, static_cast<size_t>(size)};
    }
    std::string_view name(const P21Record& r) const { return text(r.nameBegin, r.nameSize); }
    std::string_view text(const P21Value& v) const { return text(v.begin(), v.size()); }
    P21List attributes(const P21Record& r) const { return P21List(this, r.attributes); }
    // The records of `instance`, in the order written.
    std::span<const P21Record> recordsOf(const P21Instance& instance) const
    {
        return std::span<const P21Record>(records).subspan(instance.firstRecord, instance.recordCount);
    }

private:
    std::vector<std::pair<int64_t, int32_t>> m_byNumber;
    int64_t m_step = 0;  // the mean step between numbers
};

}  // namespace sxf
