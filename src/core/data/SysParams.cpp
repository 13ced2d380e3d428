#include "core/data/SysParams.h"

#include "core/data/Query.h"

void SysParams::select(Query& query, const QString& name)
{
    query.close();
    query.setSql(QStringLiteral("select * from sysparam where param = :name"));
    query.setParam(QStringLiteral("name"), name);
    query.open();
}

QString SysParams::read(Query& query, const QString& name)
{
    select(query, name);
    return query.asText(QStringLiteral("val"));
}

void SysParams::write(Query& query, const QString& name, const QString& value)
{
    select(query, name);
    if (query.isEmpty()) {
        query.append();
        query.setValue(QStringLiteral("param"), name);
    } else {
        query.edit();
    }
    query.setValue(QStringLiteral("val"), value);
    query.post();
}

void SysParams::writeSwitch(Query& query, const QString& name, bool on)
{
    write(query, name, on ? QStringLiteral("Y") : QStringLiteral("N"));
}
