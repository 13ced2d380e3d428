#pragma once

#include "stats/TfrmBaseIOStat.h"

// 收支统计: income and spending together, spending negated and typed 支出.
class TfrmIOStat : public TfrmBaseIOStat {
    Q_OBJECT

public:
    explicit TfrmIOStat(QWidget* owner = nullptr);
};
