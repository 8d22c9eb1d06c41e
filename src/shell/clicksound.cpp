#include "shell/clicksound.h"

#include <QApplication>

#ifdef QUAVERLY_HAVE_MULTIMEDIA
#include <QSoundEffect>
#include <QUrl>
#endif

namespace qv {

#ifdef QUAVERLY_HAVE_MULTIMEDIA

// The effect loads the wave once and keeps it decoded, so later clicks start at once.
struct ClickSound::Player {
    QSoundEffect effect;
    Player() { effect.setSource(QUrl(QStringLiteral("qrc") + ClickSound::wavePath())); }
    // A failed load (no audio device, no back end) leaves the effect in its error
    // state; playing it then does nothing, which is what we want.
    void play() { effect.play(); }
};

bool ClickSound::playsWave() {
    return true;
}

#else

struct ClickSound::Player {
    void play() { QApplication::beep(); }
};

bool ClickSound::playsWave() {
    return false;
}

#endif

ClickSound::ClickSound() = default;
ClickSound::~ClickSound() = default;

void ClickSound::play() {
    ++plays_;
    // Both the effect and the beep need the application's platform and event loop.
    if (!audible_ || !QCoreApplication::instance()) return;
    if (!player_) player_ = std::make_unique<Player>();
    player_->play();
}

} // namespace qv
