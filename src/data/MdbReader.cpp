// The Jet reader on libmdb. libmdb reads Jet 3 and 4 files (a database
// password does not stop it); only its reading calls are used here.
#include "data/JetImport.h"

#include <mdbtools.h>

#include <QFile>
#include <QFileInfo>

#include <cstdlib>
#include <vector>

namespace JetImport {

namespace {

// Long memo texts must arrive whole: every bound buffer is this large, but
// only the bytes a value takes are ever touched.
constexpr size_t kBindSize = 8 * 1024 * 1024;

QString damaged(const QString& file)
{
    return QStringLiteral("Το αρχείο «") + file
        + QStringLiteral("» είναι κατεστραμμένο ή ατελές και δεν μπορεί να διαβαστεί ολόκληρο.");
}

bool catalogueIsWhole(MdbHandle* mdb)
{
    // Looked up in the catalogue already read, and its rows counted with no
    // value read: reading a table by name would read the catalogue again.
    MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb, "MSysObjects");
    MdbTableDef* def = entry ? mdb_read_table(entry) : nullptr;
    if (!def)
        return false;
    bool whole = mdb_read_columns(def) != nullptr;
    if (whole) {
        mdb_rewind_table(def);
        guint rows = 0;
        while (mdb_fetch_row(def))
            ++rows;
        whole = rows == def->num_rows;
    }
    mdb_free_tabledef(def);
    return whole;
}

class MdbReader : public Reader {
public:
    MdbReader(MdbHandle* mdb, QString file) : m_mdb(mdb), m_file(std::move(file)) {}
    ~MdbReader() override { mdb_close(m_mdb); }

    QList<Table> tables() override
    {
        QList<Table> result;
        for (guint i = 0; i < m_mdb->num_catalog; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_mdb->catalog, i));
            if (entry->object_type != MDB_TABLE || mdb_is_system_table(entry))
                continue;
            MdbTableDef* def = mdb_read_table(entry);
            if (!def) {
                m_error = damaged(m_file);
                return {};
            }
            if (!mdb_read_columns(def)) {
                mdb_free_tabledef(def);
                m_error = damaged(m_file);
                return {};
            }
            Table t;
            t.name = QString::fromUtf8(entry->object_name);
            t.rows = def->num_rows;
            for (guint c = 0; c < def->num_cols; ++c) {
                auto* col = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, c));
                t.columns << Column{QString::fromUtf8(col->name), static_cast<Kind>(col->col_type)};
            }
            mdb_free_tabledef(def);
            result << t;
        }
        return result;
    }

    bool readRows(const Table& table, const std::function<bool(const Row&)>& take) override
    {
        // Not by mdb_read_table_by_name, which reads the whole catalogue
        // again, with buffers of the bind size for each of its values.
        const QByteArray name = table.name.toUtf8();
        MdbCatalogEntry* entry = nullptr;
        for (guint i = 0; i < m_mdb->num_catalog && !entry; ++i) {
            auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_mdb->catalog, i));
            if (e->object_type == MDB_TABLE && name == e->object_name)
                entry = e;
        }
        MdbTableDef* def = entry ? mdb_read_table(entry) : nullptr;
        if (!def || !mdb_read_columns(def)) {
            if (def)
                mdb_free_tabledef(def);
            m_error = damaged(m_file);
            return false;
        }
        const guint n = def->num_cols;
        std::vector<char*> buffers(n, nullptr);
        std::vector<int> lengths(n, 0);
        for (guint c = 0; c < n; ++c) {
            buffers[c] = static_cast<char*>(std::malloc(kBindSize));
            if (!buffers[c]) {
                for (char* b : buffers)
                    std::free(b);
                mdb_free_tabledef(def);
                m_error = QStringLiteral("Δεν υπάρχει αρκετή μνήμη για την ανάγνωση του αρχείου.");
                return false;
            }
            mdb_bind_column(def, static_cast<int>(c + 1), buffers[c], &lengths[c]);
        }
        mdb_rewind_table(def);
        bool ok = true;
        bool damagedValue = false;
        qint64 count = 0;
        Row row(static_cast<qsizetype>(n));
        std::vector<quint32> stated(n, 0);
        // Some damaged page chains lead back on themselves, and libmdb reads
        // them round for ever: far more rows than the table has is damage.
        const qint64 most = 2 * table.rows + 10000;
        while (ok && mdb_fetch_row(def)) {
            if (++count > most) {
                ok = false;
                damagedValue = true;
                break;
            }
            // Dates and binary values are read from the row's own bytes (a
            // bound binary value ends at its first zero byte), before a long
            // value moves the page buffer on.
            for (guint c = 0; c < n; ++c) {
                auto* col = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, c));
                if (col->col_type == MDB_BOOL) {
                    row[c] = QString::fromLatin1(buffers[c], lengths[c]);
                } else if (col->col_type == MDB_BINARY) {
                    const int size = col->cur_value_len;
                    row[c] = size > 0 && col->cur_value_start >= 0 && col->cur_value_start + size <= static_cast<int>(m_mdb->fmt->pg_size)
                        ? QVariant(QByteArray(reinterpret_cast<const char*>(m_mdb->pg_buf) + col->cur_value_start, size))
                        : QVariant();
                } else if (lengths[c] == 0) {
                    row[c] = QVariant();
                } else if (col->col_type == MDB_DATETIME) {
                    row[c] = mdb_pg_get_double(m_mdb, col->cur_value_start);
                } else if (col->col_type == MDB_OLE) {
                    row[c] = QVariant();  // below
                    // The value's own header says how long it is.
                    if (col->cur_value_len >= 4 && col->cur_value_start >= 0
                        && col->cur_value_start + 4 <= static_cast<int>(m_mdb->fmt->pg_size))
                        stated[c] = static_cast<quint32>(mdb_pg_get_int32(m_mdb, col->cur_value_start)) & 0x3FFFFFFFu;
                } else {
                    row[c] = QString::fromUtf8(buffers[c], lengths[c]);
                }
            }
            for (guint c = 0; c < n; ++c) {
                auto* col = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, c));
                if (lengths[c] == 0)
                    continue;
                if (col->col_type == MDB_OLE) {
                    size_t size = 0;
                    void* bytes = mdb_ole_read_full(m_mdb, col, &size);
                    row[c] = QByteArray(static_cast<const char*>(bytes), static_cast<qsizetype>(bytes ? size : 0));
                    std::free(bytes);
                    // A broken chain of pages gives less or more without a word.
                    if (stated[c] != size) {
                        ok = false;
                        damagedValue = true;
                    }
                }
            }
            if (ok)
                ok = take(row);
        }
        for (char* b : buffers)
            std::free(b);
        mdb_free_tabledef(def);
        if (damagedValue)
            m_error = damaged(m_file);
        if (!ok)
            return false;
        // A file cut short ends its tables early without a word from libmdb.
        if (count < table.rows) {
            m_error = damaged(m_file);
            return false;
        }
        return true;
    }

    QString error() const override { return m_error; }

private:
    MdbHandle* m_mdb;
    QString m_file;
    QString m_error;
};

} // namespace

std::unique_ptr<Reader> OpenJetFile(const QString& path, QString* message)
{
    const QString shown = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile()) {
        *message = QStringLiteral("Δεν βρέθηκε το αρχείο «") + path + QStringLiteral("».");
        return nullptr;
    }
    if (!IsJetFile(path)) {
        *message = QStringLiteral("Το αρχείο «") + shown + QStringLiteral("» δεν είναι βάση δεδομένων Access (Jet).");
        return nullptr;
    }
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    f.seek(0x14);
    const QByteArray version = f.read(1);
    const qint64 page = version.isEmpty() || version[0] == 0 ? 2048 : 4096;
    // Whole pages, and at least the header page and the catalogue's.
    if (f.size() % page != 0 || f.size() < 3 * page) {
        *message = damaged(shown);
        return nullptr;
    }
    f.close();
    MdbHandle* mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!mdb) {
        *message = damaged(shown);
        return nullptr;
    }
    mdb_set_boolean_fmt_numbers(mdb);
    // A lost page of the catalogue drops the tables it listed without a word
    // from libmdb: the catalogue's own header says how many objects it holds.
    if (!mdb_read_catalog(mdb, MDB_TABLE) || !catalogueIsWhole(mdb)) {
        mdb_close(mdb);
        *message = damaged(shown);
        return nullptr;
    }
    // Set only now: libmdb takes a buffer of the bind size for every value
    // the catalogue holds, and would ask for gigabytes of address space.
    mdb_set_bind_size(mdb, kBindSize);
    return std::make_unique<MdbReader>(mdb, shown);
}

} // namespace JetImport
