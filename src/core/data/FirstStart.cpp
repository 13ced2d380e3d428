#include "core/data/FirstStart.h"

#include "core/data/Clock.h"
#include "core/data/Tdm.h"

bool FirstStart::mark(Tdm& data)
{
    const QString flag =
        data.SelectValue(QStringLiteral("select val from sysParam where param = 'useflag'"), QStringLiteral("val"));
    const bool first = flag == QLatin1String("0");
    if (first) {
        data.ExecSql(QStringLiteral("update sysParam set val = :stamp where param = 'userno'"),
                     {{QStringLiteral("stamp"), timeStamp()}});
        data.ExecSql(QStringLiteral("update sysParam set val = '1' where param = 'useflag'"));
    }
    data.SelectValue(QStringLiteral("select val from sysParam where param = 'userno'"), QStringLiteral("val"));
    return first;
}

QString FirstStart::timeStamp()
{
    return Clock::now().toString(QStringLiteral("yyyyMMddhhmmsszzz"));
}
