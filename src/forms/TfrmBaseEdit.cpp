#include "forms/TfrmBaseEdit.h"

#include "core/data/DbError.h"
#include "core/data/Query.h"
#include "forms/ErrorReport.h"
#include "forms/MessageBox.h"
#include "forms/RecordBinder.h"
#include "forms/TfrmBaseString.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

TfrmBaseEdit::TfrmBaseEdit(QWidget* owner)
    : TfrmBaseTool(owner)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    btnSave = addToolButton(QStringLiteral("btnSave"), QStringLiteral("保存"));
    btnSave->setDefault(true);
    ErrorReport::connect(btnSave, &QPushButton::clicked, this, &TfrmBaseEdit::SaveStep);

    cxButton1 = new QPushButton(QStringLiteral("常用字符"), pnlTool);
    cxButton1->setObjectName(QStringLiteral("cxButton1"));
    cxButton1->setFixedHeight(kButtonHeight);
    cxButton1->setAutoDefault(false);
    toolLayout()->addWidget(cxButton1);
    ErrorReport::connect(cxButton1, &QPushButton::clicked, this, &TfrmBaseEdit::openCommonStrings);

    windowLayout()->addStretch(1);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    windowLayout()->addWidget(StatusBar1);
}

void TfrmBaseEdit::setCopyMode()
{
    setTag(kCopyTag);
    btnSave->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(192, 220, 192); }"
                                          "QPushButton:hover { background-color: rgb(255, 0, 255); }"));
}

void TfrmBaseEdit::showEvent(QShowEvent* event)
{
    TfrmBaseTool::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        ErrorReport::guard([this] { ShowStep(); });
        focusFirstControl();
    }
}

void TfrmBaseEdit::focusFirstControl()
{
    // Without this 保存 has the focus: the first typed characters are lost and
    // Enter saves an empty record.
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this) && !pnlTool->isAncestorOf(w) &&
            !StatusBar1->isAncestorOf(w)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

std::optional<qlonglong> TfrmBaseEdit::recordKey(const QString& text)
{
    // Digits only: no spaces, signs or fractions, so the key can mean one row.
    if (text.isEmpty() || text.size() > 18) {
        return std::nullopt;
    }
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    return text.toLongLong();
}

void TfrmBaseEdit::openRecord(const QString& table)
{
    query().close();
    const std::optional<qlonglong> key = recordKey(RecordOid);
    if (!key) {
        throw DbError(QStringLiteral("记录号“%1”不是整数，无法打开记录。").arg(RecordOid));
    }
    query().setSql(QStringLiteral("select * from ") + table + QStringLiteral(" where oid = :oid"));
    query().setParam(QStringLiteral("oid"), *key);
    query().open();
}

void TfrmBaseEdit::ShowStep()
{
    openRecord(TableName);
    if (RecordOid != QLatin1String("0")) {
        RecordBinder::load(this, query());
    }
    if (tag() == kCopyTag) {
        RecordOid = QStringLiteral("0");
    }
}

void TfrmBaseEdit::SaveStep()
{
    if (QWidget* empty = RecordBinder::firstEmptyRequired(this)) {
        MessageBox::information(this, empty->toolTip() + QStringLiteral("不能为空！"));
        empty->setFocus();
        return;
    }
    try {
        openRecord(SaveTableName);
        if (isNewRecord()) {
            query().append();
        } else {
            query().edit();
        }
        RecordBinder::save(this, query());
        query().post();
    } catch (const DbError& error) {
        // Nothing was written; the controls keep what the user typed, and the
        // next 保存 starts over.
        query().cancel();
        MessageBox::error(this, error.message());
        return;
    }
    accept();
}

void TfrmBaseEdit::openCommonStrings()
{
    TfrmBaseString window(this);
    window.exec();
}
