#pragma once

#include "forms/TfrmBase.h"

#include <memory>

class QFrame;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;
class Query;

// Adds the tool panel with 关闭 (also pressed by Esc), a query on the shared
// connection, and the texts that tell a list its table and order and an
// editor its table and record.
class TfrmBaseTool : public TfrmBase {
    Q_OBJECT

public:
    explicit TfrmBaseTool(QWidget* owner = nullptr);
    ~TfrmBaseTool() override;

    static constexpr int kToolHeight = 41;
    static constexpr int kButtonWidth = 75;
    static constexpr int kButtonHeight = 39;

    QString TableName;
    QString SaveTableName;
    QString RecordOid = QStringLiteral("0");
    QString BaseSql;
    QString FilterSql;
    QString OrderSql;

    Query& query() const { return *ADOQuery1; }

    QFrame* pnlTool = nullptr;
    QPushButton* btnClose = nullptr;

protected:
    // A tool button of 75 x 39, placed after the buttons already there.
    QPushButton* addToolButton(const QString& objectName, const QString& caption);

    QHBoxLayout* toolLayout() const { return m_toolLayout; }

    QVBoxLayout* windowLayout() const { return m_windowLayout; }

    std::unique_ptr<Query> ADOQuery1;

private:
    QHBoxLayout* m_toolLayout = nullptr;
    QVBoxLayout* m_windowLayout = nullptr;
};
