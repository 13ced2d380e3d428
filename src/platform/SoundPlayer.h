#pragma once

#include <QObject>
#include <QString>

// Plays the alarm sound file once. Any failure (a missing file, no sound
// device, a file the player cannot decode) is silent: an alarm must still
// flash when it cannot be heard.
class SoundPlayer : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void setFileName(const QString& fileName) { m_fileName = fileName; }

    QString fileName() const { return m_fileName; }

    virtual void play() = 0;
    virtual void stop() = 0;

private:
    QString m_fileName;
};
