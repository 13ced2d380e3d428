#include "core/data/Schema.h"

#include "core/data/SchemaMigrator.h"

namespace {
// One-line text columns whose width the program does not fix get the width of
// the classic desktop database text field.
constexpr int kLineWidth = 255;

ColumnDef key()
{
    return {QStringLiteral("oid"), {ColumnKind::Integer, 0}, QStringLiteral("编号"), true};
}

ColumnDef text(const char* name, const char* caption, int width = kLineWidth)
{
    return {QString::fromUtf8(name), {ColumnKind::Text, width}, QString::fromUtf8(caption), false};
}

ColumnDef col(const char* name, ColumnKind kind, const char* caption)
{
    return {QString::fromUtf8(name), {kind, 0}, QString::fromUtf8(caption), false};
}

QList<TableDef> buildTables()
{
    using K = ColumnKind;
    const QList<ColumnDef> ledger = {key(),
                                     col("dt", K::Date, "日期"),
                                     text("leixing", "类型", 50),
                                     text("ren", "人", 50),
                                     text("miaoshu", "描述"),
                                     col("jine", K::Money, "金额"),
                                     col("beizhu", K::LongText, "备注")};
    const QList<ColumnDef> diary = {key(), col("dt", K::Date, "日期"), text("knd", "类型"), text("title", "标题"),
                                    col("remark", K::LongText, "备注")};
    const auto measure = [&](const char* caption) {
        return QList<ColumnDef>{key(), col("dt", K::Date, "日期"), col("val", K::Number, caption),
                                col("remark", K::LongText, "备注")};
    };
    return {
        {QStringLiteral("sysparam"), {key(), text("param", "设置名", 50), text("val", "设置值")}},
        {QStringLiteral("param"),
         {key(), text("param", "参数名", 50), text("val", "值", 50), text("remark", "参数", 255),
          col("ord", K::Number, "编号(排序)")}},
        {QStringLiteral("param_yuegong"),
         {{QStringLiteral("oid"), {K::Integer, 0}, QStringLiteral("编号"), false},
          col("jine", K::Number, "贷款金额(万元)"),
          col("lilv", K::Number, "基准利率"),
          col("LilvZhekou", K::Number, "利率折扣"),
          col("nian", K::Number, "贷款年限(年)"),
          col("Yujichengjiao", K::Number, "预计成交价(万元)"),
          col("Yujipinggu", K::Number, "预计评估价(万元)"),
          col("shoufu", K::Number, "首付比例(成)")}},
        {QStringLiteral("param_baobao"),
         {{QStringLiteral("oid"), {K::Integer, 0}, QStringLiteral("编号"), false}, col("bir", K::Date, "出生日期")}},
        {QStringLiteral("alert"),
         {key(), col("dt", K::DateTime, "提醒时间"), text("title", "提醒内容"), col("knd", K::Integer, "提醒方式")}},
        {QStringLiteral("Income"), ledger},
        {QStringLiteral("Spend"), ledger},
        {QStringLiteral("Jishi"),
         {key(), col("dt", K::Date, "日期"), text("leixing", "类型"), text("status", "状态"), text("jishi", "记事"),
          col("remark", K::LongText, "详细说明")}},
        {QStringLiteral("Dianhua"),
         {key(), text("xingming", "姓名"), text("leixing", "类型"), text("xingbie", "性别"), text("shouji", "手机"),
          text("dianhua", "电话"), text("qq", "QQ"), text("email", "Email"), text("addr", "地址"),
          col("ord", K::Number, "编号(排序)"), col("remark", K::LongText, "备注")}},
        {QStringLiteral("Beiwang"),
         {key(), text("title", "标题"), col("ord", K::Number, "编号(排序)"), col("remark", K::LongText, "备注")}},
        {QStringLiteral("MyUrl"),
         {key(), text("title", "标题"), text("url", "网址"), col("ord", K::Number, "编号(排序)")}},
        {QStringLiteral("jiankangdangan"), diary},
        {QStringLiteral("bb_jishi"), diary},
        {QStringLiteral("bb_jiaoyu"), diary},
        {QStringLiteral("bb_shengao"), measure("身高")},
        {QStringLiteral("bb_tizhong"), measure("体重")},
    };
}
} // namespace

const ColumnDef* TableDef::column(const QString& columnName) const
{
    for (const ColumnDef& def : columns) {
        if (def.name.compare(columnName, Qt::CaseInsensitive) == 0) {
            return &def;
        }
    }
    return nullptr;
}

const QList<TableDef>& Schema::tables()
{
    static const QList<TableDef> all = buildTables();
    return all;
}

const TableDef* Schema::table(const QString& name)
{
    for (const TableDef& def : tables()) {
        if (def.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &def;
        }
    }
    return nullptr;
}

QStringList Schema::createStatements()
{
    QStringList statements;
    for (const TableDef& table : tables()) {
        QStringList columns;
        for (const ColumnDef& column : table.columns) {
            QString line = QLatin1Char('"') + column.name + QLatin1String("\" ") + column.type.declared();
            if (column.autoKey) {
                line += QLatin1String(" PRIMARY KEY AUTOINCREMENT");
            } else if (column.name == QLatin1String("oid")) {
                line += QLatin1String(" PRIMARY KEY");
            }
            columns << line;
        }
        statements << QLatin1String("CREATE TABLE \"") + table.name + QLatin1String("\" (") +
                          columns.join(QLatin1String(", ")) + QLatin1Char(')');
    }
    // The lists filter and sort on these columns.
    for (const char* name :
         {"alert", "Income", "Spend", "Jishi", "jiankangdangan", "bb_jishi", "bb_jiaoyu", "bb_shengao", "bb_tizhong"}) {
        const QString table = QString::fromUtf8(name);
        statements << QLatin1String("CREATE INDEX \"ix_") + table + QLatin1String("_dt\" ON \"") + table +
                          QLatin1String("\" (dt)");
    }
    for (const char* name : {"Dianhua", "Beiwang", "MyUrl", "param"}) {
        const QString table = QString::fromUtf8(name);
        statements << QLatin1String("CREATE INDEX \"ix_") + table + QLatin1String("_ord\" ON \"") + table +
                          QLatin1String("\" (ord)");
    }
    statements << QStringLiteral("CREATE INDEX ix_sysparam_param ON sysparam (param)")
               << QStringLiteral("CREATE INDEX ix_param_param ON param (param)");
    return statements;
}

std::vector<std::function<void(sqlite3*)>> Schema::upgrades()
{
    return {
        // Version 2: the alarm list reads every column in due order, and the
        // scheduler the earliest due time; an index holding all of them
        // answers both without visiting the table.
        [](sqlite3* db) {
            SchemaMigrator::exec(db, QStringLiteral("CREATE INDEX ix_alert_due ON alert (dt, knd, title)"));
            SchemaMigrator::exec(db, QStringLiteral("DROP INDEX IF EXISTS ix_alert_dt"));
        },
    };
}
