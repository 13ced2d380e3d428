#include "core/web/ServicePages.h"

#include "core/data/Clock.h"

#include <QUrlQuery>

namespace {
QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString weekdayName(int dayOfWeek)
{
    static const char* const names[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    return QString::fromUtf8(names[(dayOfWeek - 1) % 7]);
}

QString wrapPage(const QString& body)
{
    return QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>") + body +
           QStringLiteral("</body></html>");
}
} // namespace

std::optional<QString> ServicePages::page(const QUrl& url)
{
    if (url.scheme() != scheme()) {
        return std::nullopt;
    }
    const QString path = url.path();
    if (path == QLatin1String("/pel/main/") || path == QLatin1String("/pel/main")) {
        const QUrlQuery query(url);
        return homePage(query.queryItemValue(QStringLiteral("qq"), QUrl::FullyDecoded),
                        query.queryItemValue(QStringLiteral("v"), QUrl::FullyDecoded));
    }
    const QString adPrefix = QStringLiteral("/pel/ad/");
    if (path.startsWith(adPrefix)) {
        QString area = path.mid(adPrefix.size());
        if (area.endsWith(QLatin1Char('/'))) {
            area.chop(1);
        }
        return adPage(area);
    }
    return std::nullopt;
}

QString ServicePages::homePage(const QString& qq, const QString& version)
{
    const QDate today = Clock::today();
    QString body;
    body += QStringLiteral("<table width=\"100%\" cellpadding=\"24\"><tr><td align=\"center\">");
    body += QStringLiteral("<h1 style=\"color:#1f4e9c\">Pelorin</h1>");
    body += QStringLiteral("<p style=\"font-size:20px\">今天是 %1年%2月%3日 %4</p>")
                .arg(today.year())
                .arg(today.month())
                .arg(today.day())
                .arg(weekdayName(today.dayOfWeek()));
    body += QStringLiteral("<p>家庭记事、通讯录、收支账本、闹铃提醒……都在这里。</p>");
    if (!qq.isEmpty()) {
        body += QStringLiteral("<p>QQ：%1</p>").arg(escaped(qq));
    }
    body += QStringLiteral("<p style=\"color:gray\">版本 %1</p>").arg(escaped(version));
    body += QStringLiteral("</td></tr></table>");
    return wrapPage(body);
}

std::optional<QString> ServicePages::adPage(const QString& area)
{
    struct Tip {
        const char* area;
        const char* text;
    };

    static const Tip tips[] = {
        // Shown under lists with and without a group strip: only what every list does.
        {"common", "小提示：双击列表中的一行即可修改或复制该记录；按 Esc 关闭窗口。"},
        {"baobao", "宝宝成长日记：定期记录身高体重，见证每一点成长。"},
        {"daikuan", "贷款测算结果仅供参考，实际以银行审批为准。"},
        {"jiankang", "健康档案：体检报告、就医用药记一笔，复诊时心中有数。"},
        {"shouzhi", "记账小贴士：每天花一分钟，月底统计一目了然。"},
        {"alert", "闹铃提醒：重要的日子，让Pelorin替你记住。"},
    };
    for (const Tip& tip : tips) {
        if (area == QLatin1String(tip.area)) {
            return wrapPage(QStringLiteral("<p style=\"font-size:14px;color:#555\">") + QString::fromUtf8(tip.text) +
                            QStringLiteral("</p>"));
        }
    }
    return std::nullopt;
}
