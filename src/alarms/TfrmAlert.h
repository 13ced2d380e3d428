#pragma once

#include "forms/TfrmBaseTool.h"

class DataGrid;
class QComboBox;
class QFrame;
class QLabel;
class QStatusBar;
class QTimer;
class WebView;

// 我的提醒: the alarms, latest due time first, filtered by how soon they fall
// due. 不再提醒 moves a due repeating alarm on to its next time (a one-time
// alarm goes); 彻底删除 removes any alarm for good.
class TfrmAlert : public TfrmBaseTool {
    Q_OBJECT

public:
    explicit TfrmAlert(QWidget* owner = nullptr);
    ~TfrmAlert() override;

    enum Filter { Due, SevenDays, OneMonth, OneYear, All };

    // The condition each position of the filter box appends.
    static QString filterCondition(int filter);

    // The first status panel's text, given by the opener.
    void setStatusText(const QString& text);
    QString statusText() const;

    QPushButton* btnNew = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnDelete = nullptr;    // 不再提醒
    QPushButton* btnDeleteAll = nullptr; // 彻底删除
    QPushButton* btnRefresh = nullptr;
    QComboBox* cbKnd = nullptr;
    QLabel* RzClockStatus1 = nullptr;
    QTimer* TimerClock = nullptr;
    DataGrid* cxGrid1 = nullptr;
    QFrame* MPanel1 = nullptr;
    WebView* WebBrowser1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

public Q_SLOTS:
    void btnRefreshClick();
    void btnNewClick();
    void btnEditClick();
    void btnDeleteClick();
    void btnDeleteAllClick();
    void updateClock();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildToolPanel();
    void runEditor(const QString& key, const QString& caption);
    void updateButtons();
    void updateDismissButton();

    QLabel* m_statusPanel = nullptr;
    bool m_shown = false;
};
