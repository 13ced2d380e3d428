#pragma once

#include <QString>
#include <optional>

// A freedesktop.org desktop entry file, as the autostart entry and the desktop
// launcher use it.
struct DesktopEntry {
    QString name;
    QString exec;
    QString workingFolder;
    QString extra; // further "Key=value" lines

    // Written whole and atomically; false with the reason when it cannot be.
    bool write(const QString& path, QString* error) const;
    QString text() const;

    // One argument of an Exec line: quoted, with ", `, $ and \ escaped.
    static QString quoteArgument(const QString& argument);
    // The value of a key in the [Desktop Entry] group, unescaped as a string.
    static std::optional<QString> readValue(const QString& path, const QString& key);
    static QString escapeValue(const QString& value);
};
