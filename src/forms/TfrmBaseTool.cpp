#include "forms/TfrmBaseTool.h"

#include "core/data/Query.h"
#include "core/data/Tdm.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TfrmBaseTool::TfrmBaseTool(QWidget* owner)
    : TfrmBase(owner)
    , ADOQuery1(std::make_unique<Query>(dm->ADOConnection1()))
{
    m_windowLayout = new QVBoxLayout(this);
    m_windowLayout->setContentsMargins(0, 0, 0, 0);
    m_windowLayout->setSpacing(0);

    pnlTool = new QFrame(this);
    pnlTool->setObjectName(QStringLiteral("pnlTool"));
    pnlTool->setFixedHeight(kToolHeight);
    m_toolLayout = new QHBoxLayout(pnlTool);
    m_toolLayout->setContentsMargins(1, 1, 1, 1);
    m_toolLayout->setSpacing(0);
    m_toolLayout->addStretch(1);
    m_windowLayout->addWidget(pnlTool);

    btnClose = addToolButton(QStringLiteral("btnClose"), QStringLiteral("关闭"));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    FilterSql.clear();
}

TfrmBaseTool::~TfrmBaseTool() = default;

QPushButton* TfrmBaseTool::addToolButton(const QString& objectName, const QString& caption)
{
    auto* button = new QPushButton(caption, pnlTool);
    button->setObjectName(objectName);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    button->setAutoDefault(false);
    // Keep the buttons left-aligned: insert before the trailing stretch.
    m_toolLayout->insertWidget(m_toolLayout->count() - 1, button);
    return button;
}
