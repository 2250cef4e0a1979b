#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "standin/Json.h"
#include "standin/Sqlite.h"

namespace standin {

// A refusal that the client shows to the user: answered with HTTP 200 and
// the envelope {"code": code, "msg": msg}.
struct Refusal {
    std::string code, msg;
};

// A request that names something that does not exist or carries values the
// service cannot use: answered with a 4xx status and a failure envelope.
struct BadRequest {
    int status;
    std::string msg;
};

struct LoanGrant {
    std::string idBaca;
    int pageIndex = 0;
    bool hasAnnotation = false;
    int rate = 0;
};

struct UploadedFile {
    std::string fileName, contentType, bytes;
};

// Everything the service keeps, in one SQLite file of the state folder. One
// lock serialises access; the handlers are short.
class Store {
public:
    Store(const std::string& path, bool reset);

    // The partner configuration's "data".
    Json partner(const std::string& clientId, const std::string& base);

    // Sessions.
    std::optional<Json> login(const std::string& user, const std::string& pass,
                              const std::string& uuid);
    bool sessionLive(const std::string& userId, const std::string& key, const std::string& uuid,
                     const std::string& level);
    void logout(const std::string& userId);

    // Catalogue; `base` is the service address used in complete addresses.
    Json banners();
    Json departments();
    Json homeSections(int page, int limit, int& count);
    Json sectionBooks(const std::string& idHomepage, int page);
    Json categoryBooks(const std::string& idDept, const std::string& idKategori);
    Json subCategoryBooks(const std::string& idDept, const std::string& idSubKategori);
    Json chart(const std::string& kind, const std::string& userId, int page);
    Json detail(const std::string& idKonten, const std::string& userId, const std::string& base);
    Json search(const std::string& field, const std::string& keyword, int page, int& totalRows);
    Json searchSentence(const std::string& keyword, int page, int& totalRows);

    // Loans and what comes back with a return.
    LoanGrant requestLoan(const std::string& userId, const std::string& idKonten);
    void returnBook(const std::string& userId, const std::string& idBaca,
                    const std::string& idKonten, int pageIndex);
    void updateReadStatus(const std::string& userId, const std::string& idBaca, int status);
    void saveAnnotation(const std::string& userId, const std::string& idKonten,
                        const std::string& document);
    std::optional<std::string> annotation(const std::string& userId, const std::string& idKonten);
    void saveCopyText(const std::string& userId, const std::string& idKonten,
                      const std::string& document);
    int stock(const std::string& idKonten);

    // Accounts.
    Json regions(const std::string& level, const std::string& parent);
    void registerMember(const Json& record, const UploadedFile& identity, const UploadedFile& photo,
                        const std::string& uploadFolder);
    void passwordReset(const std::string& username);

private:
    void createSchema();
    void seed();
    void seedPartner();
    bool bookExists(const std::string& idKonten);

    std::mutex mutex_;
    Database db_;
};

bool isWellFormedEmail(const std::string& text);
bool isStrongPassword(const std::string& text);
// Decimal digits only, at most 9 of them.
bool isIdentifier(const std::string& text);

} // namespace standin
