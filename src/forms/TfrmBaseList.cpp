#include "forms/TfrmBaseList.h"

#include "core/data/DbError.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "core/search/PinyinTable.h"
#include "core/search/SearchFold.h"
#include "core/search/SearchIndex.h"
#include "core/xls/XlsWriter.h"
#include "forms/DataGrid.h"
#include "forms/ErrorReport.h"
#include "forms/FileDialog.h"
#include "forms/FontMapper.h"
#include "forms/MessageBox.h"
#include "forms/TMcxButton.h"
#include "forms/TfrmBaseEdit.h"
#include "forms/WebView.h"
#include "forms/WindowParts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

TfrmBaseList::TfrmBaseList(QWidget* owner)
    : TfrmBaseTool(owner)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);

    btnNew = addToolButton(QStringLiteral("btnNew"), QStringLiteral("新增"));
    btnCopyNew = addToolButton(QStringLiteral("btnCopyNew"), QStringLiteral("复制新增"));
    btnEdit = addToolButton(QStringLiteral("btnEdit"), QStringLiteral("修改"));
    btnDelete = addToolButton(QStringLiteral("btnDelete"), QStringLiteral("删除"));
    btnDelete->hide();
    ErrorReport::connect(btnNew, &QPushButton::clicked, this, &TfrmBaseList::newRecord);
    ErrorReport::connect(btnCopyNew, &QPushButton::clicked, this, &TfrmBaseList::copyRecord);
    ErrorReport::connect(btnEdit, &QPushButton::clicked, this, &TfrmBaseList::editRecord);
    ErrorReport::connect(btnDelete, &QPushButton::clicked, this, &TfrmBaseList::DeleteAction);

    cxGrid1 = new DataGrid(this);
    cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    cxGrid1->setQuery(&query());
    windowLayout()->addWidget(cxGrid1, 1);
    connect(cxGrid1, &DataGrid::rowDoubleClicked, this, &TfrmBaseList::onDoubleClick);
    connect(cxGrid1, &DataGrid::currentQueryRowChanged, this, &TfrmBaseList::updateButtons);

    MPanel1 = WindowParts::addAdPanel(this, windowLayout(), 77, &WebBrowser1);
    StatusBar1 = WindowParts::addStatusBar(this, windowLayout(), &m_statusPanel);
    setStatusPanelWidth(1000);
    buildSearchBox();
}

void TfrmBaseList::buildSearchBox()
{
    // The pinyin takes a moment to read from ICU: it is read while the list
    // opens, once per run, and only by a program that shows a list at all.
    PinyinTable::prepareInBackground();
    edtSearch = new QLineEdit(pnlTool);
    edtSearch->setObjectName(QStringLiteral("edtSearch"));
    edtSearch->setPlaceholderText(QStringLiteral("查找"));
    edtSearch->setToolTip(QStringLiteral("查找：输入文字、拼音或拼音首字母（Ctrl+F）"));
    edtSearch->setClearButtonEnabled(true);
    edtSearch->setFixedWidth(200);
    edtSearch->hide(); // placed at the right end when the window is first shown
    edtSearch->installEventFilter(this);
    ErrorReport::connect(edtSearch, &QLineEdit::textChanged, this, &TfrmBaseList::applySearch);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        edtSearch->setFocus(Qt::ShortcutFocusReason);
        edtSearch->selectAll();
    });
}

bool TfrmBaseList::eventFilter(QObject* watched, QEvent* event)
{
    // Esc first empties the box; only an empty box lets it close the window.
    if (watched == edtSearch && event->type() == QEvent::FocusIn) {
        // Read the rows while the user reaches for the keys, so that no
        // keystroke waits for them.
        ErrorReport::guard([this] { ensureSearchIndex(); });
    }
    if (watched == edtSearch && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !edtSearch->text().isEmpty()) {
        edtSearch->clear();
        return true;
    }
    return TfrmBaseTool::eventFilter(watched, event);
}

void TfrmBaseList::applySearch()
{
    const QString text = edtSearch->text();
    if (SearchFold::text(text).trimmed().isEmpty()) {
        if (cxGrid1->isFiltered()) {
            cxGrid1->setShownRows({});
            shownRowsChanged();
        }
        return;
    }
    ensureSearchIndex();
    cxGrid1->setShownRows(m_searchIndex->match(text));
    shownRowsChanged();
}

void TfrmBaseList::ensureSearchIndex()
{
    if (!m_searchIndex) {
        // The texts as the grid shows them, read once for all the keystrokes that follow.
        const Query& rows = query();
        const QList<GridColumn> columns = cxGrid1->columns();
        QList<int> sources;
        for (const GridColumn& column : columns) {
            sources << (rows.isActive() ? rows.columnIndex(column.field) : -1);
        }
        const auto cell = [&](int row, int column) {
            const int source = sources[column];
            if (source < 0) {
                return QString();
            }
            const auto& display = columns[column].display;
            return display ? display(rows.valueAt(row, source)) : rows.textAt(row, source);
        };
        m_searchIndex = std::make_unique<SearchIndex>();
        m_searchIndex->build(rows.isActive() ? rows.rowCount() : 0, int(columns.size()), cell, PinyinTable::instance());
    }
}

TfrmBaseList::~TfrmBaseList() = default;

void TfrmBaseList::setStatusText(const QString& text)
{
    m_statusPanel->setText(text);
}

QString TfrmBaseList::statusText() const
{
    return m_statusPanel->text();
}

void TfrmBaseList::setStatusPanelWidth(int width)
{
    m_statusPanel->setFixedWidth(width);
}

void TfrmBaseList::setColumns(const QList<GridColumn>& columns)
{
    cxGrid1->setColumns(columns);
}

void TfrmBaseList::offerDeleteAndExport()
{
    btnDelete->show();
    auto* exportButton = new TMcxButton(QStringLiteral("导出Excel"), pnlTool);
    exportButton->setObjectName(QStringLiteral("btnToExcel"));
    exportButton->setFixedSize(kButtonWidth, kButtonHeight);
    // "导出Excel" needs a little less than the window font to fit 75 pixels.
    exportButton->setFont(FontMapper::font(FontMapper::song(), 14));
    exportButton->setAutoDefault(false);
    toolLayout()->insertWidget(toolLayout()->count() - 1, exportButton);
    btnToExcel = exportButton;
    ErrorReport::connect(btnToExcel, &QPushButton::clicked, this, &TfrmBaseList::ExportAction);
}

void TfrmBaseList::addTip()
{
    Label3 = new QLabel(QStringLiteral("温馨提示：双击列表即可快速“复制信息”！"), pnlTool);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(FontMapper::font(FontMapper::song(), 12));
    Label3->setContentsMargins(8, 0, 0, 0);
    toolLayout()->insertWidget(toolLayout()->count() - 1, Label3);
}

void TfrmBaseList::showEvent(QShowEvent* event)
{
    if (!m_shown) {
        // Last in the tool panel, after whatever the book put there.
        toolLayout()->addSpacing(8);
        toolLayout()->addWidget(edtSearch);
        edtSearch->show();
    }
    TfrmBaseTool::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        ErrorReport::guard([this] { ShowStep(); });
    }
}

void TfrmBaseList::ShowStep()
{
    BaseSql = QStringLiteral("select * from ") + TableName + QStringLiteral(" where 1=1");
    openQuery(BaseSql + OrderSql);
    showAdPage();
}

void TfrmBaseList::showAdPage()
{
    WebBrowser1->navigate(QUrl(m_adPage));
}

void TfrmBaseList::openQuery(const QString& sql)
{
    query().close();
    query().setSql(sql);
    m_searchIndex.reset();
    try {
        query().open();
    } catch (...) {
        cxGrid1->reload();
        applySearch();
        updateButtons();
        throw;
    }
    cxGrid1->reload();
    applySearch();
    updateButtons();
    queryOpened();
    shownRowsChanged();
}

void TfrmBaseList::requery()
{
    openQuery(query().sql());
}

void TfrmBaseList::showSaved(const Query& saved)
{
    std::optional<Query::RowMove> move;
    // The editor's query stands on the row it saved.
    if (saved.isActive() && saved.currentKey() >= 0 &&
        saved.tableName().compare(query().tableName(), Qt::CaseInsensitive) == 0) {
        move = query().refreshKey(saved.currentKey());
    }
    if (!move) {
        requery();
        return;
    }
    cxGrid1->rowMoved(move->from, move->to);
    // The search index numbers the rows as they were: read them again, so a
    // search that is on still shows what matches, the saved row included.
    m_searchIndex.reset();
    applySearch();
    updateButtons();
    queryOpened();
}

bool TfrmBaseList::onRecord() const
{
    // On a group row the query stays on the record last selected, which the
    // user does not see as chosen.
    return !query().eof() && cxGrid1->currentQueryRow() >= 0;
}

void TfrmBaseList::updateButtons()
{
    const bool record = onRecord();
    btnNew->setEnabled(true);
    btnEdit->setEnabled(record);
    btnDelete->setEnabled(record);
    btnCopyNew->setEnabled(record);
}

void TfrmBaseList::onDoubleClick()
{
    if (btnCopyNew->isVisible() && btnCopyNew->isEnabled()) {
        btnCopyNew->click();
    } else if (btnEdit->isVisible() && btnEdit->isEnabled()) {
        btnEdit->click();
    }
}

void TfrmBaseList::runEditor(EditorMode mode)
{
    if (mode != EditorMode::New && !onRecord()) {
        return;
    }
    std::unique_ptr<TfrmBaseEdit> editor(createEditor());
    switch (mode) {
    case EditorMode::New:
        if (!m_keepEditorCaptions) {
            editor->setWindowTitle(QStringLiteral("新增"));
        }
        editor->RecordOid = QStringLiteral("0");
        break;
    case EditorMode::Edit:
        if (!m_keepEditorCaptions) {
            editor->setWindowTitle(QStringLiteral("修改"));
        }
        editor->RecordOid = query().asText(QStringLiteral("oid"));
        break;
    case EditorMode::Copy:
        editor->setWindowTitle(QStringLiteral("复制新增"));
        editor->setCopyMode();
        editor->RecordOid = query().asText(QStringLiteral("oid"));
        break;
    }
    editorPrepared(editor.get(), mode);
    if (editor->exec() == QDialog::Accepted) {
        showSaved(editor->query());
    }
}

void TfrmBaseList::DeleteAction()
{
    if (!onRecord()) {
        return;
    }
    if (MessageBox::question(this, QStringLiteral("确定删除吗？")) != MessageBox::Yes) {
        return;
    }
    query().deleteCurrent();
    afterDelete();
}

QString TfrmBaseList::proposedExportName() const
{
    return safeFileName(windowTitle() + QLatin1Char('_') + dm->title + QStringLiteral(".xls"));
}

QString TfrmBaseList::safeFileName(QString name)
{
    for (const QChar c : QStringLiteral("/\\:*?\"<>|")) {
        name.replace(c, QLatin1Char('_'));
    }
    return name;
}

void TfrmBaseList::ExportAction()
{
    const QString path =
        FileDialog::getSaveFileName(this, proposedExportName(), QStringLiteral("*.xls (*.xls)"), QStringLiteral("xls"));
    if (path.isEmpty()) {
        return;
    }
    QStringList captions;
    QList<int> widths;
    QList<int> sourceColumns;
    for (const GridColumn& column : cxGrid1->columns()) {
        captions << column.caption;
        widths << column.width;
        sourceColumns << query().columnIndex(column.field);
    }
    const QList<int> rows = cxGrid1->displayOrder();
    const Query& data = query();
    const auto cell = [&](int row, int column) {
        const int source = sourceColumns[column];
        return source < 0 ? QVariant() : data.valueAt(rows[row], source);
    };
    QString error;
    if (!XlsWriter::write(path, windowTitle(), captions, int(rows.size()), cell, widths, &error)) {
        MessageBox::error(this, error);
    }
}
