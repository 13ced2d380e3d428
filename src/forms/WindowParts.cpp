#include "forms/WindowParts.h"

#include "forms/WebView.h"

#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

QFrame* WindowParts::addAdPanel(QWidget* window, QVBoxLayout* layout, int height, WebView** browser)
{
    auto* panel = new QFrame(window);
    panel->setObjectName(QStringLiteral("MPanel1"));
    panel->setFixedHeight(height);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    *browser = new WebView(panel);
    (*browser)->setObjectName(QStringLiteral("WebBrowser1"));
    panelLayout->addWidget(*browser);
    layout->addWidget(panel);
    return panel;
}

QStatusBar* WindowParts::addStatusBar(QWidget* window, QVBoxLayout* layout, QLabel** panel)
{
    auto* bar = new QStatusBar(window);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    if (panel) {
        *panel = new QLabel(bar);
        (*panel)->setObjectName(QStringLiteral("StatusPanel0"));
        bar->addWidget(*panel);
    }
    layout->addWidget(bar);
    return bar;
}
