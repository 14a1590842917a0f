// Builds a database file from SQL text files.
//
//   selvara_mkdb OUTPUT BASEDIR FILE.sql...
//
// The statements may call readfile('relative/path') to store the bytes of a file
// below BASEDIR (attached documents are kept as files beside the SQL).
// The database is written to a temporary name and renamed at the end, so a
// failed build never leaves a half-filled database behind.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

std::string gBaseDir;

void readFileFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const unsigned char* rel = sqlite3_value_text(argv[0]);
    if (!rel) {
        sqlite3_result_null(ctx);
        return;
    }
    std::string path = gBaseDir + "/" + reinterpret_cast<const char*>(rel);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::string msg = "readfile: cannot open " + path;
        sqlite3_result_error(ctx, msg.c_str(), -1);
        return;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    sqlite3_result_blob64(ctx, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
}

bool runFile(sqlite3* db, const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "mkdb: cannot read " << file << "\n";
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    char* err = nullptr;
    if (sqlite3_exec(db, text.str().c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::cerr << "mkdb: " << file << ": " << (err ? err : "error") << "\n";
        sqlite3_free(err);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: selvara_mkdb OUTPUT BASEDIR FILE.sql...\n";
        return 2;
    }
    const std::string output = argv[1];
    gBaseDir = argv[2];
    const std::string temp = output + ".tmp";
    std::remove(temp.c_str());

    sqlite3* db = nullptr;
    if (sqlite3_open(temp.c_str(), &db) != SQLITE_OK) {
        std::cerr << "mkdb: cannot create " << temp << "\n";
        return 1;
    }
    sqlite3_create_function(db, "readfile", 1, SQLITE_UTF8, nullptr, readFileFunction, nullptr, nullptr);

    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (int i = 3; ok && i < argc; ++i)
        ok = runFile(db, argv[i]);
    if (ok)
        ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (ok)
        ok = sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);

    if (!ok) {
        std::remove(temp.c_str());
        return 1;
    }
    if (std::rename(temp.c_str(), output.c_str()) != 0) {
        std::cerr << "mkdb: cannot rename " << temp << " to " << output << "\n";
        return 1;
    }
    return 0;
}
