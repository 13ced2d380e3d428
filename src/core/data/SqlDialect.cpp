#include "core/data/SqlDialect.h"

#include "core/data/DayNumber.h"
#include "core/data/DbError.h"
#include "core/data/Schema.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <algorithm>
#include <optional>

namespace {
enum class TokenKind { Word, Number, String, Name, DateLiteral, Parameter, Space, Symbol };

struct Token {
    TokenKind kind;
    QString text;
};

QList<Token> tokenize(const QString& sql)
{
    QList<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    const auto until = [&](QChar close, qsizetype from) {
        qsizetype j = from;
        while (j < n) {
            if (sql[j] == close) {
                // A doubled quote stands for the quote itself.
                if ((close == QLatin1Char('\'') || close == QLatin1Char('"')) && j + 1 < n && sql[j + 1] == close) {
                    j += 2;
                    continue;
                }
                return j + 1;
            }
            ++j;
        }
        return n;
    };
    while (i < n) {
        const QChar c = sql[i];
        qsizetype end = i + 1;
        TokenKind kind = TokenKind::Symbol;
        if (c.isSpace()) {
            while (end < n && sql[end].isSpace()) {
                ++end;
            }
            kind = TokenKind::Space;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            end = until(c, i + 1);
            kind = TokenKind::String;
        } else if (c == QLatin1Char('[')) {
            end = until(QLatin1Char(']'), i + 1);
            kind = TokenKind::Name;
        } else if (c == QLatin1Char('#')) {
            end = until(QLatin1Char('#'), i + 1);
            kind = TokenKind::DateLiteral;
        } else if ((c == QLatin1Char(':') || c == QLatin1Char('@') || c == QLatin1Char('$')) && i + 1 < n &&
                   (sql[i + 1].isLetter() || sql[i + 1] == QLatin1Char('_'))) {
            // A bound value's place: passed on untouched, whatever its name.
            while (end < n && (sql[end].isLetterOrNumber() || sql[end] == QLatin1Char('_'))) {
                ++end;
            }
            kind = TokenKind::Parameter;
        } else if (c == QLatin1Char('?')) {
            while (end < n && sql[end].isDigit()) {
                ++end;
            }
            kind = TokenKind::Parameter;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql[i + 1].isDigit())) {
            while (end < n && (sql[end].isDigit() || sql[end] == QLatin1Char('.'))) {
                ++end;
            }
            kind = TokenKind::Number;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            while (end < n && (sql[end].isLetterOrNumber() || sql[end] == QLatin1Char('_'))) {
                ++end;
            }
            kind = TokenKind::Word;
        }
        tokens.append({kind, sql.mid(i, end - i)});
        i = end;
    }
    return tokens;
}

bool isWord(const Token& token, const char* word)
{
    return token.kind == TokenKind::Word && token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

QString unquote(const QString& text)
{
    if (text.size() >= 2) {
        return text.mid(1, text.size() - 2);
    }
    return text;
}

// The next token after index that is not white space, or -1.
qsizetype nextSolid(const QList<Token>& tokens, qsizetype index)
{
    for (qsizetype i = index + 1; i < tokens.size(); ++i) {
        if (tokens[i].kind != TokenKind::Space) {
            return i;
        }
    }
    return -1;
}

QString translateDateLiteral(const QString& literal)
{
    const QDateTime value = DayNumber::parse(unquote(literal));
    if (!value.isValid()) {
        throw DbError(QStringLiteral("日期常量“%1”不是有效的日期。").arg(literal));
    }
    return QString::number(DayNumber::fromDateTime(value), 'g', 17);
}

const QSet<QString>& dateFunctions()
{
    static const QSet<QString> names = {QStringLiteral("now"), QStringLiteral("date"), QStringLiteral("year"),
                                        QStringLiteral("month"), QStringLiteral("day")};
    return names;
}

// Where a year(column) condition may stand: right after a keyword or an
// opening parenthesis, and ending where the condition ends. Anything else
// (arithmetic around it, a bound value) keeps the function call.
bool opensCondition(const Token& token)
{
    return (token.kind == TokenKind::Symbol && token.text == QLatin1String("(")) || isWord(token, "where") ||
           isWord(token, "and") || isWord(token, "or") || isWord(token, "on") || isWord(token, "having");
}

bool closesCondition(const Token& token)
{
    return (token.kind == TokenKind::Symbol &&
            (token.text == QLatin1String(")") || token.text == QLatin1String(";"))) ||
           isWord(token, "and") || isWord(token, "or") || isWord(token, "order") || isWord(token, "group") ||
           isWord(token, "union") || isWord(token, "limit");
}

// The first instant counted in a year: its first day number, less the half
// millisecond a time just before midnight is rounded up by.
QString yearStart(int year)
{
    return QString::number(DayNumber::fromDate(QDate(year, 1, 1)) - 0.5 / 86400000.0, 'g', 17);
}

// "year(dt) >= 2020" (and >, <, <=, =) becomes a range of dt, which costs no
// function call per row. Text and NULL in dt
// stay out of the range, as year() gives NULL for them. On a match, *end is
// the last token consumed.
std::optional<QString> yearRange(const QList<Token>& tokens, qsizetype at, qsizetype* end)
{
    qsizetype before = at - 1;
    while (before >= 0 && tokens[before].kind == TokenKind::Space) {
        --before;
    }
    if (before < 0 || !opensCondition(tokens[before])) {
        return std::nullopt;
    }
    const qsizetype open = nextSolid(tokens, at);
    if (open < 0 || tokens[open].text != QLatin1String("(")) {
        return std::nullopt;
    }
    const qsizetype column = nextSolid(tokens, open);
    if (column < 0 || (tokens[column].kind != TokenKind::Word && tokens[column].kind != TokenKind::Name)) {
        return std::nullopt;
    }
    const qsizetype close = nextSolid(tokens, column);
    if (close < 0 || tokens[close].text != QLatin1String(")")) {
        return std::nullopt;
    }
    qsizetype i = nextSolid(tokens, close);
    QString op;
    while (i >= 0 && i < tokens.size() && tokens[i].kind == TokenKind::Symbol &&
           (tokens[i].text == QLatin1String("<") || tokens[i].text == QLatin1String(">") ||
            tokens[i].text == QLatin1String("="))) {
        op += tokens[i].text;
        ++i;
    }
    if (op != QLatin1String(">=") && op != QLatin1String(">") && op != QLatin1String("<") &&
        op != QLatin1String("<=") && op != QLatin1String("=")) {
        return std::nullopt;
    }
    const qsizetype number = nextSolid(tokens, i - 1);
    if (number < 0 || tokens[number].kind != TokenKind::Number || tokens[number].text.contains(QLatin1Char('.'))) {
        return std::nullopt;
    }
    const qsizetype after = nextSolid(tokens, number);
    if (after >= 0 && !closesCondition(tokens[after])) {
        return std::nullopt;
    }
    bool ok = false;
    const int year = tokens[number].text.toInt(&ok);
    if (!ok || year < 1 || year > 9998) {
        return std::nullopt;
    }
    // The unary plus keeps SQLite from reading through an index on the column:
    // these statements read most of the table, where fetching each row by its
    // index entry costs twice a plain scan.
    const QString name = QLatin1Char('+') + (tokens[column].kind == TokenKind::Name
                                                 ? QLatin1Char('"') + unquote(tokens[column].text) + QLatin1Char('"')
                                                 : tokens[column].text);
    // Any number sorts before any text; the upper bound keeps text out.
    const QString noText = QStringLiteral(" and %1 < 1e300").arg(name);
    QString range;
    if (op == QLatin1String(">=")) {
        range = name + QStringLiteral(" >= ") + yearStart(year) + noText;
    } else if (op == QLatin1String(">")) {
        range = name + QStringLiteral(" >= ") + yearStart(year + 1) + noText;
    } else if (op == QLatin1String("<")) {
        range = name + QStringLiteral(" < ") + yearStart(year);
    } else if (op == QLatin1String("<=")) {
        range = name + QStringLiteral(" < ") + yearStart(year + 1);
    } else {
        range = name + QStringLiteral(" >= ") + yearStart(year) + QStringLiteral(" and ") + name +
                QStringLiteral(" < ") + yearStart(year + 1);
    }
    *end = number;
    return QLatin1Char('(') + range + QLatin1Char(')');
}

// "order by a, [b] desc": the keys a list can keep its rows sorted by
// without asking the engine again.
void readOrder(const QList<Token>& tokens, qsizetype order, SqlDialect::Translation& result)
{
    if (order < 0) {
        // Without an ORDER BY, a key order can be added at the end, unless
        // something already ends the statement there.
        result.simpleOrder = std::none_of(tokens.cbegin(), tokens.cend(), [](const Token& token) {
            return isWord(token, "limit") || isWord(token, "offset") ||
                   (token.kind == TokenKind::Symbol && token.text == QLatin1String(";"));
        });
        return;
    }
    qsizetype i = nextSolid(tokens, order);
    if (i < 0 || !isWord(tokens[i], "by")) {
        return;
    }
    QList<SqlDialect::Translation::SortKey> keys;
    for (i = nextSolid(tokens, i); i >= 0; i = nextSolid(tokens, i)) {
        const Token& name = tokens[i];
        if ((name.kind != TokenKind::Word && name.kind != TokenKind::Name) || isWord(name, "asc") ||
            isWord(name, "desc") || isWord(name, "limit") || isWord(name, "collate")) {
            return;
        }
        SqlDialect::Translation::SortKey key{name.kind == TokenKind::Name ? unquote(name.text) : name.text, false};
        i = nextSolid(tokens, i);
        if (i >= 0 && (isWord(tokens[i], "asc") || isWord(tokens[i], "desc"))) {
            key.descending = isWord(tokens[i], "desc");
            i = nextSolid(tokens, i);
        }
        keys.append(key);
        if (i < 0) {
            result.orderBy = keys;
            result.simpleOrder = true;
            return;
        }
        if (tokens[i].kind != TokenKind::Symbol || tokens[i].text != QLatin1String(",")) {
            return;
        }
    }
}

struct SelectShape {
    QList<QList<Token>> items;
    QStringList tables;
    bool plain = true; // one table, no union, join or grouping
};

SelectShape analyse(const QList<Token>& tokens)
{
    SelectShape shape;
    int depth = 0;
    enum class Section { Before, Items, From, Rest } section = Section::Before;
    QList<Token> current;
    bool expectTable = false;
    for (const Token& token : tokens) {
        if (token.kind == TokenKind::Symbol && token.text == QLatin1String("(")) {
            ++depth;
        } else if (token.kind == TokenKind::Symbol && token.text == QLatin1String(")")) {
            --depth;
        }
        if (depth == 0 && token.kind == TokenKind::Word) {
            if (isWord(token, "union") || isWord(token, "join") || isWord(token, "group") ||
                isWord(token, "distinct") || isWord(token, "having")) {
                shape.plain = false;
            }
        }
        switch (section) {
        case Section::Before:
            if (isWord(token, "select")) {
                section = Section::Items;
            }
            break;
        case Section::Items:
            if (depth == 0 && isWord(token, "from")) {
                shape.items.append(current);
                section = Section::From;
                expectTable = true;
            } else if (depth == 0 && token.kind == TokenKind::Symbol && token.text == QLatin1String(",")) {
                shape.items.append(current);
                current.clear();
            } else if (token.kind != TokenKind::Space) {
                current.append(token);
            }
            break;
        case Section::From:
            if (token.kind == TokenKind::Space) {
                break;
            }
            if (token.kind == TokenKind::Symbol && token.text == QLatin1String(",")) {
                shape.plain = false;
                expectTable = true;
            } else if (expectTable && (token.kind == TokenKind::Word || token.kind == TokenKind::Name)) {
                shape.tables.append(token.kind == TokenKind::Name ? unquote(token.text) : token.text);
                expectTable = false;
            } else if (token.kind == TokenKind::Word && (isWord(token, "where") || isWord(token, "order") ||
                                                         isWord(token, "union") || isWord(token, "group"))) {
                section = Section::Rest;
            } else if (token.kind == TokenKind::Symbol) {
                shape.plain = false;
            }
            break;
        case Section::Rest:
            break;
        }
    }
    if (shape.tables.size() != 1) {
        shape.plain = false;
    }
    return shape;
}

const ColumnDef* findColumn(const QStringList& tables, const QString& name)
{
    for (const QString& tableName : tables) {
        if (const TableDef* table = Schema::table(tableName)) {
            if (const ColumnDef* column = table->column(name)) {
                return column;
            }
        }
    }
    return nullptr;
}

// Guesses the type of a computed result column: the date parts are whole
// numbers; an aggregate or sign change of one typed column keeps its type.
void addComputedType(const QList<Token>& item, const QStringList& tables, QHash<QString, ColumnType>& types)
{
    if (item.size() < 2) {
        return;
    }
    QString alias;
    qsizetype exprEnd = item.size();
    if (item.size() >= 3 && isWord(item[item.size() - 2], "as")) {
        alias = item.last().kind == TokenKind::Name ? unquote(item.last().text) : item.last().text;
        exprEnd = item.size() - 2;
    }
    const ColumnDef* source = nullptr;
    int identifiers = 0;
    bool datePart = false;
    bool other = false;
    for (qsizetype i = 0; i < exprEnd; ++i) {
        const Token& token = item[i];
        if (token.kind != TokenKind::Word) {
            if (token.kind == TokenKind::String) {
                other = true;
            }
            continue;
        }
        const bool isCall = i + 1 < exprEnd && item[i + 1].text == QLatin1String("(");
        const QString lower = token.text.toLower();
        if (isCall) {
            if (lower == QLatin1String("year") || lower == QLatin1String("month") || lower == QLatin1String("day")) {
                datePart = true;
            } else if (lower != QLatin1String("min") && lower != QLatin1String("max") &&
                       lower != QLatin1String("sum") && lower != QLatin1String("abs")) {
                other = true;
            }
            continue;
        }
        ++identifiers;
        source = findColumn(tables, token.text);
    }
    if (alias.isEmpty()) {
        // SQLite names an unaliased expression after its text.
        QString text;
        for (qsizetype i = 0; i < exprEnd; ++i) {
            text += item[i].text;
        }
        alias = text;
    }
    if (datePart && !other) {
        types.insert(alias.toLower(), {ColumnKind::Integer, 0});
    } else if (!other && identifiers == 1 && source) {
        types.insert(alias.toLower(), source->type);
    }
}
} // namespace

SqlDialect::Translation SqlDialect::translate(const QString& statement)
{
    const QList<Token> tokens = tokenize(statement);
    const bool negates = std::any_of(tokens.cbegin(), tokens.cend(),
                                     [](const Token& token) { return isWord(token, "not") || isWord(token, "is"); });
    Translation result;
    qsizetype orderToken = -1;
    QString& out = result.sql;
    out.reserve(statement.size() + 16);
    int depth = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        if (token.kind == TokenKind::Symbol) {
            depth += token.text == QLatin1String("(") ? 1 : token.text == QLatin1String(")") ? -1 : 0;
        }
        if (depth == 0 && result.fromOffset < 0 && isWord(token, "from")) {
            result.fromOffset = out.size();
        }
        if (depth == 0 && isWord(token, "order")) {
            result.orderOffset = out.size();
            orderToken = i;
        }
        switch (token.kind) {
        case TokenKind::DateLiteral:
            out += translateDateLiteral(token.text);
            break;
        case TokenKind::Name:
            out += QLatin1Char('"') + unquote(token.text) + QLatin1Char('"');
            break;
        case TokenKind::String:
            if (token.text.startsWith(QLatin1Char('"'))) {
                QString inner = unquote(token.text);
                inner.replace(QLatin1String("\"\""), QLatin1String("\""));
                inner.replace(QLatin1String("'"), QLatin1String("''"));
                out += QLatin1Char('\'') + inner + QLatin1Char('\'');
            } else {
                out += token.text;
            }
            break;
        case TokenKind::Word: {
            qsizetype last = i;
            if (!negates && isWord(token, "year")) {
                if (const std::optional<QString> range = yearRange(tokens, i, &last)) {
                    out += *range;
                    i = last;
                    break;
                }
            }
            const qsizetype next = nextSolid(tokens, i);
            if (next >= 0 && tokens[next].text == QLatin1String("(") &&
                dateFunctions().contains(token.text.toLower())) {
                out += functionPrefix() + token.text.toLower();
            } else {
                out += token.text;
            }
            break;
        }
        default:
            out += token.text;
        }
    }
    readOrder(tokens, orderToken, result);
    SelectShape shape = analyse(tokens);
    for (const QList<Token>& item : shape.items) {
        addComputedType(item, shape.tables, result.computedTypes);
    }
    for (const QList<Token>& item : shape.items) {
        for (qsizetype i = 0; i + 1 < item.size(); ++i) {
            const QString lower = item[i].text.toLower();
            if (item[i].kind == TokenKind::Word && item[i + 1].text == QLatin1String("(") &&
                (lower == QLatin1String("min") || lower == QLatin1String("max") || lower == QLatin1String("sum") ||
                 lower == QLatin1String("count") || lower == QLatin1String("avg"))) {
                shape.plain = false;
            }
        }
    }
    if (shape.plain && !shape.items.isEmpty()) {
        result.editableTable = shape.tables.first();
    }
    return result;
}
