#pragma once

#include "core/data/AppPaths.h"
#include "core/data/Connection.h"

#include <QTemporaryDir>
#include <memory>

// A fresh program folder with its own pel.dll, removed afterwards.
class TestDatabase {
public:
    explicit TestDatabase(const QString& subFolder = {})
    {
        m_folder = m_dir.path();
        if (!subFolder.isEmpty()) {
            m_folder += QLatin1Char('/') + subFolder;
            QDir().mkpath(m_folder);
        }
        AppPaths::setProgramFolder(m_folder);
        AppPaths::setWorkingFolder(m_folder);
    }

    ~TestDatabase()
    {
        AppPaths::setProgramFolder({});
        AppPaths::setWorkingFolder({});
    }

    QString folder() const { return m_folder; }

    QString path() const { return m_folder + QStringLiteral("/pel.dll"); }

    Connection& connection()
    {
        if (!m_connection) {
            m_connection = std::make_unique<Connection>(path());
        }
        return *m_connection;
    }

private:
    QTemporaryDir m_dir;
    QString m_folder;
    std::unique_ptr<Connection> m_connection;
};
