#include "tools/TfrmHuankuan.h"

#include "core/data/Tdm.h"
#include "core/xls/XlsWriter.h"
#include "forms/FileDialog.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "tools/RepaymentModel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
QString yuanText(qint64 fen)
{
    return RepaymentSchedule::yuan(fen) + QStringLiteral("元");
}
} // namespace

TfrmHuankuan::TfrmHuankuan(double jine, double annualRate, int months, QWidget* owner)
    : TfrmBaseTool(owner)
    , m_benxi(RepaymentSchedule::Method::EqualInstalments, RepaymentSchedule::fenOf(jine), annualRate, months)
    , m_benjin(RepaymentSchedule::Method::EqualPrincipal, RepaymentSchedule::fenOf(jine), annualRate, months)
{
    setWindowTitle(QStringLiteral("还款计划"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);

    btnToExcel = addToolButton(QStringLiteral("btnToExcel"), QStringLiteral("导出Excel"));
    btnToExcel->setFont(FontMapper::font(FontMapper::song(), 14));
    connect(btnToExcel, &QPushButton::clicked, this, &TfrmHuankuan::ExportAction);
    lblLoan = new QLabel(pnlTool);
    lblLoan->setObjectName(QStringLiteral("lblLoan"));
    lblLoan->setContentsMargins(12, 0, 0, 0);
    lblLoan->setText(QStringLiteral("贷款金额：%1元　年利率：%2%　共%3期")
                         .arg(RepaymentSchedule::yuan(RepaymentSchedule::fenOf(jine)))
                         .arg(QString::number(annualRate * 100, 'g', 10))
                         .arg(months));
    toolLayout()->insertWidget(toolLayout()->count() - 1, lblLoan);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(4, 4, 4, 4);
    body->addWidget(addMethod(QStringLiteral("等额本息"), m_benxi, lblBenxi, gridBenxi, m_benxiModel));
    body->addWidget(addMethod(QStringLiteral("等额本金"), m_benjin, lblBenjin, gridBenjin, m_benjinModel));
    windowLayout()->addLayout(body, 1);

    const auto& benxiMonths = m_benxi.months();
    const auto& benjinMonths = m_benjin.months();
    if (!benxiMonths.empty()) {
        lblBenxi->setText(QStringLiteral("每月还款：%1\n总利息：%2　还款总额：%3")
                              .arg(yuanText(benxiMonths.front().payment), yuanText(m_benxi.totalInterest()),
                                   yuanText(m_benxi.totalPayment())));
        lblBenjin->setText(QStringLiteral("首月还款：%1　末月还款：%2\n总利息：%3　还款总额：%4")
                               .arg(yuanText(benjinMonths.front().payment), yuanText(benjinMonths.back().payment),
                                    yuanText(m_benjin.totalInterest()), yuanText(m_benjin.totalPayment())));
    }
}

TfrmHuankuan::~TfrmHuankuan() = default;

QWidget* TfrmHuankuan::addMethod(const QString& title, const RepaymentSchedule& schedule, QLabel*& summary,
                                 QTableView*& grid, RepaymentModel*& model)
{
    auto* box = new QGroupBox(title, this);
    auto* layout = new QVBoxLayout(box);
    summary = new QLabel(box);
    layout->addWidget(summary);
    model = new RepaymentModel(schedule, this);
    grid = new QTableView(box);
    grid->setModel(model);
    grid->verticalHeader()->hide();
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->horizontalHeader()->setSectionResizeMode(RepaymentModel::Number, QHeaderView::ResizeToContents);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    layout->addWidget(grid, 1);
    const bool benxi = &schedule == &m_benxi;
    box->setObjectName(benxi ? QStringLiteral("grpBenxi") : QStringLiteral("grpBenjin"));
    summary->setObjectName(benxi ? QStringLiteral("lblBenxi") : QStringLiteral("lblBenjin"));
    grid->setObjectName(benxi ? QStringLiteral("gridBenxi") : QStringLiteral("gridBenjin"));
    return box;
}

void TfrmHuankuan::ExportAction()
{
    const QString path =
        FileDialog::getSaveFileName(this, windowTitle() + QLatin1Char('_') + dm->title + QStringLiteral(".xls"),
                                    QStringLiteral("*.xls (*.xls)"), QStringLiteral("xls"));
    if (path.isEmpty()) {
        return;
    }
    // Both methods side by side, as on the screen: 期数, then four columns each.
    QStringList captions{RepaymentModel::captions().front()};
    for (const QString& method : {QStringLiteral("等额本息"), QStringLiteral("等额本金")}) {
        for (const QString& caption : RepaymentModel::captions().mid(1)) {
            captions << method + caption;
        }
    }
    const int rows = m_benxiModel->rowCount();
    const auto cell = [&](int row, int column) -> QVariant {
        if (column == 0) {
            return row < rows - 1 ? QVariant(row + 1) : QVariant(QStringLiteral("合计"));
        }
        const RepaymentModel* model = column <= 4 ? m_benxiModel : m_benjinModel;
        const auto fen = model->fenAt(row, (column - 1) % 4 + 1);
        return fen ? QVariant(double(*fen) / 100.0) : QVariant();
    };
    QList<int> widths{64};
    for (int i = 1; i < captions.size(); ++i) {
        widths << 130;
    }
    QString error;
    if (!XlsWriter::write(path, windowTitle(), captions, rows, cell, widths, &error)) {
        MessageBox::error(this, error);
    }
}
