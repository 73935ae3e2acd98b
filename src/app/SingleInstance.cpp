// The hand-over protocol: one line, "30501" (a command line waits in the registry) or "front".
#include "app/SingleInstance.h"

#include <unistd.h>
#include <QCryptographicHash>
#include <QLocalSocket>

#include "settings/CommandLine.h"

namespace xelo {

namespace {

constexpr int kConnectMs = 1000;
constexpr char kForward[] = "30501\n";
constexpr char kFront[] = "front\n";

}  // namespace

QString InstanceName(const QString& programPath) {
    // Socket names may not hold "/"; the path's hash keeps one name per program path and user.
    const QByteArray hash =
        QCryptographicHash::hash(programPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("xelo_album-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

CSingleInstance::CSingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

bool CSingleInstance::HandOver(const std::vector<std::string>& arguments,
                               const std::function<void(const std::string&)>& writeCommand) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kConnectMs)) return false;
    if (!arguments.empty()) writeCommand(JoinCommandLine(arguments));
    socket.write(arguments.empty() ? kFront : kForward);
    socket.waitForBytesWritten(kConnectMs);
    // Wait for the running instance to read the line before this process ends.
    socket.waitForReadyRead(kConnectMs);
    socket.disconnectFromServer();
    return true;
}

bool CSingleInstance::Listen(std::function<void()> onForward, std::function<void()> onFront) {
    onForward_ = std::move(onForward);
    onFront_ = std::move(onFront);
    // A socket left by a crashed instance would refuse the name.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(name_)) return false;
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) return;
                const QByteArray line = socket->readLine();
                socket->write("ok\n");
                socket->flush();
                if (line == kForward) {
                    if (onForward_) onForward_();
                } else if (onFront_) {
                    onFront_();
                }
            });
        }
    });
    return true;
}

}  // namespace xelo
