#pragma once

class QFrame;
class QLabel;
class QStatusBar;
class QVBoxLayout;
class QWidget;
class WebView;

// The parts at the foot of the program's windows, built one way: the
// advertisement panel (MPanel1 with its browser WebBrowser1) and the status
// bar (StatusBar1, optionally with its first panel StatusPanel0).
class WindowParts {
public:
    static QFrame* addAdPanel(QWidget* window, QVBoxLayout* layout, int height, WebView** browser);
    // panel: where to put the first status panel, or nullptr for a bare bar.
    static QStatusBar* addStatusBar(QWidget* window, QVBoxLayout* layout, QLabel** panel = nullptr);
};
