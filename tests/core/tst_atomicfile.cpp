#include "core/data/AtomicFile.h"
#include "core/data/TextFile.h"
#include "core/web/LinkPage.h"
#include "core/xls/XlsWriter.h"
#include "platform/linux/DesktopEntry.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {
enum class Writer { Text, LinkPage, Xls, DesktopEntry, Device };

// Each writer of the program, given enough content to spill over a few
// pages of a nearly full disk.
bool writeWith(Writer writer, const QString& path)
{
    switch (writer) {
    case Writer::Text: {
        QStringList lines;
        for (int i = 0; i < 3000; ++i) {
            lines << QStringLiteral("常用字符第%1行").arg(i);
        }
        return TextFile::write(path, lines.join(QLatin1Char('\n')));
    }
    case Writer::LinkPage: {
        QList<LinkPage::Link> links;
        for (int i = 0; i < 1500; ++i) {
            links.append({QStringLiteral("网址%1").arg(i), QStringLiteral("https://www.example.org/%1").arg(i)});
        }
        return LinkPage::write(path, links);
    }
    case Writer::Xls: {
        QString error;
        const bool written = XlsWriter::write(
            path, QStringLiteral("表"), {QStringLiteral("描述"), QStringLiteral("金额")}, 3000,
            [](int row, int column) {
                return column == 0 ? QVariant(QStringLiteral("第%1笔").arg(row)) : QVariant(row);
            },
            {}, &error);
        if (!written && !error.contains(QStringLiteral("原有文件保持不变")) &&
            !error.contains(QStringLiteral("不能在这里创建文件"))) {
            qWarning("unexpected message: %s", qPrintable(error));
            return true; // makes the test fail on the message
        }
        return written;
    }
    case Writer::DesktopEntry: {
        DesktopEntry entry;
        entry.name = QStringLiteral("Pelorin");
        entry.exec = QStringLiteral("/opt/pelorin/pelorin");
        entry.extra = QStringLiteral("Comment=%1\n").arg(QString(60000, QChar(u'记')));
        QString error;
        const bool written = entry.write(path, &error);
        return written || error.isEmpty();
    }
    case Writer::Device: {
        AtomicFile file(path);
        if (!file.open()) {
            return false;
        }
        const QByteArray block(4096, 'x');
        for (int i = 0; i < 40; ++i) {
            if (file.write(block) != block.size()) {
                return false;
            }
        }
        return file.commit();
    }
    }
    return false;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writePlain(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void addWriterRows()
{
    QTest::addColumn<Writer>("writer");
    QTest::newRow("common strings") << Writer::Text;
    QTest::newRow("link page") << Writer::LinkPage;
    QTest::newRow("Excel export") << Writer::Xls;
    QTest::newRow("desktop entry") << Writer::DesktopEntry;
    QTest::newRow("device writes") << Writer::Device;
}

// A small file system of its own that fills up, or nothing when the test may not mount one.
class SmallDisk {
public:
    SmallDisk()
    {
        if (::geteuid() != 0 || !m_dir.isValid()) {
            return;
        }
        m_mounted = QProcess::execute(QStringLiteral("mount"),
                                      {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                       QStringLiteral("size=256k"), QStringLiteral("tmpfs"), m_dir.path()}) == 0;
    }

    ~SmallDisk()
    {
        if (m_mounted) {
            QProcess::execute(QStringLiteral("umount"), {m_dir.path()});
        }
    }

    bool mounted() const { return m_mounted; }

    QString path() const { return m_dir.path(); }

    // Fills the disk, then frees a few pages: less than any writer needs.
    bool fillLeaving(qint64 freeBytes)
    {
        QFile filler(m_dir.path() + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            return false;
        }
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        const qint64 size = filler.size();
        filler.close();
        return size > freeBytes && filler.resize(size - freeBytes);
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
} // namespace

Q_DECLARE_METATYPE(Writer)

// A file is replaced only by a whole new one: a write that fails on the way
// leaves the old file as it was, no stray temporary file, and a false result.
class TestAtomicFile : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void cleanup() { AtomicFile::setFault({}); }

    void writesWholeFile_data() { addWriterRows(); }

    void writesWholeFile();
    void faultKeepsTheOldFile_data();
    void faultKeepsTheOldFile();

    void fullDiskKeepsTheOldFile_data() { addWriterRows(); }

    void fullDiskKeepsTheOldFile();
    void replacedFileKeepsItsMode();
    void missingFolderFailsWithReason();
};

void TestAtomicFile::writesWholeFile()
{
    QFETCH(Writer, writer);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("target"));
    QVERIFY(writePlain(path, "old"));
    QVERIFY(writeWith(writer, path));
    QVERIFY(fileBytes(path).size() > 30000);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("target")});
}

void TestAtomicFile::faultKeepsTheOldFile_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<qint64>("writableBytes");
    QTest::addColumn<bool>("failSync");
    const QList<std::pair<const char*, Writer>> writers = {{"common strings", Writer::Text},
                                                           {"link page", Writer::LinkPage},
                                                           {"Excel export", Writer::Xls},
                                                           {"desktop entry", Writer::DesktopEntry},
                                                           {"device writes", Writer::Device}};
    for (const auto& [name, writer] : writers) {
        QTest::addRow("%s, disk full at once", name) << writer << qint64(0) << false;
        QTest::addRow("%s, disk full after one page", name) << writer << qint64(4096) << false;
        QTest::addRow("%s, disk full one byte short", name) << writer << qint64(29999) << false;
        QTest::addRow("%s, sync fails", name) << writer << qint64(-1) << true;
    }
}

void TestAtomicFile::faultKeepsTheOldFile()
{
    QFETCH(Writer, writer);
    QFETCH(qint64, writableBytes);
    QFETCH(bool, failSync);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("target"));
    const QByteArray old = QByteArray("the old file, whole\r\n").repeated(300);
    QVERIFY(writePlain(path, old));

    AtomicFile::setFault({writableBytes, failSync});
    QVERIFY(!writeWith(writer, path));
    AtomicFile::setFault({});

    QCOMPARE(fileBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("target")});
}

void TestAtomicFile::fullDiskKeepsTheOldFile()
{
    QFETCH(Writer, writer);
    SmallDisk disk;
    if (!disk.mounted()) {
        QSKIP("mounting a small file system needs root");
    }
    const QString path = disk.path() + QStringLiteral("/target");
    const QByteArray old = QByteArray("the old file, whole\r\n").repeated(300);
    QVERIFY(writePlain(path, old));
    QVERIFY(disk.fillLeaving(8192));

    QVERIFY(!writeWith(writer, path));

    QCOMPARE(fileBytes(path), old);
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("filler"), QStringLiteral("target")}));
}

void TestAtomicFile::replacedFileKeepsItsMode()
{
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept"));
    QVERIFY(writePlain(kept, "old"));
    QVERIFY(::chmod(QFile::encodeName(kept).constData(), 0640) == 0);
    QVERIFY(AtomicFile::writeAll(kept, "new"));

    struct stat info {};

    QCOMPARE(::stat(QFile::encodeName(kept).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, mode_t(0640));
    QCOMPARE(fileBytes(kept), QByteArray("new"));

    const QString fresh = dir.filePath(QStringLiteral("fresh"));
    const mode_t mask = ::umask(022);
    QVERIFY(AtomicFile::writeAll(fresh, "new"));
    ::umask(mask);
    QCOMPARE(::stat(QFile::encodeName(fresh).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, mode_t(0644));
}

void TestAtomicFile::missingFolderFailsWithReason()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!AtomicFile::writeAll(dir.filePath(QStringLiteral("missing/target")), "x", &error));
    QVERIFY(!error.isEmpty());
    AtomicFile::setFault({0, false});
    QVERIFY(!AtomicFile::writeAll(dir.filePath(QStringLiteral("target")), "x", &error));
    QCOMPARE(error, QStringLiteral("磁盘空间不足"));
}

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
