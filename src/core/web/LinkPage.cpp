#include "core/web/LinkPage.h"

#include "core/data/TextFile.h"

QStringList LinkPage::lines(const QList<Link>& links)
{
    QStringList page = {
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />"),
        QStringLiteral("<style>a:active {color: #000000}a:hover {color: #000000}a:link {color: #000000}"
                       "a:visited {color: #000000}</style>"),
        QStringLiteral("<body style=\"margin:10px; font-size:12px;\">"),
    };
    for (const Link& link : links) {
        page << QStringLiteral("<a href=\"") + link.url.toHtmlEscaped() + QStringLiteral("\" target=\"_blank\">") +
                    link.title.toHtmlEscaped() + QStringLiteral("</a>");
    }
    page << QStringLiteral("</body>");
    return page;
}

bool LinkPage::write(const QString& path, const QList<Link>& links, QString* error)
{
    return TextFile::write(path, lines(links).join(QLatin1Char('\n')), error);
}
