// The HKEY_CURRENT_USER hive in one file of registry export text, saved at every change through
// the atomic replacement of replacefile.h.
#include "registrystore.h"

#include "registrykey.h"
#include "registrytext.h"
#include "replacefile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// Makes the missing folders of a file's path, mode 0700.
void makeparents(const std::string& file) {
    for (size_t slash = file.find('/', 1); slash != std::string::npos; slash = file.find('/', slash + 1))
        ::mkdir(file.substr(0, slash).c_str(), 0700);
}

// Replaces the file (a symbolic link's target) with text; the old file stays when this fails.
// Only a regular file is replaced: something else that took the store's place is left alone.
bool replacestorefile(const std::string& name, const std::string& text) {
    struct stat st {};
    bool exists = ::stat(name.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return false;
    if (!exists) makeparents(name);
    return replacefile(name, wholetext(text)).outcome == replaceoutcome::replaced;
}

// The file's bytes; false with why when it exists but cannot be read as a regular file.
bool readstorefile(const std::string& path, std::string& text, bool& missing, std::string& why) {
    missing = false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        missing = errno == ENOENT || errno == ENOTDIR;
        why = std::strerror(errno);
        return missing;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (!ok) why = "not a regular file";
    char chunk[65536];
    while (ok) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            text.append(chunk, static_cast<size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            why = std::strerror(errno);
            ok = false;
        }
    }
    ::close(fd);
    return ok;
}

bool validkeypath(const std::vector<std::string_view>& parts) {
    if (parts.size() > registrymaxdepth) return false;
    for (std::string_view part : parts)
        if (!storablename(part)) return false;
    return true;
}

std::string joinpath(std::string folder, const std::string& rest) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + rest;
}

std::string homefolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    const passwd* user = ::getpwuid(::getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

}  // namespace

registrystore::registrystore(std::string path) : filepath(std::move(path)), root(std::make_unique<registrykey>()) {
    std::string text;
    bool missing = false;
    if (!readstorefile(filepath, text, missing, error)) {
        error = filepath + ": " + error;
    } else if (!missing && !text.empty() && !parseregistrytext(text, *root, otherroots, error)) {
        error = filepath + ": " + error;
    } else {
        error.clear();
    }
    if (!error.empty()) {
        root = std::make_unique<registrykey>();
        otherroots.clear();
    }
}

registrystore::~registrystore() = default;
registrystore::registrystore(registrystore&&) noexcept = default;
registrystore& registrystore::operator=(registrystore&&) noexcept = default;

const std::string& registrystore::path() const { return filepath; }
bool registrystore::usable() const { return error.empty(); }
const std::string& registrystore::loaderror() const { return error; }

const registrykey* registrystore::findkey(const std::string& key) const {
    const registrykey* at = root.get();
    for (std::string_view part : splitkeypath(key))
        if (!(at = at->subkey(part))) return nullptr;
    return at;
}

registrykey* registrystore::findkey(const std::string& key) {
    return const_cast<registrykey*>(std::as_const(*this).findkey(key));
}

long registrystore::changeable() const { return usable() ? registryok : registryaccessdenied; }

bool registrystore::save() const { return replacestorefile(filepath, registrytext(*root, otherroots)); }

namespace {

// The keys of a path, made where missing; undo() takes back what was made.
struct madekeys {
    registrykey* key = nullptr;
    registrykey* parentoffirst = nullptr;  // null when nothing was made
    std::string first;

    madekeys(registrykey& root, const std::vector<std::string_view>& parts) : key(&root) {
        for (std::string_view part : parts) {
            registrykey* next = key->subkey(part);
            if (!next) {
                if (!parentoffirst) {
                    parentoffirst = key;
                    first = foldname(part);
                }
                next = &key->addsubkey(part);
            }
            key = next;
        }
    }
    bool made() const { return parentoffirst != nullptr; }
    void undo() {
        if (parentoffirst) parentoffirst->subkeys.erase(first);
    }
};

}  // namespace

long registrystore::openkey(const std::string& key) const { return findkey(key) ? registryok : registrynotfound; }

long registrystore::createkey(const std::string& key) {
    if (long status = changeable()) return status;
    std::vector<std::string_view> parts = splitkeypath(key);
    if (!validkeypath(parts)) return registryinvalidparameter;
    madekeys keys(*root, parts);
    if (!keys.made() || save()) return registryok;
    keys.undo();
    return registrywritefault;
}

long registrystore::deletekey(const std::string& key) {
    if (long status = changeable()) return status;
    std::vector<std::string_view> parts = splitkeypath(key);
    if (parts.empty()) return registryaccessdenied;  // the root stays
    registrykey* parent = root.get();
    for (size_t i = 0; parent && i + 1 < parts.size(); ++i) parent = parent->subkey(parts[i]);
    registrykey* doomed = parent ? parent->subkey(parts.back()) : nullptr;
    if (!doomed) return registrynotfound;
    if (!doomed->subkeys.empty()) return registryaccessdenied;
    auto removed = parent->subkeys.extract(foldname(parts.back()));
    if (save()) return registryok;
    parent->subkeys.insert(std::move(removed));
    return registrywritefault;
}

long registrystore::queryvalue(const std::string& key, const std::string& name, registryvalue& out) const {
    const registrykey* at = findkey(key);
    const registryvalue* value = at ? at->value(name) : nullptr;
    if (!value) return registrynotfound;
    out = *value;
    return registryok;
}

long registrystore::setvalue(const std::string& key, const std::string& name, const registryvalue& value) {
    if (long status = changeable()) return status;
    std::vector<std::string_view> parts = splitkeypath(key);
    if (!validkeypath(parts) || !storablename(name)) return registryinvalidparameter;
    madekeys keys(*root, parts);
    registrykey& at = *keys.key;
    size_t position = at.valueposition(name);
    bool existed = position < at.values.size();
    if (existed && at.values[position].second.type == value.type && at.values[position].second.data == value.data)
        return registryok;
    registryvalue old = existed ? at.values[position].second : registryvalue();
    at.setvalue(name, value);
    if (save()) return registryok;
    if (existed) at.values[position].second = std::move(old);
    else at.erasevalue(position);
    keys.undo();
    return registrywritefault;
}

long registrystore::deletevalue(const std::string& key, const std::string& name) {
    if (long status = changeable()) return status;
    registrykey* at = findkey(key);
    size_t position = at ? at->valueposition(name) : 0;
    if (!at || position == at->values.size()) return registrynotfound;
    auto removed = at->values[position];
    at->erasevalue(position);
    if (save()) return registryok;
    at->insertvalue(position, std::move(removed.first), std::move(removed.second));
    return registrywritefault;
}

long registrystore::subkeys(const std::string& key, std::vector<std::string>& names) const {
    names.clear();
    const registrykey* at = findkey(key);
    if (!at) return registrynotfound;
    for (const auto& [folded, sub] : at->subkeys) names.push_back(sub->name);
    return registryok;
}

long registrystore::valuenames(const std::string& key, std::vector<std::string>& names) const {
    names.clear();
    const registrykey* at = findkey(key);
    if (!at) return registrynotfound;
    for (const auto& [name, value] : at->values) names.push_back(name);
    return registryok;
}

std::string registrystorepath() {
    const char* named = std::getenv("TOLVANE_REGISTRY");
    if (named && *named) return named;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder = config && *config ? config : joinpath(homefolder(), ".config");
    return joinpath(folder, "tolvane/registry.reg");
}
