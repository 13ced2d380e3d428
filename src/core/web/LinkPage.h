#pragma once

#include <QList>
#include <QString>

// The page of the user's own links shown in the main window's link bar.
class LinkPage {
public:
    struct Link {
        QString title;
        QString url;
    };

    // The page's lines: three head lines, one line per link in the given order, "</body>".
    // Titles and addresses are escaped, so markup in them shows as text and
    // cannot change the page.
    static QStringList lines(const QList<Link>& links);
    // Writes the page whole and atomically, each line ended by CR LF; false,
    // with the reason in *error, when it cannot (the old page then stays).
    static bool write(const QString& path, const QList<Link>& links, QString* error = nullptr);
};
