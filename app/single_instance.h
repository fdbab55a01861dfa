#pragma once
// One copy of the team workstation per user. The first copy holds a lock on a
// lock file and listens on a local socket beside it, both in a directory of
// the user's own; a later copy finds the lock taken, asks the first one through the
// socket to bring its window to the front, and ends without a window. The lock
// is the system's advisory lock on the open file: it goes with the copy that
// holds it, however that copy ends, and nothing is written or synced to take it.

#include <QLocalServer>
#include <QString>
#include <functional>
#include <memory>

namespace cv {

class TSingleInstance {
public:
    // The names of the lock and of the socket in the runtime directory.
    static constexpr char kInstanceName[] = "Corvantis3Team";
    // How long a later copy waits for the first one to take its request.
    static constexpr int kRequestTimeoutMs = 2000;

    // Dir: where the lock file and the socket live; when empty, the user's
    // runtime directory, or without one "Corvantis3" in the user's cache
    // directory ($XDG_CACHE_HOME, else ~/.cache).
    explicit TSingleInstance(QString dir = {});
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // Takes the lock. True: this is the only copy, and BringToFront runs
    // whenever a later copy asks. False: another copy holds the lock; it has
    // been asked to come to the front (when it can still be reached). A lock
    // file that cannot be made (a directory that cannot be written) counts as
    // no other copy: True, without the lock.
    bool Acquire(std::function<void()> bringToFront);

    QString LockFileName() const;
    QString ServerName() const;

private:
    void Listen();
    void AskFirstCopyToComeForward() const;

    QString dir_;
    int lockFd_ = -1;  // the open lock file while this copy holds the lock
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> bringToFront_;
};

}  // namespace cv
