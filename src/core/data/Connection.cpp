#include "core/data/Connection.h"

#include "core/data/Clock.h"
#include "core/data/DatabaseHeader.h"
#include "core/data/DayNumber.h"
#include "core/data/DbError.h"
#include "core/data/Schema.h"
#include "core/data/SqlDialect.h"
#include "core/data/Statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {
void sqlNow(sqlite3_context* context, int, sqlite3_value**)
{
    sqlite3_result_double(context, DayNumber::fromDateTime(Clock::now()));
}

void sqlDate(sqlite3_context* context, int, sqlite3_value**)
{
    sqlite3_result_double(context, DayNumber::fromDate(Clock::today()));
}

// year(), month() and day() of a day number; NULL stays NULL.
template <int Part> void sqlDatePart(sqlite3_context* context, int, sqlite3_value** argv)
{
    const int type = sqlite3_value_numeric_type(argv[0]);
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) {
        sqlite3_result_null(context);
        return;
    }
    // Plain integer arithmetic (proleptic Gregorian, as QDate): a QDateTime
    // would look up the time zone for every row, which costs seconds over a
    // million entries.
    const double value = sqlite3_value_double(argv[0]);
    double whole = std::floor(value);
    if (std::llround((value - whole) * 86400000.0) >= 86400000) {
        whole += 1; // a time a hair before midnight rounds to the next day, as DayNumber does
    }
    // Days since 0000-03-01, then eras of 400 years (H. Hinnant's civil_from_days).
    const qint64 z = qint64(whole) - 25569 + 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 dayOfEra = z - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 shifted = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * shifted + 2) / 5 + 1);
    const int month = int(shifted < 10 ? shifted + 3 : shifted - 9);
    const int year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    sqlite3_result_int(context, Part == 0 ? year : Part == 1 ? month : day);
}

QString sqliteMessage(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

// How long a start waits for another program's write to end.
constexpr int kBusyTimeoutMs = 3000;

// The file holds the login password and private records: only its owner may read it.
constexpr mode_t kPrivateMode = 0600;

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}
} // namespace

Connection::Connection(QString filePath, SchemaMigrator migrator)
    : m_filePath(std::move(filePath))
    , m_migrator(std::move(migrator))
{
}

Connection::~Connection()
{
    close();
}

sqlite3* Connection::handle()
{
    if (!m_db) {
        open();
    }
    return m_db;
}

void Connection::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void Connection::open()
{
    if (!QFileInfo::exists(m_filePath)) {
        createFile();
    }
    checkHeader();
    sqlite3* db = nullptr;
    // The connection is only ever used from the window thread: without the
    // per-call mutex, reading a large list costs a fifth less.
    const int rc = sqlite3_open_v2(QFile::encodeName(m_filePath).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = sqliteMessage(db);
        sqlite3_close_v2(db);
        throw DbError(QStringLiteral("无法打开数据库“%1”：%2").arg(QDir::toNativeSeparators(m_filePath), reason));
    }
    m_db = db;
    try {
        // Another program in the middle of a write is waited for, not taken
        // for a foreign file.
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
        checkIdentity();
        // Every post is on disk before it returns.
        SchemaMigrator::exec(m_db, QStringLiteral("PRAGMA synchronous = FULL"));
        registerFunctions();
    } catch (...) {
        close();
        throw;
    }
}

void Connection::createFile()
{
    // Build the new database beside the target under a name of its own and
    // link it into place only if no pel.dll has appeared meanwhile: a crash
    // never leaves a half-made file, and two starts at once never spoil each
    // other's work nor replace a finished file.
    const QString target = QDir::toNativeSeparators(m_filePath);
    QString temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = m_filePath + QStringLiteral(".new") + QString::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(encoded(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateMode);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        throw DbError(
            QStringLiteral("无法创建数据库“%1”：%2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
    }
    ::close(fd);
    sqlite3* db = nullptr;
    const auto removeTemporary = [&] {
        QFile::remove(temporary);
        QFile::remove(temporary + QStringLiteral("-journal"));
    };
    try {
        int rc = sqlite3_open_v2(encoded(temporary).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK) {
            throw DbError(QStringLiteral("无法创建数据库“%1”：%2").arg(target, sqliteMessage(db)));
        }
        SchemaMigrator::exec(db, QStringLiteral("PRAGMA synchronous = FULL"));
        m_migrator.createFresh(db);
        rc = sqlite3_close(db);
        db = nullptr;
        if (rc != SQLITE_OK) {
            throw DbError(QStringLiteral("无法创建数据库“%1”。").arg(target));
        }
    } catch (...) {
        sqlite3_close_v2(db);
        removeTemporary();
        throw;
    }
    // link() never replaces; a file system without hard links falls back to
    // Qt's rename, which does not replace either.
    const bool linked = ::link(encoded(temporary).constData(), encoded(m_filePath).constData()) == 0;
    const bool anotherWon = !linked && errno == EEXIST;
    const bool placed = linked || anotherWon || QFile::rename(temporary, m_filePath);
    removeTemporary();
    if (!placed && !QFileInfo::exists(m_filePath)) {
        throw DbError(QStringLiteral("无法创建数据库“%1”。").arg(target));
    }
}

void Connection::checkHeader()
{
    const DatabaseHeader header(m_filePath);
    if (header.isTruncated()) {
        throw DbError(QStringLiteral("数据库“%1”已损坏（文件不完整），程序不会改动它。请用备份的数据库替换它。")
                          .arg(QDir::toNativeSeparators(m_filePath)));
    }
}

bool Connection::isReadOnly()
{
    sqlite3* db = handle();
    const QFileInfo file(m_filePath);
    // Without a writable folder SQLite cannot make its journal, so no change
    // could be saved either.
    return sqlite3_db_readonly(db, "main") == 1 || ::access(encoded(m_filePath).constData(), W_OK) != 0 ||
           ::access(encoded(file.absolutePath()).constData(), W_OK) != 0;
}

void Connection::checkIdentity()
{
    const QString path = QDir::toNativeSeparators(m_filePath);
    int applicationId = 0;
    int version = 0;
    try {
        Statement idQuery(m_db, QStringLiteral("PRAGMA application_id"));
        idQuery.step();
        applicationId = idQuery.value(0).toInt();
        Statement versionQuery(m_db, QStringLiteral("PRAGMA user_version"));
        versionQuery.step();
        version = versionQuery.value(0).toInt();
    } catch (const DbError&) {
        const int code = sqlite3_errcode(m_db);
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
            throw DbError(QStringLiteral("数据库“%1”正被其他程序使用，暂时无法打开，请稍后再试。").arg(path));
        }
        // The engine's own words are English; the user is told what happened.
        if (code == SQLITE_CORRUPT || DatabaseHeader(m_filePath).applicationId() == Schema::kApplicationId) {
            throw DbError(QStringLiteral("数据库“%1”已损坏，无法打开，程序不会改动它。").arg(path));
        }
        throw DbError(QStringLiteral("“%1”不是Pelorin数据库，程序不会改动它。").arg(path));
    }
    if (applicationId != Schema::kApplicationId) {
        throw DbError(QStringLiteral("“%1”不是Pelorin数据库，程序不会改动它。").arg(path));
    }
    if (version > m_migrator.targetVersion()) {
        throw DbError(
            QStringLiteral("数据库“%1”的版本（%2）比本程序新，请使用新版本的Pelorin。").arg(path).arg(version));
    }
    m_migrator.upgrade(m_db, version);
}

void Connection::registerFunctions()
{
    struct Function {
        const char* name;
        int arguments;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
    };

    static const Function functions[] = {
        {"now", 0, sqlNow},           {"date", 0, sqlDate},       {"year", 1, sqlDatePart<0>},
        {"month", 1, sqlDatePart<1>}, {"day", 1, sqlDatePart<2>},
    };
    // Registered on the connection only: the stored schema never refers to
    // them, so any other tool can still read and write the file.
    for (const Function& function : functions) {
        const QByteArray name = SqlDialect::functionPrefix().toLatin1() + QByteArray(function.name);
        const int flags = SQLITE_UTF8 | (function.arguments > 0 ? SQLITE_DETERMINISTIC : 0);
        sqlite3_create_function_v2(m_db, name.constData(), function.arguments, flags, nullptr, function.call, nullptr,
                                   nullptr, nullptr);
    }
}
