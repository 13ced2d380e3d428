#include "core/data/Tdm.h"

#include "core/data/AppPaths.h"
#include "core/data/DbError.h"
#include "core/data/WholeNumber.h"

Tdm* dm = nullptr;

Tdm::Tdm()
    : Tdm(AppPaths::programFile(QString::fromLatin1(kDatabaseFile)))
{
}

Tdm::Tdm(const QString& databasePath, SchemaMigrator migrator)
    : m_connection(std::make_unique<Connection>(databasePath, std::move(migrator)))
    , m_query(std::make_unique<Query>(*m_connection))
{
    create();
}

void Tdm::create()
{
    title = QStringLiteral("Pelorin");
    // The program's own web service, answered in-process without any network.
    serviceBase = QStringLiteral("pel://pelorin/");
    version = QStringLiteral("1.1");
    try {
        completeCreation();
    } catch (const DbError& error) {
        m_creationError = error.message();
    }
}

void Tdm::finishCreation()
{
    if (m_creationError.isEmpty()) {
        return;
    }
    completeCreation();
    m_creationError.clear();
}

bool Tdm::readOnly()
{
    finishCreation();
    return m_connection->isReadOnly();
}

void Tdm::completeCreation()
{
    LoadParams();
    const QString adBase = serviceBase + QStringLiteral("pel/ad/");
    adCommon = adBase + QStringLiteral("common/");
    adBaobao = adBase + QStringLiteral("baobao/");
    adDaikuan = adBase + QStringLiteral("daikuan/");
    adJiankang = adBase + QStringLiteral("jiankang/");
    adShouzhi = adBase + QStringLiteral("shouzhi/");
    adAlert = adBase + QStringLiteral("alert/");
}

void Tdm::ExecSql(const QString& sql, const QVariantMap& params)
{
    finishCreation();
    m_query->close();
    m_query->setSql(sql);
    m_query->setParams(params);
    m_query->execSql();
}

QString Tdm::SelectValue(const QString& sql, const QString& column, const QVariantMap& params)
{
    finishCreation();
    return selectValue(sql, column, params);
}

QString Tdm::selectValue(const QString& sql, const QString& column, const QVariantMap& params)
{
    m_query->close();
    m_query->setSql(sql);
    m_query->setParams(params);
    m_query->open();
    return m_query->asText(column);
}

QString Tdm::ReadParam(const QString& name)
{
    return selectValue(QStringLiteral("select val from param where param = :name"), QStringLiteral("val"),
                       {{QStringLiteral("name"), name}});
}

void Tdm::LoadParams()
{
    LeixingZhichu = ReadParam(QStringLiteral("LeixingZhichu"));
    LeixingShouru = ReadParam(QStringLiteral("LeixingShouru"));
    Ren = ReadParam(QStringLiteral("Ren"));
    DaysZhichu = ReadParam(QStringLiteral("DaysZhichu"));
    DaysShouru = ReadParam(QStringLiteral("DaysShouru"));
    DaysJishi = ReadParam(QStringLiteral("DaysJishi"));
    Leixingjishi = ReadParam(QStringLiteral("Leixingjishi"));
    Leixingjishista = ReadParam(QStringLiteral("Leixingjishista"));
    Leixingdianhua = ReadParam(QStringLiteral("Leixingdianhua"));
    DaysJiankang = ReadParam(QStringLiteral("DaysJiankang"));
    DaysBaobao = ReadParam(QStringLiteral("DaysBaobao"));
    LeixingJiankang = ReadParam(QStringLiteral("LeixingJiankang"));
    LeixingBaobao = ReadParam(QStringLiteral("LeixingBaobao"));
    LeixingBaobaoJiaoyu = ReadParam(QStringLiteral("LeixingBaobaoJiaoyu"));
    jiepingpinlv = WholeNumber::parse(ReadParam(QStringLiteral("jiepingpinlv"))).value_or(0);
    jiepingpath = ReadParam(QStringLiteral("jiepingpath"));
}
