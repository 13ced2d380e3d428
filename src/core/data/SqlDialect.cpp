#include "core/data/SqlDialect.h"

#include "core/data/DayNumber.h"
#include "core/data/DbError.h"
#include "core/data/Schema.h"

#include <QList>
#include <QSet>

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
    Translation result;
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
