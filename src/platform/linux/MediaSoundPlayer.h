#pragma once

#include "platform/SoundPlayer.h"

class QAudioOutput;
class QMediaPlayer;

// The sound through Qt Multimedia. The media backend is started only when a
// sound is first played, so that start-up stays fast.
class MediaSoundPlayer : public SoundPlayer {
    Q_OBJECT

public:
    using SoundPlayer::SoundPlayer;

    void play() override;
    void stop() override;

private:
    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_output = nullptr;
};
