#pragma once

#include "forms/TfrmBaseTool.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStatusBar;
class TMcxcalcEdit;
class WebView;

// The monthly payment of a loan in equal instalments, a list of the results
// computed while the window is open, and the second-hand home estimate. The
// seven inputs are kept in param_yuegong whenever the window closes.
class TfrmYueGong : public TfrmBaseTool {
    Q_OBJECT

public:
    explicit TfrmYueGong(QWidget* owner = nullptr);

    TMcxcalcEdit* edtJine = nullptr;
    TMcxcalcEdit* edtLilv = nullptr;
    TMcxcalcEdit* edtLilvZhekou = nullptr;
    TMcxcalcEdit* edtNian = nullptr;
    QPushButton* btnJisuan = nullptr;
    QLineEdit* edtYuegong = nullptr;
    QPushButton* btnClear = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnPlan = nullptr;
    QPlainTextEdit* memList = nullptr;
    QLabel* lblErshou = nullptr;
    TMcxcalcEdit* edtYujichengjiao = nullptr;
    TMcxcalcEdit* edtYujipinggu = nullptr;
    TMcxcalcEdit* edtShoufu = nullptr;
    QPushButton* btnGusuan = nullptr;
    QLineEdit* edtKedai = nullptr;
    QLineEdit* edtShoufujine = nullptr;
    WebView* WebBrowser1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Column {
        const char* name;
        TMcxcalcEdit* TfrmYueGong::*box;
    };

    static const Column kColumns[7];

    void openRow();
    void loadInputs();
    void saveInputs();
    void computePayment();
    void computeEstimate();
    void showPlan();
    void copyList();
    // The box's number, or a message naming its caption and nullopt.
    std::optional<double> numberOf(TMcxcalcEdit* box, const QString& caption);

    struct Loan {
        double wan;  // the amount in units of 10 000 yuan
        double rate; // the yearly rate after the discount, in percent
        double years;
    };

    // The term, amount, rate and discount, each checked with its message in turn.
    std::optional<Loan> readLoan();

    bool m_shown = false;
};
