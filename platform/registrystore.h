// platform/registrystore.h — the HKEY_CURRENT_USER hive kept in one file, in registry export text.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Windows registry type numbers.
enum registrytype : uint32_t {
    regnone = 0,
    regsz = 1,
    regexpandsz = 2,
    regbinary = 3,
    regdword = 4,
    regmultisz = 7,
    regqword = 11
};
// Windows result codes the store gives.
constexpr long registryok = 0, registrynotfound = 2, registryaccessdenied = 5, registrywritefault = 29;
// A key or value name the file cannot hold (control bytes, not UTF-8, a key path deeper than
// registrymaxdepth).
constexpr long registryinvalidparameter = 87;
constexpr size_t registrymaxdepth = 512;

struct registryvalue {
    uint32_t type = regnone;
    std::string data;  // the bytes as Windows keeps them: REG_SZ with its terminating zero,
                       // REG_DWORD 4 bytes and REG_QWORD 8 bytes little-endian
};

struct registrykey;

class registrystore {
public:
    // Reads the file now. A missing file is an empty store. A file that cannot be parsed makes
    // the store unusable: reads see an empty registry, every change fails with
    // registryaccessdenied, and the file is never overwritten.
    explicit registrystore(std::string path);
    ~registrystore();
    registrystore(registrystore&&) noexcept;
    registrystore& operator=(registrystore&&) noexcept;

    const std::string& path() const;
    bool usable() const;
    const std::string& loaderror() const;  // why the file could not be parsed, else ""

    // Key paths are relative to HKEY_CURRENT_USER, joined with "\"; "" is the root itself;
    // a trailing "\" is ignored; key and value names compare case-insensitively (ASCII) and
    // keep the case they were created with.
    long openkey(const std::string& key) const;  // registryok or registrynotfound
    long createkey(const std::string& key);      // makes the parents too; saved at once
    long deletekey(const std::string& key);      // registryaccessdenied when it has subkeys
    long queryvalue(const std::string& key, const std::string& name, registryvalue& out) const;
    // Creates the key when missing and saves at once; a failed save undoes the change and
    // gives registrywritefault.
    long setvalue(const std::string& key, const std::string& name, const registryvalue& value);
    long deletevalue(const std::string& key, const std::string& name);
    long subkeys(const std::string& key, std::vector<std::string>& names) const;     // case-insensitive name order
    long valuenames(const std::string& key, std::vector<std::string>& names) const;  // creation order

private:
    const registrykey* findkey(const std::string& key) const;
    registrykey* findkey(const std::string& key);
    long changeable() const;
    bool save() const;

    std::string filepath;
    std::string error;
    std::unique_ptr<registrykey> root;
    std::vector<std::string> otherroots;  // sections of other roots: their lines as read, with CR LF
};

// $TOLVANE_REGISTRY when set and not empty, else $XDG_CONFIG_HOME/tolvane/registry.reg
// (~/.config when XDG_CONFIG_HOME is unset or empty).
std::string registrystorepath();
