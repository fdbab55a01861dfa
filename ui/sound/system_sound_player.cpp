// The sound device's player, over Qt Multimedia's sound effect, which suits
// short uncompressed sounds such as the hourly chime.
#include <QSoundEffect>
#include <QUrl>

#include "ui/sound/sound_player.h"

namespace cv {
namespace {

class TSystemSoundPlayer final : public TSoundPlayer {
public:
    void Play(const std::string& path) override {
        // Loading is asynchronous: the effect starts once the file is read, and
        // a file that cannot be read leaves the effect silent.
        effect_.setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
        effect_.play();
    }

private:
    QSoundEffect effect_;
};

}  // namespace

std::unique_ptr<TSoundPlayer> CreateSystemSoundPlayer() { return std::make_unique<TSystemSoundPlayer>(); }

}  // namespace cv
