#include "core/backup/BackupStore.h"

#include "core/data/AtomicFile.h"
#include "core/data/Connection.h"
#include "core/data/DbError.h"
#include "core/data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {
constexpr int kDailyCopies = 7;
constexpr int kWeeklyCopies = 8;

// A database in memory, closed when it goes.
struct MemoryDb {
    sqlite3* db = nullptr;

    MemoryDb() { sqlite3_open(":memory:", &db); }

    ~MemoryDb() { sqlite3_close(db); }

    Q_DISABLE_COPY_MOVE(MemoryDb)
};

QString engineMessage(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// "ok" from PRAGMA integrity_check and Pelorin's application id, else the reason.
bool checkDb(sqlite3* db, QString* reason)
{
    sqlite3_stmt* statement = nullptr;
    QString result;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    } else {
        result = engineMessage(db);
    }
    sqlite3_finalize(statement);
    if (result != QLatin1String("ok")) {
        *reason = QStringLiteral("数据不完整（%1）").arg(result);
        return false;
    }
    int id = 0;
    if (sqlite3_prepare_v2(db, "PRAGMA application_id", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        id = sqlite3_column_int(statement, 0);
    }
    sqlite3_finalize(statement);
    if (id != Schema::kApplicationId) {
        *reason = QStringLiteral("不是Pelorin数据库");
        return false;
    }
    return true;
}

// The bytes of a database file, loaded into a database in memory.
bool load(sqlite3* memory, const QByteArray& bytes)
{
    auto* buffer = static_cast<unsigned char*>(sqlite3_malloc64(sqlite3_uint64(bytes.size())));
    if (!buffer) {
        return false;
    }
    std::memcpy(buffer, bytes.constData(), size_t(bytes.size()));
    return sqlite3_deserialize(memory, "main", buffer, bytes.size(), bytes.size(),
                               SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE) == SQLITE_OK;
}

struct Book {
    const char* table;
    const char* name;
};

constexpr Book kBooks[] = {
    {"Dianhua", "通讯录"},    {"Jishi", "记事"},         {"Beiwang", "备忘录"},      {"MyUrl", "我的网址"},
    {"Income", "收入"},       {"Spend", "支出"},         {"alert", "提醒"},          {"jiankangdangan", "健康档案"},
    {"bb_jishi", "宝宝记事"}, {"bb_jiaoyu", "宝宝教育"}, {"bb_shengao", "宝宝身高"}, {"bb_tizhong", "宝宝体重"},
};
} // namespace

BackupStore::BackupStore(const QString& databasePath)
    : m_folder(QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("backup")))
{
}

QString BackupStore::fileName(QDate day)
{
    return QStringLiteral("pel-") + day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".dll");
}

QDate BackupStore::dateOf(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^pel-(\\d{8})\\.dll$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    return match.hasMatch() ? QDate::fromString(match.captured(1), QStringLiteral("yyyyMMdd")) : QDate();
}

QString BackupStore::pathFor(QDate day) const
{
    return QDir(m_folder).filePath(fileName(day));
}

bool BackupStore::hasCopy(QDate day) const
{
    return QFileInfo::exists(pathFor(day));
}

QList<BackupStore::Copy> BackupStore::copies() const
{
    QList<Copy> result;
    const QFileInfoList files = QDir(m_folder).entryInfoList(QDir::Files);
    for (const QFileInfo& file : files) {
        const QDate date = dateOf(file.fileName());
        if (date.isValid()) {
            result.append({date, file.absoluteFilePath(), file.size()});
        }
    }
    std::sort(result.begin(), result.end(), [](const Copy& a, const Copy& b) { return a.date > b.date; });
    return result;
}

QList<QDate> BackupStore::kept(QList<QDate> days)
{
    std::sort(days.begin(), days.end(), std::greater<>());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    QList<QDate> keep = days.mid(0, kDailyCopies);
    QSet<QDate> weeks; // by their Monday
    for (const QDate& day : std::as_const(days)) {
        const QDate monday = day.addDays(1 - day.dayOfWeek());
        if (weeks.contains(monday)) {
            continue;
        }
        if (weeks.size() == kWeeklyCopies) {
            break;
        }
        weeks.insert(monday);
        if (!keep.contains(day)) {
            keep.append(day);
        }
    }
    std::sort(keep.begin(), keep.end(), std::greater<>());
    return keep;
}

bool BackupStore::write(const QByteArray& bytes, const QString& path, QString* error) const
{
    if (!QDir().mkpath(m_folder)) {
        *error = QStringLiteral("无法建立备份文件夹“%1”").arg(QDir::toNativeSeparators(m_folder));
        return false;
    }
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The writer keeps the mode of the file it replaces: a new copy starts as
    // an empty file only its owner may read.
    bool created = false;
    if (!QFileInfo::exists(path)) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        created = fd >= 0;
        if (fd >= 0) {
            ::close(fd);
        }
    }
    QString reason;
    if (!AtomicFile::writeAll(path, bytes, &reason)) {
        if (created) {
            QFile::remove(path);
        }
        *error = QStringLiteral("无法写入“%1”（%2）").arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    return true;
}

bool BackupStore::backup(Connection& connection, QDate day, QString* error)
{
    sqlite3* source = nullptr;
    try {
        source = connection.handle();
    } catch (const DbError& e) {
        *error = e.message();
        return false;
    }
    MemoryDb copy;
    sqlite3_backup* backup = sqlite3_backup_init(copy.db, "main", source, "main");
    if (!backup) {
        *error = QStringLiteral("无法开始备份（%1）").arg(engineMessage(copy.db));
        return false;
    }
    // One step reads the whole file under one read lock: a write that another
    // program has under way is either all in the copy or not at all.
    int rc = SQLITE_OK;
    for (int attempt = 0; attempt < 100; ++attempt) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED) {
            break;
        }
        sqlite3_sleep(50);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        *error = rc == SQLITE_BUSY || rc == SQLITE_LOCKED ? QStringLiteral("数据库正被其他程序使用")
                                                          : QStringLiteral("读取数据库失败（%1）").arg(rc);
        return false;
    }
    QString reason;
    if (!checkDb(copy.db, &reason)) {
        *error = QStringLiteral("数据库未通过检查，没有备份（%1）").arg(reason);
        return false;
    }
    sqlite3_int64 size = 0;
    unsigned char* data = sqlite3_serialize(copy.db, "main", &size, 0);
    if (!data) {
        *error = QStringLiteral("内存不足，没有备份");
        return false;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    sqlite3_free(data);
    const QString path = pathFor(day);
    if (!write(bytes, path, error)) {
        return false;
    }
    // Older copies go only when the new one, read back from the disk, is sound.
    if (!check(path, &reason)) {
        *error = QStringLiteral("新备份“%1”未通过检查（%2）").arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    prune(day);
    return true;
}

void BackupStore::prune(QDate newest)
{
    QList<QDate> days;
    const QList<Copy> all = copies();
    for (const Copy& copy : all) {
        days << copy.date;
    }
    const QList<QDate> keep = kept(days);
    for (const Copy& copy : all) {
        if (copy.date != newest && !keep.contains(copy.date)) {
            QFile::remove(copy.path);
        }
    }
}

bool BackupStore::check(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法读取");
        return false;
    }
    MemoryDb memory;
    if (!load(memory.db, file.readAll())) {
        *error = QStringLiteral("无法读取");
        return false;
    }
    return checkDb(memory.db, error);
}

QList<QPair<QString, int>> BackupStore::census(const QString& path)
{
    QList<QPair<QString, int>> counts;
    sqlite3* db = nullptr;
    const QByteArray uri = QByteArray("file:") + QUrl::toPercentEncoding(path, "/") + "?mode=ro";
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return counts;
    }
    for (const Book& book : kBooks) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray sql = QByteArray("SELECT count(*) FROM \"") + book.table + '"';
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            counts.append({QString::fromUtf8(book.name), sqlite3_column_int(statement, 0)});
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return counts;
}

bool BackupStore::restore(const QString& copyPath, Connection& connection, QDate day, QString* error)
{
    QFile file(copyPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法读取备份“%1”。").arg(QDir::toNativeSeparators(copyPath));
        return false;
    }
    // Held in memory: restoring today's copy replaces that very file below.
    const QByteArray bytes = file.readAll();
    file.close();
    QString reason;
    {
        MemoryDb memory;
        if (!load(memory.db, bytes) || !checkDb(memory.db, &reason)) {
            *error =
                QStringLiteral("备份“%1”已损坏或不是Pelorin数据库（%2），没有恢复，当前数据保持不变。")
                    .arg(QDir::toNativeSeparators(copyPath), reason.isEmpty() ? QStringLiteral("无法读取") : reason);
            return false;
        }
    }
    if (connection.isOpen() && sqlite3_next_stmt(connection.handle(), nullptr)) {
        *error = QStringLiteral("数据库正在使用中，请稍后再恢复。");
        return false;
    }
    if (!backup(connection, day, &reason)) {
        *error = QStringLiteral("无法先备份当前数据（%1），没有恢复。").arg(reason);
        return false;
    }
    connection.close();
    QString writeError;
    if (!AtomicFile::writeAll(connection.filePath(), bytes, &writeError)) {
        *error = QStringLiteral("无法写入数据库（%1），当前数据保持不变。").arg(writeError);
        return false;
    }
    return true;
}
