#include "SoundPlayer.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

SoundPlayer::SoundPlayer(QObject* parent)
    : QObject(parent)
{
}

void SoundPlayer::play()
{
    if (!QFileInfo::exists(m_fileName)) {
        return;
    }
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        m_player->setAudioOutput(m_output);
    }
    m_player->setSource(QUrl::fromLocalFile(m_fileName));
    m_player->play();
}
