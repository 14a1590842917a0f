#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

// A later start of the program asks the running one to bring its window
// forward, through a local socket of the user's own (the instance lock
// itself stays as it is).
class InstanceWaker : public QObject {
    Q_OBJECT
public:
    // key: one per user and program file.
    explicit InstanceWaker(QString key, QObject* parent = nullptr);
    ~InstanceWaker() override;

    // Listens for later starts; onWake runs for each. False when the socket
    // cannot be made (the program then simply runs without it).
    bool listen(std::function<void()> onWake);
    // Asks the instance listening under the key to come forward; false when
    // none answered.
    bool wake(int timeoutMs = 1000) const;

    // The key for this user and program file.
    static QString KeyFor(const QString& programFile, const QString& user);

private:
    QString m_key;
    QLocalServer* m_server = nullptr;
    std::function<void()> m_onWake;
};
