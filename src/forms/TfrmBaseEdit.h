#pragma once

#include "forms/TfrmBaseTool.h"

#include <optional>

class QPushButton;
class QStatusBar;

// The one editor behind every record book: loads the record named by
// RecordOid into the controls that bear its columns' names, tests the required
// ones and writes the record back. New ("0"), edit (a key) or copy (a key and
// tag -1: saved as a new record).
class TfrmBaseEdit : public TfrmBaseTool {
    Q_OBJECT

public:
    explicit TfrmBaseEdit(QWidget* owner = nullptr);

    static constexpr int kCopyTag = -1;

    // What the opener sets up for copy mode: tag -1 and the colours of 保存
    // that say saving makes a new record.
    void setCopyMode();

    bool isNewRecord() const { return RecordOid == QLatin1String("0"); }

    // The key RecordOid names, or nullopt when it is not a whole number.
    static std::optional<qlonglong> recordKey(const QString& text);

    QPushButton* btnSave = nullptr;
    QPushButton* cxButton1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

public Q_SLOTS:
    void SaveStep();

protected:
    // Runs once when the window is first shown; descendants call it first and
    // then add their own steps (filling lists, defaults for a new record).
    virtual void ShowStep();

    // True for a new record that is not a copy: the time for a book's defaults.
    bool wantsDefaults() const { return isNewRecord() && tag() != kCopyTag; }

    void showEvent(QShowEvent* event) override;

private:
    void openRecord(const QString& table);
    void openCommonStrings();
    void focusFirstControl();

    bool m_shown = false;
};
