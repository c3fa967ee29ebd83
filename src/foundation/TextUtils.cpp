#include "foundation/TextUtils.h"

#include "foundation/UserFolders.h"

#include <dirent.h>
#include <fnmatch.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <limits>

namespace brio {

namespace {

constexpr unsigned char blankLimit = 32;

bool isWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

bool splitFirst(const std::string& text, char separator, std::string& left, std::string& right) {
    size_t at = text.find(separator);
    if (at == std::string::npos) {
        left = text;
        right.clear();
        return false;
    }
    left = text.substr(0, at);
    right = text.substr(at + 1);
    return true;
}

void split(const std::string& text, char separator, Text_& dest) {
    dest.clear();
    size_t start = 0;
    for (;;) {
        size_t at = text.find(separator, start);
        if (at == std::string::npos) break;
        dest.append(text.substr(start, at - start));
        start = at + 1;
    }
    dest.append(text.substr(start));
}

std::string formatInt(int32_t value) {
    return std::to_string(value);
}

std::string formatUnsigned(uint32_t value) {
    return std::to_string(value);
}

int32_t parseInt(const std::string& text) {
    return static_cast<int32_t>(std::clamp<int64_t>(parseInt64(text), std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int64_t parseInt64(const std::string& text) {
    static constexpr int64_t maxMagnitude = 1000000000000000;
    size_t i = 0;
    while (i < text.size() && isWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        // Stop accumulating at the cap so that long digit runs cannot overflow.
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), maxMagnitude);
    }
    return negative ? -magnitude : magnitude;
}

std::string formatBool(bool value) {
    return value ? "true" : "false";
}

bool parseBool(const std::string& text) {
    size_t first = 0;
    size_t end = text.size();
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= blankLimit; };
    while (first < end && blank(text[first])) ++first;
    while (end > first && blank(text[end - 1])) --end;
    return text.compare(first, end - first, "true") == 0;
}

Text_ listFiles(const std::string& pattern, bool sorted) {
    size_t slash = pattern.rfind('/');
    std::string folder = slash == std::string::npos ? std::string(".")
                         : slash == 0                ? std::string("/")
                                                     : pattern.substr(0, slash);
    std::string wildcard = slash == std::string::npos ? pattern : pattern.substr(slash + 1);

    Text_ names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (::fnmatch(wildcard.c_str(), entry->d_name, 0) == 0) names.append(name);
    }
    ::closedir(dir);
    if (sorted) names.sort();
    return names;
}

std::string resolvePath(const std::string& name) {
    if (name.find('/') != std::string::npos) return name;
    return folderPlan().settings + name;
}

const std::string& programFolder() {
    return folderPlan().shipped;
}

const std::string& documentsFolder() {
    return folderPlan().documents;
}

void setProgramFolder(const std::string& folder) {
    if (folder.empty()) {
        forgetFolderPlan();
        return;
    }
    FolderPlan plan;
    plan.shipped = plan.settings = plan.documents = folder.back() == '/' ? folder : folder + '/';
    installFolderPlan(plan);
}

}  // namespace brio
