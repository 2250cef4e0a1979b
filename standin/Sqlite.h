#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace standin {

struct SqliteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Database {
public:
    explicit Database(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const std::string& sql);
    int64_t lastInsertId() const;
    int changes() const;
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// One prepared statement; bind by 1-based position, step, read columns by
// 0-based position.
class Statement {
public:
    Statement(Database& db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, const std::string& value);
    template <std::integral T> Statement& bind(int index, T value) {
        return bindInteger(index, static_cast<int64_t>(value));
    }
    Statement& bind(int index, const char* value) { return bind(index, std::string(value)); }
    Statement& bindNull(int index);

    // true while a row is available.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();

    std::string text(int column) const;
    int64_t integer(int column) const;
    bool isNull(int column) const;

private:
    Statement& bindInteger(int index, int64_t value);

    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Commits at the end of scope unless an exception is in flight.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Statement& bindInteger(int index, int64_t value);

    Database& db_;
    bool done_ = false;
};

} // namespace standin
