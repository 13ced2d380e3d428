#include "platform/linux/MediaSoundPlayer.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

void MediaSoundPlayer::play()
{
    if (!QFileInfo::exists(fileName())) {
        stop();
        return;
    }
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        m_player->setAudioOutput(m_output);
        // A file the backend cannot play leaves the player stopped, not stuck.
        connect(m_player, &QMediaPlayer::errorOccurred, m_player, &QMediaPlayer::stop);
    }
    m_player->setSource(QUrl::fromLocalFile(fileName()));
    m_player->play();
}

void MediaSoundPlayer::stop()
{
    if (m_player) {
        m_player->stop();
    }
}
