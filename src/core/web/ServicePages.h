#pragma once

#include <QString>
#include <QUrl>
#include <optional>

// The program's own web service: the home page and the advertisement panels
// are answered in-process, so they show real pages without any network.
class ServicePages {
public:
    static QString scheme() { return QStringLiteral("pel"); }

    // The page at a service address, or nullopt when the service has none.
    static std::optional<QString> page(const QUrl& url);

    static QString homePage(const QString& qq, const QString& version);
    static std::optional<QString> adPage(const QString& area);
};
