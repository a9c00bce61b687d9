// The table of block symbols.
#include "worker/convert/block_symbols.h"

#include "common/text_slice.h"
#include "sxf/sfc_writer.h"
#include "worker/convert/attribute_tables.h"

namespace convert {

BlockMark blockMarkOf(const QString& name)
{
    qsizetype at = name.indexOf(QStringLiteral("@@SfigorgFlag@@1"));
    if (at >= 0)
        return {1, at};
    at = name.indexOf(QStringLiteral("@@SfigorgFlag@@2"));
    if (at >= 0)
        return {2, at};
    return {};
}

QString blockSymbolName(const jww::TEntJwwBlockDef& def, int index)
{
    const qsizetype mark = def.strName.indexOf(QStringLiteral("@@SfigorgFlag"));
    const QString name = mark >= 0 ? def.strName.left(mark) : def.strName;
    return common::IsBlank(name) ? QStringLiteral("_BLOCK_") + QString::number(index) : sxf::safeSfcString(name);
}

void BlockSymbols::clear()
{
    m_defs.clear();
    m_first.clear();
}

void BlockSymbols::build(const jww::TJwwData& d, const std::vector<TDatPrtField>& parts)
{
    clear();
    const int32_t n = jww::countOf(d.EntBlockDef);
    m_defs.resize(static_cast<size_t>(n));
    m_first.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        const jww::TEntJwwBlockDef& def = d.EntBlockDef[static_cast<size_t>(i)];
        m_first.emplace(def.nNumber, i);  // a later definition of a number is never placed
        // Only referenced definitions with members become symbols; a placement
        // of any other would name a symbol that is never defined.
        if (def.N <= 0 || !def.ref_flag)
            continue;
        Entry& entry = m_defs[static_cast<size_t>(i)];
        entry.name = blockSymbolName(def, i);
        entry.kind = blockMarkOf(def.strName).typ == 0 ? 4 : 0;
    }
    // A marked block is defined and placed under its part's name, which
    // carries the suffix that made it unique.
    for (const TDatPrtField& part : parts) {
        if ((part.typ == 1 || part.typ == 2) && part.no >= 0 && part.no < n)
            m_defs[static_cast<size_t>(part.no)] = {part.nam, part.typ};
    }
}

int32_t BlockSymbols::definitionOf(uint32_t number) const
{
    const auto it = m_first.find(number);
    return it == m_first.end() ? -1 : it->second;
}

const QString* BlockSymbols::placedName(uint32_t number) const
{
    const int32_t index = definitionOf(number);
    if (index < 0 || m_defs[static_cast<size_t>(index)].name.isEmpty())
        return nullptr;
    return &m_defs[static_cast<size_t>(index)].name;
}

int32_t BlockSymbols::kindOf(int32_t index) const
{
    return index >= 0 && index < jww::countOf(m_defs) ? m_defs[static_cast<size_t>(index)].kind : 0;
}

const QString& BlockSymbols::nameOf(int32_t index) const
{
    static const QString kNone;
    return index >= 0 && index < jww::countOf(m_defs) ? m_defs[static_cast<size_t>(index)].name : kNone;
}

}  // namespace convert
