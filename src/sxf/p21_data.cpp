// Walking the values of a parsed P21 file and finding instances by number.
#include "sxf/p21_data.h"

#include <algorithm>

namespace sxf {

P21List::P21List(const P21Data* data, uint32_t listIndex)
{
    if (listIndex >= data->values.size())
        return;
    const P21Value& list = data->values[listIndex];
    if (list.kind != P21Kind::List && list.kind != P21Kind::Typed)
        return;
    m_data = data;
    m_first = listIndex + 1;
    m_end = m_first + list.span;
    m_size = list.elements();
}

const P21Value* P21List::at(size_t i) const
{
    if (i >= m_size)
        return nullptr;
    uint32_t at = m_first;
    for (; i > 0; --i)
        at += 1 + m_data->values[at].span;
    return &m_data->values[at];
}

P21List::Iterator P21List::begin() const
{
    return Iterator(m_data ? m_data->values.data() + m_first : nullptr);
}

P21List::Iterator P21List::end() const
{
    return Iterator(m_data ? m_data->values.data() + m_end : nullptr);
}

std::vector<P21Instance> P21Data::indexNumbers()
{
    m_byNumber.clear();
    m_byNumber.reserve(instances.size());
    for (size_t i = 0; i < instances.size(); ++i)
        m_byNumber.emplace_back(instances[i].number, static_cast<int32_t>(i));
    // Writers number in ascending order, so the sort has nothing to do for
    // most files.
    if (!std::is_sorted(m_byNumber.begin(), m_byNumber.end()))
        std::sort(m_byNumber.begin(), m_byNumber.end());
    // Writers number in steps of one size: an instance is then found where
    // its number says, without a search.
    m_step = 0;
    if (m_byNumber.size() >= 2) {
        const int64_t span = m_byNumber.back().first - m_byNumber.front().first;
        m_step = span / static_cast<int64_t>(m_byNumber.size() - 1);
    }
    std::vector<bool> repeated(instances.size());
    bool any = false;
    for (size_t i = 1; i < m_byNumber.size(); ++i) {
        if (m_byNumber[i].first == m_byNumber[i - 1].first) {
            repeated[static_cast<size_t>(m_byNumber[i].second)] = true;
            any = true;
        }
    }
    if (!any)
        return {};
    std::vector<P21Instance> dropped;
    std::vector<P21Instance> kept;
    kept.reserve(instances.size());
    for (size_t i = 0; i < instances.size(); ++i)
        (repeated[i] ? dropped : kept).push_back(instances[i]);
    instances = std::move(kept);
    indexNumbers();
    return dropped;
}

int32_t P21Data::find(int64_t number) const
{
    if (m_step > 0 && number >= m_byNumber.front().first) {
        const auto guess = static_cast<uint64_t>((number - m_byNumber.front().first) / m_step);
        if (guess < m_byNumber.size() && m_byNumber[guess].first == number)
            return m_byNumber[guess].second;
    }
    auto it = std::lower_bound(m_byNumber.begin(), m_byNumber.end(), std::pair<int64_t, int32_t>(number, INT32_MIN));
    if (it == m_byNumber.end() || it->first != number)
        return -1;
    return it->second;
}

}  // namespace sxf
