#pragma once
// Playing a sound file: the interface through which the program chimes, so
// that tests can put a recorder in place of the loudspeaker.

#include <memory>
#include <string>

namespace cv {

class TSoundPlayer {
public:
    virtual ~TSoundPlayer() = default;
    // Starts playing the sound file at Path and returns at once. A missing or
    // unplayable file, or a machine without sound, plays nothing and says
    // nothing.
    virtual void Play(const std::string& path) = 0;
};

// The player that goes to the sound device.
std::unique_ptr<TSoundPlayer> CreateSystemSoundPlayer();

}  // namespace cv
