#pragma once

#include <QList>
#include <QString>

struct SysParamRow {
    QString param;
    QString val;
};

struct ParamRow {
    QString param;
    QString val;
    QString remark;
    int ord = 0;
};

// The settings rows a new database starts with.
class DefaultSettings {
public:
    static const QList<SysParamRow>& sysParams();
    static const QList<ParamRow>& params();
};
