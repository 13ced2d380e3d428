#include "forms/RecordBinder.h"

#include "core/data/Query.h"
#include "forms/ControlTag.h"
#include "forms/ShadowStyle.h"
#include "forms/TMcxButtonEdit.h"
#include "forms/TMcxDateEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {
void collect(const QObject* parent, QList<QWidget*>& controls)
{
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow()) {
            continue;
        }
        const QString name = widget->objectName();
        if (RecordBinder::kindOf(widget) != RecordBinder::Kind::None && !name.isEmpty() &&
            !name.startsWith(QLatin1String("qt_"))) {
            controls.append(widget);
            continue;
        }
        collect(widget, controls);
    }
}

bool isRequiredKind(RecordBinder::Kind kind)
{
    return kind == RecordBinder::Kind::Text || kind == RecordBinder::Kind::Memo || kind == RecordBinder::Kind::Date ||
           kind == RecordBinder::Kind::ButtonEdit;
}
} // namespace

RecordBinder::Kind RecordBinder::kindOf(const QWidget* control)
{
    if (qobject_cast<const TMcxButtonEdit*>(control)) {
        return Kind::ButtonEdit;
    }
    if (qobject_cast<const TMcxDateEdit*>(control)) {
        return Kind::Date;
    }
    if (qobject_cast<const QComboBox*>(control)) {
        return Kind::Combo;
    }
    if (qobject_cast<const QPlainTextEdit*>(control) || qobject_cast<const QTextEdit*>(control)) {
        return Kind::Memo;
    }
    if (qobject_cast<const QCheckBox*>(control)) {
        return Kind::Check;
    }
    if (qobject_cast<const QLineEdit*>(control)) {
        return Kind::Text;
    }
    return Kind::None;
}

QList<QWidget*> RecordBinder::boundControls(const QWidget* window)
{
    QList<QWidget*> controls;
    collect(window, controls);
    return controls;
}

QString RecordBinder::textOf(const QWidget* control)
{
    switch (kindOf(control)) {
    case Kind::Text:
    case Kind::ButtonEdit:
        return static_cast<const QLineEdit*>(control)->text();
    case Kind::Memo:
        if (const auto* plain = qobject_cast<const QPlainTextEdit*>(control)) {
            return plain->toPlainText();
        }
        return static_cast<const QTextEdit*>(control)->toPlainText();
    case Kind::Date:
        return static_cast<const TMcxDateEdit*>(control)->text();
    case Kind::Combo:
        return static_cast<const QComboBox*>(control)->currentText();
    case Kind::Check:
    case Kind::None:
        break;
    }
    return {};
}

void RecordBinder::load(const QWidget* window, const Query& query)
{
    for (QWidget* control : boundControls(window)) {
        const int tag = ControlTag::of(control);
        if (tag == kSkip) {
            continue;
        }
        const QString column = control->objectName();
        switch (kindOf(control)) {
        case Kind::Text:
            static_cast<QLineEdit*>(control)->setText(query.asText(column));
            break;
        case Kind::Memo:
            if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
                plain->setPlainText(query.asText(column));
            } else {
                static_cast<QTextEdit*>(control)->setPlainText(query.asText(column));
            }
            break;
        case Kind::Date:
            static_cast<TMcxDateEdit*>(control)->setDate(query.asDateTime(column).date());
            break;
        case Kind::Combo:
            static_cast<QComboBox*>(control)->setEditText(query.asText(column));
            break;
        case Kind::Check:
            static_cast<QCheckBox*>(control)->setChecked(!query.isNull(column) && query.asNumber(column) != 0);
            break;
        case Kind::ButtonEdit: {
            auto* edit = static_cast<QLineEdit*>(control);
            if (tag == kPlainButtonEdit) {
                edit->setText(query.asText(column));
            } else if (tag >= 0) {
                // The text shows the looked-up record's name; the tag keeps its key.
                edit->setText(query.asText(column + QStringLiteral("name")));
                ControlTag::set(control, int(query.asNumber(column)));
            }
            break;
        }
        case Kind::None:
            break;
        }
    }
}

QWidget* RecordBinder::firstEmptyRequired(const QWidget* window)
{
    for (QWidget* control : boundControls(window)) {
        if (ControlTag::of(control) == kSkip || !isRequiredKind(kindOf(control)) || !ShadowStyle::isOn(control)) {
            continue;
        }
        if (textOf(control).isEmpty()) {
            return control;
        }
    }
    return nullptr;
}

void RecordBinder::save(const QWidget* window, Query& query)
{
    for (QWidget* control : boundControls(window)) {
        const int tag = ControlTag::of(control);
        if (tag == kSkip) {
            continue;
        }
        const QString column = control->objectName();
        const Kind kind = kindOf(control);
        switch (kind) {
        case Kind::Text:
            if (tag == kOnlyWhenFilled && textOf(control).isEmpty()) {
                break;
            }
            query.setValue(column, textOf(control));
            break;
        case Kind::Memo:
        case Kind::Combo:
            query.setValue(column, textOf(control));
            break;
        case Kind::Date: {
            const auto* edit = static_cast<const TMcxDateEdit*>(control);
            // Text that is no date goes as typed, so the refusal names it.
            query.setValue(column, edit->date().isValid() ? QVariant(edit->date()) : QVariant(edit->text()));
            break;
        }
        case Kind::Check:
            query.setValue(column, QVariant(qlonglong(static_cast<const QCheckBox*>(control)->isChecked() ? 1 : 0)));
            break;
        case Kind::ButtonEdit:
            if (tag == kPlainButtonEdit) {
                query.setValue(column, textOf(control));
            } else if (tag == 0) {
                query.setValue(column, QString());
            } else if (tag > 0) {
                query.setValue(column, QVariant(qlonglong(tag)));
            }
            break;
        case Kind::None:
            break;
        }
    }
}
