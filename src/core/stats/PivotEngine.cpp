#include "core/stats/PivotEngine.h"

#include <algorithm>
#include <numeric>

namespace {
// The fields of one axis combined into one key per row: a mixed-radix number
// of the value ids while it fits in 62 bits, else dense codes built field by
// field.
struct AxisKeys {
    std::vector<const std::vector<qint32>*> ids;
    std::vector<quint64> radix;
    quint64 product = 1;
    bool mixedRadix = true;
    std::vector<quint64> codes;
    std::vector<std::vector<qint32>> paths; // code -> value ids, when !mixedRadix

    AxisKeys(const PivotSource& source, const QList<PivotField>& fields, bool combined)
    {
        mixedRadix = !combined;
        for (PivotField field : fields) {
            ids.push_back(&source.ids(field));
            const quint64 r = std::max<quint64>(1, source.values(field).size());
            radix.push_back(r);
            if (product > (quint64(1) << 62) / r || combined) {
                mixedRadix = false;
            } else {
                product *= r;
            }
        }
        if (!mixedRadix) {
            combine(size_t(source.rowCount()));
        }
    }

    quint64 key(size_t row) const
    {
        if (!mixedRadix) {
            return codes[row];
        }
        quint64 k = 0;
        for (size_t j = 0; j < ids.size(); ++j) {
            k = k * radix[j] + quint64((*ids[j])[row]);
        }
        return k;
    }

    std::vector<qint32> decode(quint64 key) const
    {
        if (!mixedRadix) {
            return paths[size_t(key)];
        }
        std::vector<qint32> path(ids.size());
        for (size_t j = ids.size(); j-- > 0;) {
            path[j] = qint32(key % radix[j]);
            key /= radix[j];
        }
        return path;
    }

private:
    void combine(size_t rows)
    {
        codes.assign(rows, 0);
        paths.assign(1, {});
        for (size_t j = 0; j < ids.size(); ++j) {
            std::unordered_map<quint64, quint64> dense;
            std::vector<std::vector<qint32>> next;
            for (size_t i = 0; i < rows; ++i) {
                const qint32 id = (*ids[j])[i];
                // Both parts are below 2^31, so the pair fits.
                const auto [it, added] = dense.emplace(codes[i] * radix[j] + quint64(id), next.size());
                if (added) {
                    std::vector<qint32> path = paths[size_t(codes[i])];
                    path.push_back(id);
                    next.push_back(std::move(path));
                }
                codes[i] = it->second;
            }
            paths = std::move(next);
        }
    }
};

struct Leaf {
    quint64 rowKey;
    quint64 columnKey;
    qint64 sum;
};

int compareValues(const PivotSource::Value& a, const PivotSource::Value& b, bool text)
{
    if (a.null != b.null) {
        return a.null ? -1 : 1;
    }
    if (text) {
        return a.text.compare(b.text);
    }
    return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
}

// One axis: its distinct paths sorted and arranged as a tree, and its lines.
class AxisBuilder {
public:
    AxisBuilder(const PivotSource& source, const PivotLayout& layout, PivotArea area)
        : m_source(source)
        , m_layout(layout)
        , m_area(area)
        , m_fields(layout.fields(area))
    {
    }

    // Returns for each key (in the given order) its chain of tree nodes, from
    // the grand total down to the key's own node.
    std::vector<std::vector<int>> build(const std::vector<quint64>& keys, const AxisKeys& axis)
    {
        std::vector<std::vector<qint32>> paths;
        paths.reserve(keys.size());
        for (quint64 key : keys) {
            paths.push_back(axis.decode(key));
        }
        std::vector<size_t> order(keys.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return less(paths[a], paths[b]); });

        m_nodes.assign(1, Node{});
        std::vector<std::vector<int>> chains(keys.size());
        for (size_t index : order) {
            const std::vector<qint32>& path = paths[index];
            std::vector<int>& chain = chains[index];
            chain.push_back(0);
            int current = 0;
            for (size_t level = 0; level < path.size(); ++level) {
                const std::vector<int>& children = m_nodes[size_t(current)].children;
                if (!children.empty() && m_nodes[size_t(children.back())].id == path[level]) {
                    current = children.back();
                } else {
                    m_nodes.push_back(Node{current, path[level], int(level) + 1, {}});
                    const int created = int(m_nodes.size()) - 1;
                    m_nodes[size_t(current)].children.push_back(created);
                    current = created;
                }
                chain.push_back(current);
            }
        }
        return chains;
    }

    std::vector<PivotResult::Line> lines()
    {
        std::vector<PivotResult::Line> lines;
        emit(0, lines);
        PivotResult::Line grand;
        grand.kind = PivotResult::Kind::Grand;
        lines.push_back(grand);
        for (size_t i = 1; i < lines.size(); ++i) {
            PivotResult::Line& line = lines[i];
            if (line.kind == PivotResult::Kind::Value) {
                const QStringList& previous = lines[i - 1].keys;
                int common = 0;
                while (common < line.depth() - 1 && common < previous.size() && previous[common] == line.keys[common]) {
                    ++common;
                }
                line.firstLevel = common;
            }
        }
        return lines;
    }

private:
    struct Node {
        int parent = -1;
        qint32 id = -1;
        int depth = 0;
        std::vector<int> children;
    };

    bool less(const std::vector<qint32>& a, const std::vector<qint32>& b) const
    {
        for (size_t level = 0; level < a.size(); ++level) {
            if (a[level] == b[level]) {
                continue;
            }
            const PivotField field = m_fields[qsizetype(level)];
            const auto& values = m_source.values(field);
            const int order =
                compareValues(values[size_t(a[level])], values[size_t(b[level])], PivotFields::isText(field));
            if (order != 0) {
                return m_layout.descending(field) ? order > 0 : order < 0;
            }
        }
        return false;
    }

    PivotResult::Line line(int node) const
    {
        PivotResult::Line line;
        line.kind = PivotResult::Kind::Value;
        line.node = node;
        for (int n = node; n > 0; n = m_nodes[size_t(n)].parent) {
            const Node& at = m_nodes[size_t(n)];
            const PivotSource::Value& value = m_source.values(m_fields[at.depth - 1])[size_t(at.id)];
            line.keys.prepend(value.key);
            line.texts.prepend(value.text);
        }
        return line;
    }

    void emit(int node, std::vector<PivotResult::Line>& lines) const
    {
        for (int child : m_nodes[size_t(node)].children) {
            PivotResult::Line value = line(child);
            if (m_nodes[size_t(child)].depth == int(m_fields.size())) {
                lines.push_back(value);
            } else if (m_layout.isCollapsed(m_area, value.keys)) {
                value.collapsed = true;
                lines.push_back(value);
            } else {
                emit(child, lines);
                value.kind = PivotResult::Kind::Subtotal;
                value.firstLevel = value.depth() - 1;
                lines.push_back(value);
            }
        }
    }

    const PivotSource& m_source;
    const PivotLayout& m_layout;
    PivotArea m_area;
    QList<PivotField> m_fields;
    std::vector<Node> m_nodes;
};

// Keys numbered in order of first appearance, the previous row's checked first.
class KeyIndex {
public:
    int index(quint64 key)
    {
        if (m_lastIndex >= 0 && key == m_last) {
            return m_lastIndex;
        }
        const auto [it, added] = m_indexes.emplace(key, int(m_keys.size()));
        if (added) {
            m_keys.push_back(key);
        }
        m_last = key;
        m_lastIndex = it->second;
        return m_lastIndex;
    }

    const std::vector<quint64>& keys() const { return m_keys; }

private:
    std::unordered_map<quint64, int> m_indexes;
    std::vector<quint64> m_keys;
    quint64 m_last = 0;
    int m_lastIndex = -1;
};

// The dense table stays small enough to clear quickly.
constexpr quint64 kDenseCells = quint64(1) << 20;
} // namespace

PivotResult PivotEngine::compute(const PivotSource& source, const PivotLayout& layout, Strategy strategy)
{
    PivotResult result;
    result.rowFields = layout.fields(PivotArea::Row);
    result.columnFields = layout.fields(PivotArea::Column);
    result.summed = layout.fields(PivotArea::Data).contains(PivotField::Jine);

    struct Filter {
        const std::vector<qint32>* ids;
        std::vector<char> shown;
    };

    std::vector<Filter> filters;
    for (PivotField field : PivotFields::all()) {
        const QSet<QString> hidden = layout.hiddenValues(field);
        if (hidden.isEmpty()) {
            continue;
        }
        Filter filter{&source.ids(field), {}};
        for (const PivotSource::Value& value : source.values(field)) {
            filter.shown.push_back(hidden.contains(value.key) ? 0 : 1);
        }
        filters.push_back(std::move(filter));
    }

    const bool combined = strategy == Strategy::Combined;
    const AxisKeys rowAxis(source, result.rowFields, combined);
    const AxisKeys columnAxis(source, result.columnFields, combined);
    const std::vector<qint64>& amounts = source.amounts();
    const size_t rows = size_t(source.rowCount());
    const auto passes = [&filters](size_t row) {
        for (const Filter& filter : filters) {
            if (!filter.shown[size_t((*filter.ids)[row])]) {
                return false;
            }
        }
        return true;
    };

    std::vector<Leaf> leaves;
    int passed = 0;
    const bool dense = rowAxis.mixedRadix && columnAxis.mixedRadix &&
                       (strategy == Strategy::Dense ||
                        (strategy == Strategy::Automatic && rowAxis.product <= kDenseCells / columnAxis.product));
    if (dense) {
        const quint64 columns = columnAxis.product;
        std::vector<qint64> sums(size_t(rowAxis.product * columns), 0);
        std::vector<char> seen(sums.size(), 0);
        for (size_t row = 0; row < rows; ++row) {
            if (!passes(row)) {
                continue;
            }
            ++passed;
            const size_t at = size_t(rowAxis.key(row) * columns + columnAxis.key(row));
            sums[at] += amounts[row];
            seen[at] = 1;
        }
        for (size_t at = 0; at < sums.size(); ++at) {
            if (seen[at]) {
                leaves.push_back({at / columns, at % columns, sums[at]});
            }
        }
    } else {
        KeyIndex rowIndex;
        KeyIndex columnIndex;
        std::unordered_map<quint64, qint64> sums;
        for (size_t row = 0; row < rows; ++row) {
            if (!passes(row)) {
                continue;
            }
            ++passed;
            const quint64 crossing =
                (quint64(rowIndex.index(rowAxis.key(row))) << 32) | quint64(columnIndex.index(columnAxis.key(row)));
            sums[crossing] += amounts[row];
        }
        for (const auto& [crossing, sum] : sums) {
            leaves.push_back({rowIndex.keys()[crossing >> 32], columnIndex.keys()[crossing & 0xffffffffu], sum});
        }
    }
    result.m_sourceRows = passed;

    // Each axis: its distinct keys, their node chains, and the lines.
    const auto distinct = [&leaves](bool row) {
        std::vector<quint64> keys;
        keys.reserve(leaves.size());
        for (const Leaf& leaf : leaves) {
            keys.push_back(row ? leaf.rowKey : leaf.columnKey);
        }
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        return keys;
    };
    const std::vector<quint64> rowKeys = distinct(true);
    const std::vector<quint64> columnKeys = distinct(false);
    AxisBuilder rowBuilder(source, layout, PivotArea::Row);
    AxisBuilder columnBuilder(source, layout, PivotArea::Column);
    const std::vector<std::vector<int>> rowChains = rowBuilder.build(rowKeys, rowAxis);
    const std::vector<std::vector<int>> columnChains = columnBuilder.build(columnKeys, columnAxis);
    result.m_rows = rowBuilder.lines();
    result.m_columns = columnBuilder.lines();

    for (const Leaf& leaf : leaves) {
        const auto& rowChain =
            rowChains[size_t(std::lower_bound(rowKeys.begin(), rowKeys.end(), leaf.rowKey) - rowKeys.begin())];
        const auto& columnChain = columnChains[size_t(
            std::lower_bound(columnKeys.begin(), columnKeys.end(), leaf.columnKey) - columnKeys.begin())];
        for (int rowNode : rowChain) {
            for (int columnNode : columnChain) {
                result.m_sums[PivotResult::crossing(rowNode, columnNode)] += leaf.sum;
            }
        }
    }
    return result;
}
