// One running instance per program path: the first start listens on a local socket named from
// the executable's path; a later start hands its command line over and ends.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <functional>
#include <string>
#include <vector>

namespace xelo {

class Registry;

// The socket name for a program path.
QString InstanceName(const QString& programPath);

class CSingleInstance : public QObject {
    Q_OBJECT

  public:
    explicit CSingleInstance(QString name, QObject* parent = nullptr);

    // True when another instance took the hand-over: with arguments it was told to re-target
    // itself (they are in "Strings" / "Command"); without, to come to the front.
    // `writeCommand` stores the command line before the running instance is told.
    bool HandOver(const std::vector<std::string>& arguments,
                  const std::function<void(const std::string&)>& writeCommand);
    // Starts listening; `onForward` runs for a forwarded command line, `onFront` for a bare start.
    bool Listen(std::function<void()> onForward, std::function<void()> onFront);

  private:
    QString name_;
    QLocalServer server_;
    std::function<void()> onForward_;
    std::function<void()> onFront_;
};

}  // namespace xelo
