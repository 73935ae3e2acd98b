// CPortalShortcut: a global key on Wayland through the desktop portal's global-shortcuts
// interface. The desktop binds it (and may ask the user first); presses arrive as a signal.
#pragma once

#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QVariantMap>

namespace xelo {

class CPortalShortcut : public QObject {
    Q_OBJECT

  public:
    explicit CPortalShortcut(QObject* parent = nullptr);
    ~CPortalShortcut() override;

    // Whether the session's portal offers global shortcuts.
    static bool Available();
    // Opens a session and asks for the key `trigger` (a key name such as "F9"); false when the
    // request could not be sent.
    bool Bind(const QString& trigger);
    // Closes the session; the desktop lets the key go.
    void Release();

  signals:
    void activated();

  private slots:
    void OnSessionCreated(uint response, const QVariantMap& results);
    void OnActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);

  private:
    QString trigger_;
    QString session_;
    QString requestPath_;
};

}  // namespace xelo
