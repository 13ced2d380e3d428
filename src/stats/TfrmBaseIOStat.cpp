#include "stats/TfrmBaseIOStat.h"

#include "core/data/Tdm.h"
#include "forms/FontMapper.h"
#include "forms/WebView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

TfrmBaseIOStat::TfrmBaseIOStat(const StatDefinition& definition, QWidget* owner)
    : TfrmBaseStat(definition, owner)
{
    Label1 =
        new QLabel(QStringLiteral("温馨提示：左键点击标题不放拖动，可以拖动位置，组合出多种多样的统计效果！"), pnlTool);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(FontMapper::font(FontMapper::song(), 12));
    Label1->setContentsMargins(8, 0, 0, 0);
    // After the buttons, before the stretch that pushes the year to the right edge.
    toolLayout()->insertWidget(toolLayout()->indexOf(cbYear) - 1, Label1);

    WebBrowser1 = new WebView(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setFixedHeight(kAdHeight);
    windowLayout()->insertWidget(windowLayout()->indexOf(StatusBar1), WebBrowser1);
}

void TfrmBaseIOStat::ShowStep()
{
    TfrmBaseStat::ShowStep();
    WebBrowser1->navigate(QUrl(dm->adShouzhi));
}
