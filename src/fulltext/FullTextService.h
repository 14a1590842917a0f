#pragma once

#include "fulltext/FullTextIndex.h"

#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThread;

namespace FullText {

// The index of the program's database, made ready in the background: a
// current index file is taken as it is, anything else is built anew in a
// thread of its own, at low priority, with its own read-only connection.
class Service : public QObject {
    Q_OBJECT
public:
    enum class State { NotStarted, Building, Ready, Failed };

    Service(QString databasePath, QString cacheFolder, QObject* parent = nullptr);
    // Stops a build under way; see stop().
    ~Service() override;

    void start();
    // Asks a build to stop and waits for it a second at most; a build still
    // busy then (inside one large document) is left to end with the process.
    // No index is ever left under its real name half-written.
    void stop();

    State state() const { return m_state; }
    int percent() const { return m_percent; }
    // Where searches read: the whole index, or while it is built what is
    // built so far; empty when nothing can be searched yet.
    QString target() const;

signals:
    void progress(int percent);
    void stateChanged(FullText::Service::State state);

private:
    void finished(BuildResult result, const IndexHandle& handle);

    // What the build thread shares with the service; it outlives a service
    // destroyed while a build it could not stop goes on.
    struct Shared {
        std::atomic<bool> stop{false};
        QMutex mutex;
        bool alive = true;  // the service still exists
        QString target;
    };

    QString m_database;
    QString m_cache;
    State m_state = State::NotStarted;
    int m_percent = 0;
    QThread* m_thread = nullptr;
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
    IndexHandle m_handle;
};

// Runs queries on the service's index in a thread of its own. Each request
// abandons the one before it, so typing never waits for an earlier query.
class Searcher : public QObject {
    Q_OBJECT
public:
    explicit Searcher(Service& service, QObject* parent = nullptr);
    ~Searcher() override;

    void request(const QString& text, const Filter& filter, int limit = 200);

signals:
    // The results of the latest request; partial: the index was still being built.
    void found(const FullText::Results& results, const QStringList& words, bool partial);

private:
    class Worker;
    Service& m_service;
    QThread* m_thread;
    Worker* m_worker;
    std::atomic<quint64> m_latest{0};
};

} // namespace FullText

Q_DECLARE_METATYPE(FullText::Results)
