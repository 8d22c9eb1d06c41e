#pragma once
// The short click played on mode changes when sound effects are on. Where the
// program was built with Qt Multimedia the compiled-in wave ":/shell/click.wav" is
// played; otherwise the system beep stands in. Playing never blocks and never fails
// loudly: a machine without an audio device simply stays silent. Keep the object in
// a window (the main frame) rather than in a static: the sound effect it makes on the
// first play must go before the application object does.

#include <QString>

#include <memory>

namespace qv {

class ClickSound {
  public:
    ClickSound();
    ~ClickSound();
    ClickSound(const ClickSound&) = delete;
    ClickSound& operator=(const ClickSound&) = delete;

    // Counts the play and, when audible, starts the sound and returns at once.
    void play();

    // How often play() was called: tests check that an action did, or did not, click.
    int playCount() const { return plays_; }
    void resetCount() { plays_ = 0; }

    // An inaudible click is only counted (tests, and a frame that wants to stay quiet).
    void setAudible(bool audible) { audible_ = audible; }
    bool audible() const { return audible_; }

    // Whether this build plays the wave (true) or falls back to the system beep.
    static bool playsWave();
    static QString wavePath() { return QStringLiteral(":/shell/click.wav"); }

  private:
    struct Player;
    std::unique_ptr<Player> player_; // made on the first audible play
    int plays_ = 0;
    bool audible_ = true;
};

} // namespace qv
