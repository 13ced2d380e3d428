#pragma once

#include "stats/TfrmBaseStat.h"

class WebView;

// The income and spending statistics: the tip about dragging, and the
// income-and-spending advertisement panel under the grid.
class TfrmBaseIOStat : public TfrmBaseStat {
    Q_OBJECT

public:
    explicit TfrmBaseIOStat(const StatDefinition& definition, QWidget* owner = nullptr);

    static constexpr int kAdHeight = 75;

    QLabel* Label1 = nullptr;
    WebView* WebBrowser1 = nullptr;

protected:
    void ShowStep() override;
};
