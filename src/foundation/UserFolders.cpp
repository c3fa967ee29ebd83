#include "foundation/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace brio {

namespace {

constexpr const char* folderName = "brioletta";
constexpr const char* shippedMarker = "styles.cfg";

std::string withSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string homeFolder(const FolderEnvironment& environment) {
    std::string home = environment.variable("HOME");
    if (!home.empty() && home[0] == '/') return withSlash(home);
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && entry->pw_dir[0] == '/') {
        return withSlash(entry->pw_dir);
    }
    return "/tmp/";
}

// An XDG base folder: the variable when it is an absolute path that is a folder or does not
// exist yet, else the default under the home folder (with a message when the variable was set).
std::string xdgBase(const FolderEnvironment& environment, const char* variable, const char* fallback,
                    std::vector<std::string>& problems) {
    const std::string value = environment.variable(variable);
    const std::string standard = homeFolder(environment) + fallback;
    if (value.empty()) return standard;
    struct stat info {};
    const bool exists = ::stat(value.c_str(), &info) == 0;
    if (value[0] == '/' && (!exists || S_ISDIR(info.st_mode))) return withSlash(value);
    problems.push_back(std::string(variable) + " (\"" + value + "\") is not " +
                       (value[0] == '/' ? "a folder" : "an absolute path") + "; " + standard +
                       " is used instead.");
    return standard;
}

}  // namespace

std::string executableFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "./";
    const std::string exe(path, static_cast<size_t>(length));
    return exe.substr(0, exe.rfind('/') + 1);
}

namespace {

std::string processVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

std::optional<FolderPlan>& installedPlan() {
    static std::optional<FolderPlan> plan;
    return plan;
}

}  // namespace

FolderPlan planFolders(const std::string& executableFolder, const FolderEnvironment& environment) {
    FolderPlan plan;
    const std::string own = withSlash(executableFolder);
    const bool shippedBeside = isFile(own + shippedMarker);
    // An installed tree: ".../bin/" beside ".../share/brioletta/".
    const std::string binSuffix = "/bin/";
    const bool inBin = own.size() >= binSuffix.size() &&
                       own.compare(own.size() - binSuffix.size(), binSuffix.size(), binSuffix) == 0;
    const std::string shareFolder =
        inBin ? own.substr(0, own.size() - binSuffix.size() + 1) + "share/" + folderName + "/" : "";
    const bool installed = !shippedBeside && inBin && isFolder(shareFolder);
    plan.shipped = installed ? shareFolder : own;
    plan.portable = !installed && ::access(own.c_str(), W_OK) == 0;
    plan.cache = xdgBase(environment, "XDG_CACHE_HOME", ".cache/", plan.problems) + folderName + "/";
    if (plan.portable) {
        plan.settings = plan.documents = own;
        return plan;
    }
    plan.settings = xdgBase(environment, "XDG_CONFIG_HOME", ".config/", plan.problems) + folderName + "/";
    plan.userData = xdgBase(environment, "XDG_DATA_HOME", ".local/share/", plan.problems) + folderName + "/";
    std::string documents = environment.documentsFolder ? environment.documentsFolder() : "";
    while (!documents.empty() && (documents.back() == '\n' || documents.back() == '\r')) documents.pop_back();
    plan.documents = !documents.empty() && documents[0] == '/' && isFolder(documents)
                         ? withSlash(documents)
                         : homeFolder(environment);
    return plan;
}

bool createFolder(const std::string& folder, std::string& problem) {
    if (folder.empty()) return false;
    std::string partial;
    size_t at = 0;
    while (at != std::string::npos) {
        at = folder.find('/', at + 1);
        partial = folder.substr(0, at);
        if (partial.empty() || isFolder(partial)) continue;
        if (::mkdir(partial.c_str(), 0700) != 0 && !(errno == EEXIST && isFolder(partial))) {
            problem = "The folder " + folder + " cannot be created (" + partial + ": " +
                      std::strerror(errno) + ").";
            return false;
        }
    }
    return true;
}

const FolderPlan& folderPlan() {
    std::optional<FolderPlan>& plan = installedPlan();
    if (!plan) plan = planFolders(executableFolder(), {processVariable, nullptr});
    return *plan;
}

void installFolderPlan(const FolderPlan& plan) { installedPlan() = plan; }

void forgetFolderPlan() { installedPlan().reset(); }

std::string userStylesPath() {
    const FolderPlan& plan = folderPlan();
    return plan.portable || plan.userData.empty() ? std::string() : plan.userData + shippedMarker;
}

}  // namespace brio
