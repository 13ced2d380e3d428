#pragma once

#include "core/tools/RepaymentSchedule.h"
#include "forms/TfrmBaseTool.h"

class QLabel;
class QTableView;
class RepaymentModel;

// The repayment schedule of a loan under both methods side by side, 等额本息
// and 等额本金, with their totals; exported to a workbook on request.
class TfrmHuankuan : public TfrmBaseTool {
    Q_OBJECT

public:
    // jine in 万元, the annual rate as a fraction.
    TfrmHuankuan(double jine, double annualRate, int months, QWidget* owner = nullptr);
    ~TfrmHuankuan() override;

    QPushButton* btnToExcel = nullptr;
    QLabel* lblLoan = nullptr;
    QLabel* lblBenxi = nullptr;
    QLabel* lblBenjin = nullptr;
    QTableView* gridBenxi = nullptr;
    QTableView* gridBenjin = nullptr;

    const RepaymentSchedule& benxi() const { return m_benxi; }

    const RepaymentSchedule& benjin() const { return m_benjin; }

    void ExportAction();

private:
    QWidget* addMethod(const QString& title, const RepaymentSchedule& schedule, QLabel*& summary, QTableView*& grid,
                       RepaymentModel*& model);

    RepaymentSchedule m_benxi;
    RepaymentSchedule m_benjin;
    RepaymentModel* m_benxiModel = nullptr;
    RepaymentModel* m_benjinModel = nullptr;
};
