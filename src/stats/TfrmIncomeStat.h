#pragma once

#include "stats/TfrmBaseIOStat.h"

// 收入统计: the income book from the start year on.
class TfrmIncomeStat : public TfrmBaseIOStat {
    Q_OBJECT

public:
    explicit TfrmIncomeStat(QWidget* owner = nullptr);
};
