// Start-up and shut-down of the service client: device id, data folder,
// viewer assets and the partner configuration.
#include "service/SawiraLib.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "service/AppConstants.h"
#include "service/DataFolder.h"
#include "service/DeviceId.h"
#include "service/Envelope.h"
#include "service/StyleSheetPatch.h"
#include "service/ZipUnpack.h"
#include "assets/ViewerZip.h"

namespace fs = std::filesystem;

namespace sumberlaras {
namespace {

bool entryExists(const std::string& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw std::runtime_error("Cannot read " + path);
    return text.str();
}

void writeWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("Cannot write " + path);
}

} // namespace

TSawiraLib::TSawiraLib(Dialogs& dialogs) : TSawiraLib(dialogs, SawiraLibOptions{}) {}

TSawiraLib::TSawiraLib(Dialogs& dialogs, SawiraLibOptions options)
    : dialogs_(dialogs), options_(std::move(options)) {
    transport_ = options_.transport ? *options_.transport : TransportConfig::fromEnvironment();
    DevUUID = options_.deviceId ? *options_.deviceId : deviceIdentifier();
    checkDataFolder();
}

TSawiraLib::~TSawiraLib() {
    if (!FPath.empty() && entryExists(FPath))
        DeleteDirectory(FPath); // silent, as at start
    releaseSlots();
}

void TSawiraLib::releaseSlots() {
    for (JsonSlot* slot :
         {&FClientJson, &FUserJson, &FBannerJson, &FCategoryJson, &FHomeContentJson,
          &FHomeDetailJson, &FCategoryContentJson, &FSubCategoryContentJson, &FChartContentJson,
          &FDetailContentJson, &FSearchContentJson, &FReadPermissionJson})
        slot->clear();
}

const std::string& TSawiraLib::baseUrl() const {
    return transport_.baseUrl;
}

std::string TSawiraLib::dataFile(const std::string& name) const {
    return FPath + "/" + name;
}

void TSawiraLib::checkDataFolder() {
    try {
        const std::string root = options_.dataRoot.empty() ? platformDataRoot() : options_.dataRoot;
        if (root.empty())
            throw std::runtime_error("The application data folder of this user is unknown");
        FPath = root + "/" + appCode();

        if (entryExists(FPath)) {
            std::string why;
            if (!DeleteDirectory(FPath, &why))
                throw std::runtime_error(why);
        }
        if (fs::is_directory(FPath))
            return;
        // ~/.local/share need not exist yet on a fresh account.
        fs::create_directories(root);
        fs::create_directory(FPath);

        const std::string zipFile = dataFile("view.zip");
        std::string copyFailure;
        try {
            const std::string_view archive =
                options_.viewerArchive ? options_.viewerArchive() : viewerZip();
            writeWholeFile(zipFile, std::string(archive));
        } catch (const std::exception& e) {
            copyFailure = e.what();
        }
        try {
            unzipViewerFile(FPath, zipFile);
        } catch (const std::exception& e) {
            throw std::runtime_error(copyFailure.empty() ? e.what() : copyFailure);
        }
        if (!copyFailure.empty())
            throw std::runtime_error(copyFailure);
    } catch (const std::exception& e) {
        dialogs_.error(std::string("Error Exception #2857: ") + e.what());
    }
}

void TSawiraLib::unzipViewerFile(const std::string& BaseDir, const std::string& FileName) {
    struct RemoveOnExit {
        const std::string& file;
        ~RemoveOnExit() {
            std::error_code ec;
            fs::remove(file, ec);
        }
    } removeArchive{FileName};
    UnpackLimits limits;
    limits.maxTotalBytes = options_.maxUnpackedBytes;
    unpackZipFile(BaseDir, FileName, limits);
}

bool TSawiraLib::DeleteDirectory(const std::string& DirName, std::string* why) {
    const std::string refusal = refusalToDelete(DirName, FPath, appCode());
    if (!refusal.empty()) {
        if (why)
            *why = refusal;
        return false;
    }
    try {
        removeTree(DirName);
        return true;
    } catch (const std::exception& e) {
        if (why)
            *why = e.what();
        return false;
    }
}

Json TSawiraLib::getClientJson() {
    const std::string prefix = "#355 ";
    try {
        HttpRequest request;
        request.url = baseUrl() + "/api/wl/mitra";
        request.headers = {{"CLIENTID", clientId()}, {"OS", "WIN"}, {"UUID", DevUUID}};
        Json answer = send(std::move(request), prefix);
        if (answerCode(answer) != "500") {
            const std::string sheet = dataFile("css/style.css");
            const Json data = answer.contains("data") ? answer["data"] : Json();
            writeWholeFile(sheet, patchStyleSheet(readWholeFile(sheet),
                                                  readText(data, "warna_button_login"),
                                                  readText(data, "warna_hover_button_login")));
        }
        FClientJson.store(answer);
        return answer;
    } catch (const std::exception& e) {
        Json envelope = failureEnvelope(prefix, e.what());
        FClientJson.store(envelope);
        return envelope;
    }
}

} // namespace sumberlaras
