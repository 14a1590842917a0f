#include "fulltext/FullTextService.h"

#include "fulltext/GreekTokenizer.h"

#include <QMetaObject>
#include <QMutexLocker>
#include <QThread>

#include <sqlite3.h>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace FullText {

Service::Service(QString databasePath, QString cacheFolder, QObject* parent)
    : QObject(parent), m_database(std::move(databasePath)), m_cache(std::move(cacheFolder))
{
    qRegisterMetaType<FullText::Results>();
}

Service::~Service()
{
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->alive = false;
    }
    stop();
}

QString Service::target() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->target;
}

void Service::start()
{
    if (m_state == State::Building || m_state == State::Ready)
        return;
    m_state = State::Building;
    m_shared->stop = false;
    emit stateChanged(m_state);
    // Everything the thread reaches of the service goes through `shared`,
    // and through `self` only while the service is alive.
    m_thread = QThread::create([self = this, shared = m_shared, database = m_database, cache = m_cache] {
#ifdef Q_OS_LINUX
        // Qt's thread priorities do not reach the ordinary Linux scheduler;
        // a nice value for this thread alone does.
        setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
#endif
        const auto post = [&](auto call) {
            QMutexLocker lock(&shared->mutex);
            if (shared->alive)
                QMetaObject::invokeMethod(self, call);
        };
        BuildHooks hooks;
        hooks.progress = [&](qint64 done, qint64 total) {
            const int percent = total > 0 ? static_cast<int>(std::min<qint64>(99, done * 100 / total)) : 0;
            post([self, percent] {
                self->m_percent = percent;
                emit self->progress(percent);
            });
        };
        hooks.searchable = [&](const QString& partial) {
            QMutexLocker lock(&shared->mutex);
            shared->target = partial;
        };
        IndexHandle handle;
        const BuildResult result = PrepareIndex(database, cache, shared->stop, hooks, &handle);
        post([self, result, handle] { self->finished(result, handle); });
    });
    m_thread->start(QThread::LowestPriority);
}

void Service::finished(BuildResult result, const IndexHandle& handle)
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
    }
    m_handle = handle;
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->target = result == BuildResult::Built ? handle.target : QString();
    }
    m_state = result == BuildResult::Built ? State::Ready : State::Failed;
    if (m_state == State::Ready) {
        m_percent = 100;
        emit progress(100);
    }
    emit stateChanged(m_state);
}

void Service::stop()
{
    if (!m_thread)
        return;
    m_shared->stop = true;
    if (m_thread->wait(1000)) {
        delete m_thread;
    } else {
        // Destroying a running thread would end the process at once; it
        // ends with the process instead, its part file never renamed.
        QObject::connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    }
    m_thread = nullptr;
    m_state = State::Failed;
}

// Lives in the searcher's thread; holds its own connection to the index.
class Searcher::Worker : public QObject {
public:
    explicit Worker(Searcher& owner) : m_owner(owner) {}
    ~Worker() override { close(); }

    void run(quint64 generation, const QString& text, const Filter& filter, int limit)
    {
        if (generation != m_owner.m_latest)
            return;  // typed over already
        const Service::State state = m_owner.m_service.state();
        const QString target = m_owner.m_service.target();
        if (target != m_target) {
            close();
            if (!target.isEmpty()) {
                QMutexLocker lock(&m_mutex);
                m_db = OpenIndex(target, true);
                m_target = target;
            }
        }
        Results results;
        const Query query = m_db ? ParseQuery(text, m_stemmer, IndexExpander(m_db.get())) : ParseQuery(text, m_stemmer);
        if (m_db)
            results = Search(m_db.get(), query, filter, limit, m_stemmer);
        if (generation != m_owner.m_latest || results.interrupted)
            return;
        emit m_owner.found(results, query.words, state != Service::State::Ready);
    }

    void interrupt()
    {
        QMutexLocker lock(&m_mutex);
        if (m_db)
            sqlite3_interrupt(m_db.get());
    }

private:
    void close()
    {
        QMutexLocker lock(&m_mutex);
        m_db.reset();
        m_target.clear();
    }

    Searcher& m_owner;
    WordStemmer m_stemmer;
    QMutex m_mutex;  // the connection, against an interrupt from another thread
    std::shared_ptr<sqlite3> m_db;
    QString m_target;
};

Searcher::Searcher(Service& service, QObject* parent)
    : QObject(parent), m_service(service), m_thread(new QThread), m_worker(new Worker(*this))
{
    m_worker->moveToThread(m_thread);
    m_thread->start();
}

Searcher::~Searcher()
{
    ++m_latest;
    m_worker->interrupt();
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { delete worker; });
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

void Searcher::request(const QString& text, const Filter& filter, int limit)
{
    const quint64 generation = ++m_latest;
    m_worker->interrupt();
    QMetaObject::invokeMethod(m_worker, [this, generation, text, filter, limit] {
        m_worker->run(generation, text, filter, limit);
    });
}

} // namespace FullText
