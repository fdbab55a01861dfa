#include "app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>

namespace cv {
namespace {

// The one request a later copy sends.
constexpr char kFrontRequest[] = "front\n";

constexpr char kPerUserDirName[] = "Corvantis3";

// The user's runtime directory when the session names one; else a directory
// of the user's own cache, never one that every user of the machine shares
// (another user's lock there would keep this user's copy from starting).
QString DefaultDir() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty()) return runtime;
    }
    const QString dir = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
                            .filePath(QString::fromLatin1(kPerUserDirName));
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return dir;
}

}  // namespace

TSingleInstance::TSingleInstance(QString dir) : dir_(dir.isEmpty() ? DefaultDir() : std::move(dir)) {}

TSingleInstance::~TSingleInstance() {
    if (server_) server_->close();
    if (lockFd_ >= 0) ::close(lockFd_);
}

QString TSingleInstance::LockFileName() const {
    return QDir(dir_).filePath(QString::fromLatin1(kInstanceName) + QStringLiteral(".lock"));
}

QString TSingleInstance::ServerName() const {
    return QDir(dir_).filePath(QString::fromLatin1(kInstanceName) + QStringLiteral(".socket"));
}

bool TSingleInstance::Acquire(std::function<void()> bringToFront) {
    // A lock file left by a copy that died holds no lock and is taken over;
    // a running copy's lock never goes stale with age, however long it runs.
    const QByteArray name = QFile::encodeName(LockFileName());
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // A lock file that cannot be made tells of no other copy: this one runs
    // unguarded rather than end without a word.
    if (fd < 0) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        AskFirstCopyToComeForward();
        return false;
    }
    lockFd_ = fd;
    bringToFront_ = std::move(bringToFront);
    Listen();
    return true;
}

void TSingleInstance::Listen() {
    // We hold the lock, so a socket file left behind is a dead copy's.
    QLocalServer::removeServer(ServerName());
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(server_.get(), &QLocalServer::newConnection, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (socket->readAll().startsWith(kFrontRequest) && bringToFront_) bringToFront_();
                socket->disconnectFromServer();
            });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    // Without the socket the program still runs alone; later copies just end.
    server_->listen(ServerName());
}

void TSingleInstance::AskFirstCopyToComeForward() const {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(kRequestTimeoutMs)) return;
    socket.write(kFrontRequest);
    socket.waitForBytesWritten(kRequestTimeoutMs);
    socket.waitForDisconnected(kRequestTimeoutMs);
}

}  // namespace cv
