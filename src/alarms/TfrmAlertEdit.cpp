#include "alarms/TfrmAlertEdit.h"

#include "core/alarms/RepeatRule.h"
#include "core/data/Clock.h"
#include "core/data/DbError.h"
#include "core/data/Query.h"
#include "forms/EditorLayout.h"
#include "forms/MessageBox.h"
#include "forms/TMcxDateEdit.h"
#include "forms/TMcxTextEdit.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QDateTime toSecond(const QDateTime& value)
{
    const QTime time = value.time();
    return QDateTime(value.date(), QTime(time.hour(), time.minute(), time.second()));
}
} // namespace

TfrmAlertEdit::TfrmAlertEdit(QWidget* owner)
    : TfrmBaseTool(owner)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(570, 228);
    TableName = QStringLiteral("alert");
    SaveTableName = QStringLiteral("alert");
    btnSave = addToolButton(QStringLiteral("btnSave"), QStringLiteral("保存"));
    btnSave->setDefault(true);
    connect(btnSave, &QPushButton::clicked, this, &TfrmAlertEdit::btnSaveClick);
    windowLayout()->addStretch(1);

    EditorLayout form(this);
    deDt = form.add<TMcxDateEdit>("deDt", "提醒时间", {16, 88, 257});
    deDt->setMode(TMcxDateEdit::Mode::DateTime);
    cbKnd = form.add<QComboBox>("cbKnd", "提醒方式", {288, 88, 257});
    cbKnd->addItems(RepeatRule::kindTexts());
    cbKnd->setCurrentIndex(RepeatRule::Once);
    edtTitle = form.add<TMcxTextEdit>("edtTitle", "提醒内容", {16, 144, 529}, EditorLayout::Required);
    form.setTabOrder({deDt, cbKnd, edtTitle});
}

void TfrmAlertEdit::showEvent(QShowEvent* event)
{
    TfrmBaseTool::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        ShowStep();
    }
}

void TfrmAlertEdit::ShowStep()
{
    query().close();
    query().setSql(QStringLiteral("select * from ") + TableName + QStringLiteral(" where oid = ") + RecordOid);
    query().open();
    if (RecordOid != QLatin1String("0")) {
        deDt->setDateTime(query().asDateTime(QStringLiteral("dt")));
        bool known = false;
        const int kind = query().asText(QStringLiteral("knd")).toInt(&known);
        // A kind the box does not list shows nothing and is kept on save.
        cbKnd->setCurrentIndex(known && RepeatRule::isKnown(kind) ? kind : -1);
        edtTitle->setText(query().asText(QStringLiteral("title")));
    } else {
        deDt->setDateTime(Clock::now().addSecs(3600));
    }
    edtTitle->setFocus();
}

bool TfrmAlertEdit::checkInput()
{
    // Only an empty text is refused; a text of spaces is the user's to keep.
    if (edtTitle->text().isEmpty()) {
        MessageBox::information(this, QStringLiteral("提醒内容不能为空！"));
        edtTitle->setFocus();
        return false;
    }
    const QDateTime due = deDt->dateTime();
    QString refusal;
    if (deDt->isEmpty()) {
        refusal = QStringLiteral("提醒时间不能为空！");
    } else if (!due.isValid()) {
        refusal = QStringLiteral("“%1”不是有效的提醒时间，请按“2026-01-31 08:00:00”的格式输入！").arg(deDt->text());
    } else if (toSecond(Clock::now()) > due) {
        // Compared to the second the edit shows: a time equal to this second passes.
        refusal = QStringLiteral("提醒时间不能早于当前时间！");
    }
    if (!refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        deDt->setFocus();
        return false;
    }
    return true;
}

void TfrmAlertEdit::btnSaveClick()
{
    if (!checkInput()) {
        return;
    }
    try {
        if (RecordOid == QLatin1String("0")) {
            query().append();
        } else {
            query().edit();
        }
        query().setValue(QStringLiteral("dt"), deDt->dateTime());
        if (cbKnd->currentIndex() >= 0) {
            query().setValue(QStringLiteral("knd"), cbKnd->currentIndex());
        }
        query().setValue(QStringLiteral("title"), edtTitle->text());
        query().post();
    } catch (const DbError& error) {
        // Nothing was written; the controls keep what the user typed.
        query().cancel();
        MessageBox::error(this, error.message());
        return;
    }
    accept();
}
