#pragma once

#include <QIODevice>
#include <QString>

// The one way the program writes a file: the bytes go to a temporary file
// beside the target, every write must take its whole count, the data must
// reach the disk (flush and sync), and only then is the temporary file renamed
// over the target. Any failure removes the temporary file, so the old file
// stays whole: a full disk never leaves a short file with a success report.
class AtomicFile : public QIODevice {
    Q_OBJECT

public:
    explicit AtomicFile(QString path);
    ~AtomicFile() override; // not committed: cancelled

    QString fileName() const { return m_path; }

    // Opens the temporary file for writing; false with errorString() set.
    bool open();
    // Syncs, closes and renames into place; false (old file kept) after any failure.
    bool commit();
    void cancel();

    bool isSequential() const override { return true; }

    // Writes bytes to path whole; false with the reason in *error.
    static bool writeAll(const QString& path, const QByteArray& bytes, QString* error = nullptr);

    // Test seam: faults the next files meet, as a full disk or a failing device would.
    struct Fault {
        qint64 writableBytes = -1; // the disk is full after so many bytes of a file (-1: never)
        bool failSync = false;
    };

    static void setFault(const Fault& fault);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool fail(int error);
    void closeHandle();

    QString m_path;
    QString m_temporary;
    int m_fd = -1;
    qint64 m_written = 0;
    bool m_failed = false;
};
