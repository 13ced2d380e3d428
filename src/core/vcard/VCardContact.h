#pragma once

#include <QString>

// A contact as the address book keeps it, column by column.
struct VCardContact {
    QString xingming;
    QString leixing;
    QString xingbie;
    QString shouji;
    QString dianhua;
    QString qq;
    QString email;
    QString addr;
    QString remark;

    bool operator==(const VCardContact&) const = default;
};
