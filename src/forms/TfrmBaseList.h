#pragma once

#include "forms/GridColumn.h"
#include "forms/TfrmBaseTool.h"

#include <memory>

class DataGrid;
class QFrame;
class QLabel;
class QLineEdit;
class SearchIndex;
class QStatusBar;
class TfrmBaseEdit;
class WebView;

// A book's list: a grid of its rows with 新增, 复制新增, 修改 (and 删除 and
// 导出Excel where the book offers them), opening the book's editor in new,
// copy or edit mode and re-running the query when the editor saved.
class TfrmBaseList : public TfrmBaseTool {
    Q_OBJECT

public:
    explicit TfrmBaseList(QWidget* owner = nullptr);
    ~TfrmBaseList() override;

    enum class EditorMode { New, Edit, Copy };

    // The first status panel's text, given by the opener.
    void setStatusText(const QString& text);
    QString statusText() const;

    QPushButton* btnNew = nullptr;
    QPushButton* btnCopyNew = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnToExcel = nullptr;
    QLabel* Label3 = nullptr;
    // 查找: narrows the listed rows to those whose shown text, or its pinyin,
    // holds what is typed. Ctrl+F goes there; Esc empties it, or closes the
    // window when it is empty.
    QLineEdit* edtSearch = nullptr;
    DataGrid* cxGrid1 = nullptr;
    QFrame* MPanel1 = nullptr;
    WebView* WebBrowser1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

public Q_SLOTS:

    void newRecord() { runEditor(EditorMode::New); }

    void editRecord() { runEditor(EditorMode::Edit); }

    void copyRecord() { runEditor(EditorMode::Copy); }

    void DeleteAction();
    void ExportAction();

protected:
    // Runs once when the window is first shown: lists the whole table in the
    // book's order, then shows the advertisement page.
    virtual void ShowStep();
    // The book's editor, created with this window as owner.
    virtual TfrmBaseEdit* createEditor() = 0;

    // After a delete: the plain lists re-open their query.
    virtual void afterDelete() { requery(); }

    virtual QString proposedExportName() const;
    // A caption may hold characters that a file name cannot.
    static QString safeFileName(QString name);

    // After the framework set an editor up for a flow, before it is shown.
    virtual void editorPrepared(TfrmBaseEdit* editor, EditorMode mode)
    {
        Q_UNUSED(editor);
        Q_UNUSED(mode);
    }

    // After every run of the query, when the grid shows the new rows.
    virtual void queryOpened() {}

    // After the rows shown changed: a new query or a new search text.
    virtual void shownRowsChanged() {}

    void setColumns(const QList<GridColumn>& columns);

    void setAdPage(const QString& address) { m_adPage = address; }

    // Shows 删除 and 导出Excel and the tip about double-clicking, for books
    // that offer them.
    void offerDeleteAndExport();
    void addTip();

    // Income and spending keep their editors' own captions.
    void keepEditorCaptions() { m_keepEditorCaptions = true; }

    void openQuery(const QString& sql);
    void requery();
    // After an editor saved: the saved row alone is read again and put where
    // a new run of the statement would show it; anything else runs it anew.
    void showSaved(const Query& saved);
    void showAdPage();
    void updateButtons();
    void setStatusPanelWidth(int width);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSearchBox();
    void applySearch();
    void ensureSearchIndex();

    bool onRecord() const; // the grid's current row is a record, not a group
    void runEditor(EditorMode mode);
    void onDoubleClick();

    QLabel* m_statusPanel = nullptr;
    QString m_adPage;
    bool m_keepEditorCaptions = false;
    bool m_shown = false;
    std::unique_ptr<SearchIndex> m_searchIndex; // built on the first search after each query
};
