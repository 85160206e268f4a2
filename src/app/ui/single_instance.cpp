#include "app/ui/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLocalSocket>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace korvela {
namespace {

constexpr int kLockWaitMs = 100;
constexpr int kAnswerWaitMs = 2000;
constexpr char kShowRequest[] = "show\n";

// The socket lives in the data folder itself when its path is short enough
// for a socket address, so that every copy finds it whatever its temporary
// folder; otherwise a name derived from the folder in the temporary folder.
QString SocketNameFor(const QString& dataFolder) {
  constexpr int kLongestSocketPath = 100;
  const QString canonical = QFileInfo(dataFolder).canonicalFilePath();
  const QString inFolder = QDir(canonical.isEmpty() ? dataFolder : canonical)
                               .absoluteFilePath(QStringLiteral("korvela.sock"));
  if (inFolder.toLocal8Bit().size() < kLongestSocketPath) return inFolder;
  const QByteArray hash =
      QCryptographicHash::hash((canonical.isEmpty() ? dataFolder : canonical).toUtf8(),
                               QCryptographicHash::Sha256)
          .toHex()
          .left(16);
  return QStringLiteral("korvela-") + QString::fromLatin1(hash);
}

// The lock tells only the kind of its failure; the reason is found by doing
// what it did, making the file and writing to it, and undoing it at once.
std::string WhyNoLockFile(const QString& lockFile, QLockFile::LockError error) {
  const QByteArray name = QFile::encodeName(lockFile);
  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return std::strerror(errno);
  std::string reason;
  const char probe = '\n';
  if (::write(fd, &probe, 1) != 1 || ::fsync(fd) != 0) reason = std::strerror(errno);
  ::close(fd);
  ::unlink(name.constData());
  if (!reason.empty()) return reason;
  return error == QLockFile::PermissionError ? "permission denied" : "the file could not be written";
}

}  // namespace

TSingleInstance::TSingleInstance(const QString& dataFolder)
    : socketName_(SocketNameFor(dataFolder)),
      lock_(QDir(dataFolder).filePath(QStringLiteral("korvela.lock"))) {}

TSingleInstance::~TSingleInstance() = default;

TSingleInstance::TLock TSingleInstance::TryLock() {
  if (lock_.tryLock(kLockWaitMs)) return TLock::Taken;
  if (lock_.error() == QLockFile::LockFailedError) return TLock::HeldByAnotherCopy;
  failure_ = WhyNoLockFile(lock_.fileName(), lock_.error());
  return TLock::Failed;
}

std::string TSingleInstance::LockFile() const { return lock_.fileName().toStdString(); }

void TSingleInstance::Listen(std::function<void()> show) {
  show_ = std::move(show);
  server_ = std::make_unique<QLocalServer>();
  // The lock is ours, so a socket of that name is a leftover of a killed copy.
  QLocalServer::removeServer(socketName_);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socketName_)) return;
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
      QObject::connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
        if (peer->readAll().startsWith("show") && show_) show_();
        peer->write("ok\n");
        peer->flush();
        peer->disconnectFromServer();
      });
      QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
  });
}

bool TSingleInstance::AskRunningCopyToShow() const {
  QLocalSocket socket;
  socket.connectToServer(socketName_);
  if (!socket.waitForConnected(kAnswerWaitMs)) return false;
  socket.write(kShowRequest);
  if (!socket.waitForBytesWritten(kAnswerWaitMs)) return false;
  return socket.waitForReadyRead(kAnswerWaitMs) && socket.readAll().startsWith("ok");
}

}  // namespace korvela
