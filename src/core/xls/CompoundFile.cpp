#include "core/xls/CompoundFile.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {
constexpr qint64 kSectorSize = 512;
constexpr qint64 kMiniSectorSize = 64;
constexpr qint64 kMiniStreamCutoff = 4096;
constexpr qint64 kIdsPerSector = kSectorSize / 4;
constexpr qint64 kHeaderFatSlots = 109;
constexpr qint64 kDirEntrySize = 128;
constexpr qint64 kDirEntriesPerSector = kSectorSize / kDirEntrySize;

constexpr quint32 kDifatSector = 0xFFFFFFFC;
constexpr quint32 kFatSector = 0xFFFFFFFD;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFree = 0xFFFFFFFF;
constexpr quint32 kNoEntry = 0xFFFFFFFF;

constexpr quint8 kStreamEntry = 2;
constexpr quint8 kRootEntry = 5;

qint64 unitsFor(qint64 bytes, qint64 unit)
{
    return (bytes + unit - 1) / unit;
}

void put16(QByteArray& bytes, qint64 at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void put32(QByteArray& bytes, qint64 at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void put64(QByteArray& bytes, qint64 at, quint64 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// Every chain this writer lays out is a run of consecutive sectors.
void markChain(std::vector<quint32>& table, quint32 first, qint64 count)
{
    for (qint64 i = 0; i < count; ++i) {
        table[first + i] = i + 1 < count ? quint32(first + i + 1) : kEndOfChain;
    }
}

QByteArray tableBytes(const std::vector<quint32>& table)
{
    QByteArray bytes(qsizetype(table.size() * 4), Qt::Uninitialized);
    for (size_t i = 0; i < table.size(); ++i) {
        put32(bytes, qint64(i * 4), table[i]);
    }
    return bytes;
}

bool writeBytes(QIODevice* device, const QByteArray& bytes)
{
    return device->write(bytes) == bytes.size();
}

bool writeZeros(QIODevice* device, qint64 count)
{
    static const QByteArray zeros(kSectorSize, '\0');
    while (count > 0) {
        const qint64 chunk = std::min(count, kSectorSize);
        if (device->write(zeros.constData(), chunk) != chunk) {
            return false;
        }
        count -= chunk;
    }
    return true;
}

qint64 streamSize(const CompoundFile::Stream& stream)
{
    qint64 size = 0;
    for (const QByteArray& part : stream.parts) {
        size += part.size();
    }
    return size;
}

bool writeStream(QIODevice* device, const CompoundFile::Stream& stream, qint64 size, qint64 unit)
{
    for (const QByteArray& part : stream.parts) {
        if (!writeBytes(device, part)) {
            return false;
        }
    }
    return writeZeros(device, unitsFor(size, unit) * unit - size);
}

// Readers find entries by walking a tree ordered by name length first, then by the upper-cased names.
bool entryNameLess(const QString& a, const QString& b)
{
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a.toUpper() < b.toUpper();
}

struct TreeNode {
    quint32 left = kNoEntry;
    quint32 right = kNoEntry;
    int depth = 0;
};

// A tree split at the medians has every level full except the deepest; colouring that level red and the
// rest black gives each path the same number of black nodes, so it is a valid red-black tree.
quint32 buildTree(const std::vector<quint32>& sorted, qsizetype from, qsizetype to, int depth,
                  std::vector<TreeNode>& nodes)
{
    if (from >= to) {
        return kNoEntry;
    }
    const qsizetype middle = from + (to - from) / 2;
    const quint32 id = sorted[size_t(middle)];
    nodes[id].depth = depth;
    nodes[id].left = buildTree(sorted, from, middle, depth + 1, nodes);
    nodes[id].right = buildTree(sorted, middle + 1, to, depth + 1, nodes);
    return id;
}

void putEntry(QByteArray& directory, qint64 at, const QString& name, quint8 type, bool red, const TreeNode& node,
              quint32 child, quint32 start, qint64 size)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        put16(directory, at + i * 2, name.at(i).unicode());
    }
    put16(directory, at + 64, quint16((name.size() + 1) * 2));
    directory[at + 66] = char(type);
    directory[at + 67] = char(red ? 0 : 1);
    put32(directory, at + 68, node.left);
    put32(directory, at + 72, node.right);
    put32(directory, at + 76, child);
    put32(directory, at + 116, start);
    put64(directory, at + 120, quint64(size));
}
} // namespace

bool CompoundFile::write(QIODevice* device, const QList<Stream>& streams)
{
    // Sectors in file order: large streams, the mini stream, the mini allocation table, the directory, the
    // allocation table and its index sectors. Each run is contiguous.
    const qsizetype count = streams.size();
    std::vector<qint64> sizes(static_cast<size_t>(count));
    std::vector<quint32> starts(static_cast<size_t>(count), kEndOfChain);
    std::vector<bool> inMini(static_cast<size_t>(count), false);
    qint64 nextSector = 0;
    qint64 miniSectors = 0;
    for (qsizetype i = 0; i < count; ++i) {
        Q_ASSERT(streams.at(i).name.size() <= 31);
        const qint64 size = streamSize(streams.at(i));
        sizes[size_t(i)] = size;
        if (size >= kMiniStreamCutoff) {
            starts[size_t(i)] = quint32(nextSector);
            nextSector += unitsFor(size, kSectorSize);
        } else if (size > 0) {
            inMini[size_t(i)] = true;
            starts[size_t(i)] = quint32(miniSectors);
            miniSectors += unitsFor(size, kMiniSectorSize);
        }
    }
    const qint64 miniStreamSize = miniSectors * kMiniSectorSize;
    const qint64 miniStreamSectors = unitsFor(miniStreamSize, kSectorSize);
    const quint32 miniStreamStart = miniStreamSectors > 0 ? quint32(nextSector) : kEndOfChain;
    nextSector += miniStreamSectors;
    const qint64 miniFatSectors = unitsFor(miniSectors, kIdsPerSector);
    const quint32 miniFatStart = miniFatSectors > 0 ? quint32(nextSector) : kEndOfChain;
    nextSector += miniFatSectors;
    const qint64 directorySectors = unitsFor(count + 1, kDirEntriesPerSector);
    const auto directoryStart = quint32(nextSector);
    nextSector += directorySectors;

    // The allocation table also has to cover its own sectors and their index sectors.
    qint64 fatSectors = 0;
    qint64 difatSectors = 0;
    for (;;) {
        const qint64 neededFat = unitsFor(nextSector + fatSectors + difatSectors, kIdsPerSector);
        const qint64 neededDifat =
            neededFat > kHeaderFatSlots ? unitsFor(neededFat - kHeaderFatSlots, kIdsPerSector - 1) : 0;
        if (neededFat == fatSectors && neededDifat == difatSectors) {
            break;
        }
        fatSectors = neededFat;
        difatSectors = neededDifat;
    }
    const auto fatStart = quint32(nextSector);
    const auto difatStart = quint32(fatStart + fatSectors);

    std::vector<quint32> fat(size_t(fatSectors * kIdsPerSector), kFree);
    for (qsizetype i = 0; i < count; ++i) {
        if (!inMini[size_t(i)] && sizes[size_t(i)] > 0) {
            markChain(fat, starts[size_t(i)], unitsFor(sizes[size_t(i)], kSectorSize));
        }
    }
    if (miniStreamSectors > 0) {
        markChain(fat, miniStreamStart, miniStreamSectors);
    }
    if (miniFatSectors > 0) {
        markChain(fat, miniFatStart, miniFatSectors);
    }
    markChain(fat, directoryStart, directorySectors);
    std::fill_n(fat.begin() + fatStart, fatSectors, kFatSector);
    std::fill_n(fat.begin() + difatStart, difatSectors, kDifatSector);

    std::vector<quint32> miniFat(size_t(miniFatSectors * kIdsPerSector), kFree);
    for (qsizetype i = 0; i < count; ++i) {
        if (inMini[size_t(i)]) {
            markChain(miniFat, starts[size_t(i)], unitsFor(sizes[size_t(i)], kMiniSectorSize));
        }
    }

    QByteArray difat(difatSectors * kSectorSize, Qt::Uninitialized);
    for (qint64 d = 0; d < difatSectors; ++d) {
        for (qint64 j = 0; j < kIdsPerSector - 1; ++j) {
            const qint64 fatIndex = kHeaderFatSlots + d * (kIdsPerSector - 1) + j;
            put32(difat, (d * kIdsPerSector + j) * 4, fatIndex < fatSectors ? quint32(fatStart + fatIndex) : kFree);
        }
        const quint32 next = d + 1 < difatSectors ? quint32(difatStart + d + 1) : kEndOfChain;
        put32(difat, (d * kIdsPerSector + kIdsPerSector - 1) * 4, next);
    }

    std::vector<quint32> sorted;
    for (qsizetype i = 0; i < count; ++i) {
        sorted.push_back(quint32(i + 1));
    }
    std::sort(sorted.begin(), sorted.end(), [&streams](quint32 a, quint32 b) {
        return entryNameLess(streams.at(a - 1).name, streams.at(b - 1).name);
    });
    std::vector<TreeNode> nodes(static_cast<size_t>(count + 1));
    const quint32 treeRoot = buildTree(sorted, 0, qsizetype(sorted.size()), 0, nodes);
    int deepest = 0;
    for (const TreeNode& node : nodes) {
        deepest = std::max(deepest, node.depth);
    }

    QByteArray directory(directorySectors * kSectorSize, '\0');
    putEntry(directory, 0, QStringLiteral("Root Entry"), kRootEntry, false, TreeNode(), treeRoot, miniStreamStart,
             miniStreamSize);
    for (qsizetype i = 0; i < count; ++i) {
        const TreeNode& node = nodes[size_t(i + 1)];
        const bool red = deepest > 0 && node.depth == deepest;
        putEntry(directory, (i + 1) * kDirEntrySize, streams.at(i).name, kStreamEntry, red, node, kNoEntry,
                 starts[size_t(i)], sizes[size_t(i)]);
    }
    for (qint64 i = count + 1; i < directorySectors * kDirEntriesPerSector; ++i) {
        const qint64 at = i * kDirEntrySize;
        put32(directory, at + 68, kNoEntry);
        put32(directory, at + 72, kNoEntry);
        put32(directory, at + 76, kNoEntry);
    }

    QByteArray header(kSectorSize, '\0');
    static const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    std::memcpy(header.data(), signature, 8);
    put16(header, 24, 0x003E);
    put16(header, 26, 3);
    put16(header, 28, 0xFFFE);
    put16(header, 30, 9);
    put16(header, 32, 6);
    put32(header, 44, quint32(fatSectors));
    put32(header, 48, directoryStart);
    put32(header, 56, quint32(kMiniStreamCutoff));
    put32(header, 60, miniFatStart);
    put32(header, 64, quint32(miniFatSectors));
    put32(header, 68, difatSectors > 0 ? difatStart : kEndOfChain);
    put32(header, 72, quint32(difatSectors));
    for (qint64 i = 0; i < kHeaderFatSlots; ++i) {
        put32(header, 76 + i * 4, i < fatSectors ? quint32(fatStart + i) : kFree);
    }

    if (!writeBytes(device, header)) {
        return false;
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (!inMini[size_t(i)] && !writeStream(device, streams.at(i), sizes[size_t(i)], kSectorSize)) {
            return false;
        }
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (inMini[size_t(i)] && !writeStream(device, streams.at(i), sizes[size_t(i)], kMiniSectorSize)) {
            return false;
        }
    }
    return writeZeros(device, miniStreamSectors * kSectorSize - miniStreamSize) &&
           writeBytes(device, tableBytes(miniFat)) && writeBytes(device, directory) &&
           writeBytes(device, tableBytes(fat)) && writeBytes(device, difat);
}
