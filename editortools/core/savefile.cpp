// Whole-file reading and atomic writing.
#include "core/savefile.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace {

QString qtpath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string LoadFile(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return "";
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return in.bad() ? "" : all.str();
}

bool SaveFile(const std::string& path, const std::string& text) {
    if (path.empty()) return false;
    QSaveFile file(qtpath(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
    struct stat st {};
    if (from.empty() || ::stat(from.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    std::ifstream in(from, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) return false;
    return SaveFile(to, all.str());
}

std::string SaveCopyAside(const std::string& path, const std::string& text) {
    for (int n = 0; n < 1000; ++n) {
        std::string copy = path + ".bad" + (n ? std::to_string(n) : "");
        if (exists(copy)) continue;
        return SaveFile(copy, text) ? copy : "";
    }
    return "";
}
