#include "core/data/Connection.h"

#include "core/data/Clock.h"
#include "core/data/DayNumber.h"
#include "core/data/DbError.h"
#include "core/data/Schema.h"
#include "core/data/SqlDialect.h"
#include "core/data/Statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <sqlite3.h>

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
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(m_filePath).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = sqliteMessage(db);
        sqlite3_close_v2(db);
        throw DbError(QStringLiteral("无法打开数据库“%1”：%2").arg(QDir::toNativeSeparators(m_filePath), reason));
    }
    m_db = db;
    try {
        checkIdentity();
        // Every post is on disk before it returns.
        SchemaMigrator::exec(m_db, QStringLiteral("PRAGMA synchronous = FULL"));
        sqlite3_busy_timeout(m_db, 3000);
        registerFunctions();
    } catch (...) {
        close();
        throw;
    }
}

void Connection::createFile()
{
    // Build the new database beside the target and rename it into place, so
    // that a crash during creation never leaves a half-made pel.dll behind.
    const QString temporary = m_filePath + QStringLiteral(".new");
    QFile::remove(temporary);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(temporary).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    try {
        if (rc != SQLITE_OK) {
            throw DbError(
                QStringLiteral("无法创建数据库“%1”：%2").arg(QDir::toNativeSeparators(m_filePath), sqliteMessage(db)));
        }
        SchemaMigrator::exec(db, QStringLiteral("PRAGMA synchronous = FULL"));
        m_migrator.createFresh(db);
        rc = sqlite3_close(db);
        db = nullptr;
        if (rc != SQLITE_OK || !QFile::rename(temporary, m_filePath)) {
            throw DbError(QStringLiteral("无法创建数据库“%1”。").arg(QDir::toNativeSeparators(m_filePath)));
        }
    } catch (...) {
        sqlite3_close_v2(db);
        QFile::remove(temporary);
        QFile::remove(temporary + QStringLiteral("-journal"));
        throw;
    }
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
        throw DbError(QStringLiteral("“%1”不是Pelorin数据库，无法打开：%2").arg(path, sqliteMessage(m_db)));
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
