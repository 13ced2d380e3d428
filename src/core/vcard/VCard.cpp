#include "core/vcard/VCard.h"

#include "core/data/Connection.h"
#include "core/data/DbError.h"
#include "core/data/Statement.h"

#include <QStringDecoder>
#include <QStringList>
#include <unicode/unistr.h>

namespace {
// Text values of 3.0 and 4.0 escape backslash, comma, semicolon and line breaks.
QString escaped(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char(','), QStringLiteral("\\,"));
    text.replace(QLatin1Char(';'), QStringLiteral("\\;"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\n"));
    return text;
}

// Lines longer than 75 octets go on in lines that begin with a space,
// never inside a UTF-8 sequence.
QByteArray folded(const QByteArray& line)
{
    QByteArray out;
    int width = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        qsizetype length = 1;
        if (byte >= 0xF0) {
            length = 4;
        } else if (byte >= 0xE0) {
            length = 3;
        } else if (byte >= 0xC0) {
            length = 2;
        }
        if (width + length > 75) {
            out += "\r\n ";
            width = 1;
        }
        out += line.mid(i, length);
        width += int(length);
        i += length - 1;
    }
    return out + "\r\n";
}

QStringList splitUnescaped(const QString& value, QChar separator)
{
    QStringList parts{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            parts.last() += c;
            parts.last() += value[++i];
        } else if (c == separator) {
            parts << QString();
        } else {
            parts.last() += c;
        }
    }
    return parts;
}

QString unescaped(const QString& value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            out += next == QLatin1Char('n') || next == QLatin1Char('N') ? QChar(u'\n') : next;
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray quotedPrintable(const QByteArray& value)
{
    QByteArray out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '=' && i + 2 < value.size()) {
            bool ok = false;
            const int byte = value.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(byte);
                i += 2;
                continue;
            }
        }
        out += value[i];
    }
    return out;
}

QString decoded(const QByteArray& bytes, const QByteArray& charset)
{
    if (charset.isEmpty() || charset.compare("UTF-8", Qt::CaseInsensitive) == 0) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes);
        if (!utf8.hasError() || !charset.isEmpty()) {
            return text;
        }
    }
    // A card of a Chinese phone without a charset is GB18030, which holds GBK.
    const QByteArray name = charset.isEmpty() ? QByteArray("GB18030") : charset;
    const icu::UnicodeString text(bytes.constData(), int32_t(bytes.size()), name.constData());
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

struct Property {
    QByteArray name;
    QList<QByteArray> params; // upper case: "TYPE=CELL", "CELL", "CHARSET=GBK"
    QString value;            // decoded, still escaped
};

bool hasParam(const Property& property, const QByteArray& param)
{
    for (const QByteArray& p : property.params) {
        // "CELL", "TYPE=CELL", "TYPE=VOICE,CELL" and "TYPE=CELL,VOICE" alike.
        const QByteArray values = p.mid(p.indexOf('=') + 1);
        if (values.split(',').contains(param)) {
            return true;
        }
    }
    return false;
}

Property parse(const QByteArray& line)
{
    Property property;
    // The value starts at the first colon outside quotes.
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon < 0) {
        return property;
    }
    QList<QByteArray> head = line.left(colon).split(';');
    QByteArray name = head.takeFirst().trimmed().toUpper();
    const qsizetype dot = name.indexOf('.');
    property.name = dot >= 0 ? name.mid(dot + 1) : name; // "item1.TEL"
    QByteArray charset;
    bool qp = false;
    for (QByteArray param : head) {
        param = param.trimmed();
        const QByteArray upper = param.toUpper();
        if (upper.startsWith("CHARSET=")) {
            charset = param.mid(8);
        } else if (upper == "QUOTED-PRINTABLE" || upper == "ENCODING=QUOTED-PRINTABLE") {
            qp = true;
        }
        property.params << upper;
    }
    QByteArray value = line.mid(colon + 1);
    if (qp) {
        value = quotedPrintable(value);
    }
    property.value = decoded(value, charset);
    return property;
}

// The physical lines joined into logical ones.
QList<QPair<int, QByteArray>> logicalLines(const QByteArray& bytes)
{
    QList<QPair<int, QByteArray>> lines;
    const QList<QByteArray> physical = bytes.split('\n');
    for (qsizetype i = 0; i < physical.size(); ++i) {
        QByteArray line = physical[i];
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if ((line.startsWith(' ') || line.startsWith('\t')) && !lines.isEmpty()) {
            lines.last().second += line.mid(1);
            continue;
        }
        if (line.isEmpty()) {
            continue;
        }
        lines.append({int(i + 1), line});
        // A quoted-printable value ending in "=" goes on in the next line (a soft break).
        const QByteArray head = line.left(line.indexOf(':')).toUpper();
        if (head.contains("QUOTED-PRINTABLE")) {
            while (lines.last().second.endsWith('=') && i + 1 < physical.size()) {
                lines.last().second.chop(1);
                QByteArray next = physical[++i];
                if (next.endsWith('\r')) {
                    next.chop(1);
                }
                lines.last().second += next;
            }
        }
    }
    return lines;
}

QString nameFromN(const QString& value)
{
    const QStringList parts = splitUnescaped(value, QLatin1Char(';'));
    const QString family = unescaped(parts.value(0)).trimmed();
    const QString given = unescaped(parts.value(1)).trimmed();
    bool han = false;
    for (const QChar c : QString(family + given)) {
        han = han || (c.unicode() >= 0x3400 && c.unicode() <= 0x9FFF);
    }
    // Chinese names read family name first, without a space.
    if (han || given.isEmpty() || family.isEmpty()) {
        return family + given;
    }
    return given + QLatin1Char(' ') + family;
}

void addLabelled(QStringList& lines, const char* label, const QString& value)
{
    if (!value.trimmed().isEmpty()) {
        lines << QString::fromUtf8(label) + value.trimmed();
    }
}

VCardContact contactOf(const QList<Property>& properties, QString* nameOut)
{
    VCardContact contact;
    QString fn;
    QString n;
    QStringList notes;
    QStringList extra;
    for (const Property& p : properties) {
        const QString text = unescaped(p.value);
        if (p.name == "FN") {
            fn = text.trimmed();
        } else if (p.name == "N") {
            n = nameFromN(p.value);
        } else if (p.name == "TEL") {
            const QString number = text.trimmed();
            const bool cell = hasParam(p, "CELL");
            if (cell && contact.shouji.isEmpty()) {
                contact.shouji = number;
            } else if (!cell && contact.dianhua.isEmpty()) {
                contact.dianhua = number;
            } else if (contact.shouji.isEmpty()) {
                contact.shouji = number;
            } else if (contact.dianhua.isEmpty()) {
                contact.dianhua = number;
            }
        } else if (p.name == "X-QQ") {
            contact.qq = text.trimmed();
        } else if (p.name == "IMPP" && contact.qq.isEmpty() &&
                   text.startsWith(QStringLiteral("qq:"), Qt::CaseInsensitive)) {
            contact.qq = text.mid(3).trimmed();
        } else if (p.name == "EMAIL" && contact.email.isEmpty()) {
            contact.email = text.trimmed();
        } else if (p.name == "ADR" && contact.addr.isEmpty()) {
            const QStringList parts = splitUnescaped(p.value, QLatin1Char(';'));
            // Chinese order, country first; the street alone when only it is given.
            QStringList ordered;
            for (int i : {6, 4, 3, 2, 1, 0, 5}) {
                const QString part = unescaped(parts.value(i)).trimmed();
                if (!part.isEmpty()) {
                    ordered << part;
                }
            }
            contact.addr = ordered.join(QLatin1Char(' '));
        } else if (p.name == "X-GENDER" || (p.name == "GENDER" && contact.xingbie.isEmpty())) {
            const QString gender = text.section(QLatin1Char(';'), 0, 0).trimmed();
            contact.xingbie = gender == QLatin1String("M")   ? QStringLiteral("男")
                              : gender == QLatin1String("F") ? QStringLiteral("女")
                                                             : gender;
        } else if (p.name == "CATEGORIES") {
            contact.leixing = text.trimmed();
        } else if (p.name == "NOTE") {
            notes << text;
        } else if (p.name == "ORG") {
            addLabelled(extra, "单位：", unescaped(splitUnescaped(p.value, QLatin1Char(';')).join(QLatin1Char(' '))));
        } else if (p.name == "TITLE") {
            addLabelled(extra, "职务：", text);
        } else if (p.name == "BDAY") {
            addLabelled(extra, "生日：", text);
        } else if (p.name == "NICKNAME") {
            addLabelled(extra, "昵称：", text);
        } else if (p.name == "URL") {
            addLabelled(extra, "网址：", text);
        }
    }
    contact.xingming = !fn.isEmpty() ? fn : n;
    contact.remark = (notes + extra).join(QLatin1Char('\n'));
    *nameOut = contact.xingming;
    return contact;
}
} // namespace

QByteArray VCard::write(const QList<VCardContact>& contacts)
{
    QByteArray out;
    for (const VCardContact& c : contacts) {
        const auto line = [&out](const char* name, const QString& value) {
            if (!value.isEmpty()) {
                out += folded(QByteArray(name) + ':' + value.toUtf8());
            }
        };
        out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
        out += folded("FN:" + escaped(c.xingming).toUtf8());
        out += folded("N:" + escaped(c.xingming).toUtf8() + ";;;;");
        line("TEL;TYPE=CELL", escaped(c.shouji));
        line("TEL;TYPE=VOICE", escaped(c.dianhua));
        line("X-QQ", escaped(c.qq));
        line("IMPP", c.qq.isEmpty() ? QString() : QStringLiteral("qq:") + escaped(c.qq));
        line("EMAIL", escaped(c.email));
        line("ADR", c.addr.isEmpty() ? QString() : QStringLiteral(";;") + escaped(c.addr) + QStringLiteral(";;;;"));
        line("X-GENDER", escaped(c.xingbie));
        line("CATEGORIES", escaped(c.leixing));
        line("NOTE", escaped(c.remark));
        out += "END:VCARD\r\n";
    }
    return out;
}

QList<VCard::Card> VCard::read(const QByteArray& input)
{
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QList<Card> cards;
    QList<Property> properties;
    bool inside = false;
    int begin = 0;
    const QList<QPair<int, QByteArray>> lines = logicalLines(bytes);
    for (const auto& [number, line] : lines) {
        const QByteArray upper = line.trimmed().toUpper();
        if (upper == "BEGIN:VCARD") {
            if (inside) {
                cards.append({{}, false, begin}); // never ended
            }
            inside = true;
            begin = number;
            properties.clear();
        } else if (upper == "END:VCARD" && inside) {
            QString name;
            Card card;
            card.contact = contactOf(properties, &name);
            card.readable = !name.trimmed().isEmpty();
            card.line = begin;
            cards.append(card);
            inside = false;
        } else if (inside) {
            properties.append(parse(line));
        }
    }
    if (inside) {
        cards.append({{}, false, begin});
    }
    return cards;
}

void VCard::insert(Connection& connection, const QList<VCardContact>& contacts)
{
    sqlite3* db = connection.handle();
    Statement(db, QStringLiteral("BEGIN IMMEDIATE")).step();
    try {
        Statement statement(db, QStringLiteral("INSERT INTO Dianhua (xingming, leixing, xingbie, shouji, dianhua, qq, "
                                               "email, addr, remark) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const VCardContact& c : contacts) {
            statement.reset();
            const QString values[] = {c.xingming, c.leixing, c.xingbie, c.shouji, c.dianhua,
                                      c.qq,       c.email,   c.addr,    c.remark};
            for (int i = 0; i < 9; ++i) {
                statement.bind(i + 1, values[i].isEmpty() ? QVariant() : QVariant(values[i]));
            }
            statement.step();
        }
    } catch (...) {
        Statement(db, QStringLiteral("ROLLBACK")).step();
        throw;
    }
    Statement(db, QStringLiteral("COMMIT")).step();
}
