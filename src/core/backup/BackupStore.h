#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

class Connection;

// The daily copies of the database in the folder backup/ beside it, named
// pel-yyyyMMdd.dll and readable by the owner only. A copy is taken through
// SQLite's online backup, so it is whole and consistent even while another
// program writes; the last 7 daily and the newest copy of each of the last 8
// weeks are kept, and older ones are deleted only once the new copy passed
// the integrity check.
class BackupStore {
public:
    explicit BackupStore(const QString& databasePath);

    QString folder() const { return m_folder; }

    static QString fileName(QDate day);
    static QDate dateOf(const QString& fileName); // invalid for any other name

    struct Copy {
        QDate date;
        QString path;
        qint64 size = 0;
    };

    QList<Copy> copies() const; // newest first

    QString pathFor(QDate day) const;

    bool hasCopy(QDate day) const;

    // Copies the database behind the connection into the day's file,
    // replacing a copy of the same day; then deletes the copies no longer kept.
    bool backup(Connection& connection, QDate day, QString* error);

    // The days whose copies are kept, of the days given.
    static QList<QDate> kept(QList<QDate> days);

    // A Pelorin database file that SQLite's integrity check passes.
    static bool check(const QString& path, QString* error);

    // Rows of each record book in a copy, by the book's Chinese name; empty
    // when the copy cannot be read.
    static QList<QPair<QString, int>> census(const QString& path);

    // Puts a copy in place of the database: checks it, saves the current
    // database as the day's copy, and swaps the file while the connection is
    // closed (it opens again on the next statement). Nothing changes on failure.
    bool restore(const QString& copyPath, Connection& connection, QDate day, QString* error);

private:
    bool write(const QByteArray& bytes, const QString& path, QString* error) const;
    void prune(QDate newest);

    QString m_folder;
};
