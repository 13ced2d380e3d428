#pragma once

#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;

// Plays the alarm sound file once. The media backend is started only when a
// sound is first played, so that start-up stays fast; any failure (missing
// file, no sound device) is silent.
class SoundPlayer : public QObject {
    Q_OBJECT

public:
    explicit SoundPlayer(QObject* parent = nullptr);

    void setFileName(const QString& fileName) { m_fileName = fileName; }

    QString fileName() const { return m_fileName; }

    void play();

private:
    QString m_fileName;
    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_output = nullptr;
};
