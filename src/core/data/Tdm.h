#pragma once

#include "core/data/Connection.h"
#include "core/data/Query.h"

#include <QString>
#include <QVariantMap>
#include <memory>

// The data module: the program's one connection, its identity values, the
// advertisement addresses and the cached user parameters the windows read
// when they open.
class Tdm {
    Q_DISABLE_COPY_MOVE(Tdm)

public:
    // Runs the creation sequence on the database in the program folder. When the
    // database fails, the rest of the sequence is skipped and the error is kept
    // (creationError()); the next operation runs the rest again, so the error
    // reaches the general error report once, from the step that needed the
    // database, and a file that was only busy at start serves afterwards.
    Tdm();
    explicit Tdm(const QString& databasePath, SchemaMigrator migrator = {});

    static constexpr const char* kDatabaseFile = "pel.dll";

    Connection& ADOConnection1() { return *m_connection; }

    // Values for the statement's ":name" parameters are bound, never spliced.
    void ExecSql(const QString& sql, const QVariantMap& params = {});
    QString SelectValue(const QString& sql, const QString& column, const QVariantMap& params = {});
    QString ReadParam(const QString& name);
    void LoadParams();

    // Empty when the creation sequence ran to its end.
    QString creationError() const { return m_creationError; }

    // The database opened, but changes to it cannot be saved.
    bool readOnly();

    // Identity.
    QString title;
    QString version;
    QString serviceBase;

    // Cached parameters.
    QString LeixingZhichu;
    QString LeixingShouru;
    QString Ren;
    QString DaysZhichu;
    QString DaysShouru;
    QString DaysJishi;
    QString Leixingjishi;
    QString Leixingjishista;
    QString Leixingdianhua;
    QString DaysJiankang;
    QString DaysBaobao;
    QString LeixingJiankang;
    QString LeixingBaobao;
    QString LeixingBaobaoJiaoyu;
    int jiepingpinlv = 0;
    QString jiepingpath;

    // Advertisement pages by area.
    QString adCommon;
    QString adBaobao;
    QString adDaikuan;
    QString adJiankang;
    QString adShouzhi;
    QString adAlert;

private:
    void create();
    void finishCreation();
    void completeCreation();
    QString selectValue(const QString& sql, const QString& column, const QVariantMap& params);

    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<Query> m_query; // ADOQuery1, for the module's own operations
    QString m_creationError;
};

// The data module of the running program; created first, freed last.
extern Tdm* dm;
