#pragma once

#include "forms/TfrmBase.h"

#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
class Query;
class TMcxDateEdit;

// The baby growth diary: the birth date, how old the baby is counted three
// ways and the days to the next birthday, and the doors to the height,
// weight, notes and education books. The birth date is kept whenever the
// window closes.
class TfrmBaobao : public TfrmBase {
    Q_OBJECT

public:
    explicit TfrmBaobao(QWidget* owner = nullptr);
    ~TfrmBaobao() override;

    QLabel* pnlTitle = nullptr;
    QPushButton* btnShengao = nullptr;
    QPushButton* btnTizhong = nullptr;
    QPushButton* btnJishi = nullptr;
    QPushButton* btnJiaoyu = nullptr;
    QFrame* pnlBir = nullptr;
    TMcxDateEdit* deBir = nullptr;
    QLabel* lblDays = nullptr;
    QLabel* lblMonths = nullptr;
    QLabel* lblYears = nullptr;
    QLabel* lblBir = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* addBookButton(const char* name, const char* caption, int x);
    template <typename List> void openBook();
    void openBirthRow();
    void deBirChange();

    std::unique_ptr<Query> ADOQuery1;
    bool m_shown = false;
};
