#include "core/data/SchemaMigrator.h"

#include "core/data/Clock.h"
#include "core/data/DayNumber.h"
#include "core/data/DbError.h"
#include "core/data/DefaultSettings.h"
#include "core/data/Schema.h"
#include "core/data/Statement.h"

#include <sqlite3.h>

SchemaMigrator::SchemaMigrator()
    : m_upgrades(Schema::upgrades())
{
}

SchemaMigrator::SchemaMigrator(std::vector<Step> upgrades)
    : m_upgrades(std::move(upgrades))
{
}

int SchemaMigrator::targetVersion() const
{
    return Schema::kVersion + int(m_upgrades.size());
}

void SchemaMigrator::exec(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(error ? error : "unknown error");
        sqlite3_free(error);
        throw DbError(QStringLiteral("数据库操作失败：%1").arg(reason));
    }
}

void SchemaMigrator::createFresh(sqlite3* db) const
{
    exec(db, QStringLiteral("BEGIN"));
    try {
        for (const QString& statement : Schema::createStatements()) {
            exec(db, statement);
        }
        {
            Statement insert(db, QStringLiteral("INSERT INTO sysparam (param, val) VALUES (?, ?)"));
            for (const SysParamRow& row : DefaultSettings::sysParams()) {
                insert.bind(1, row.param);
                insert.bind(2, row.val);
                insert.step();
                insert.reset();
            }
        }
        {
            Statement insert(db, QStringLiteral("INSERT INTO param (param, val, remark, ord) VALUES (?, ?, ?, ?)"));
            for (const ParamRow& row : DefaultSettings::params()) {
                insert.bind(1, row.param);
                insert.bind(2, row.val);
                insert.bind(3, row.remark);
                insert.bind(4, double(row.ord));
                insert.step();
                insert.reset();
            }
        }
        exec(db, QStringLiteral("INSERT INTO param_yuegong (oid, jine, lilv, LilvZhekou, nian, Yujichengjiao, "
                                "Yujipinggu, shoufu) VALUES (1, 50, 6.55, 0.8, 20, 90, 80, 3)"));
        {
            Statement insert(db, QStringLiteral("INSERT INTO param_baobao (oid, bir) VALUES (1, ?)"));
            insert.bind(1, DayNumber::fromDate(Clock::today()));
            insert.step();
        }
        for (size_t i = 0; i < m_upgrades.size(); ++i) {
            m_upgrades[i](db);
        }
        exec(db, QStringLiteral("PRAGMA application_id = %1").arg(Schema::kApplicationId));
        exec(db, QStringLiteral("PRAGMA user_version = %1").arg(targetVersion()));
        exec(db, QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void SchemaMigrator::upgrade(sqlite3* db, int fromVersion) const
{
    if (fromVersion >= targetVersion()) {
        return;
    }
    if (fromVersion < Schema::kVersion) {
        throw DbError(QStringLiteral("数据库版本%1无法升级。").arg(fromVersion));
    }
    exec(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        for (int version = fromVersion; version < targetVersion(); ++version) {
            m_upgrades[size_t(version - Schema::kVersion)](db);
        }
        exec(db, QStringLiteral("PRAGMA user_version = %1").arg(targetVersion()));
        exec(db, QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}
