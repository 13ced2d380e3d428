#pragma once

#include "stats/TfrmBaseIOStat.h"

// 支出统计: the spending book; here the amount may also be grouped by.
class TfrmSpendStat : public TfrmBaseIOStat {
    Q_OBJECT

public:
    explicit TfrmSpendStat(QWidget* owner = nullptr);
};
