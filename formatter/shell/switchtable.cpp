// The switch table: flag fields, switch objects, reverse name maps and the recording setters.

#include "switchtable.h"

#include "ifsblocks.h"
#include "support.h"
#include "switchhandlers.h"
#include "switchlistings.h"

std::map<std::string, fieldref> flagfields;
std::map<std::string, switchobject> switchobjects;
std::map<std::string, std::string> fieldnames;
std::map<std::string, std::string> numberfieldnames;
std::map<std::string, int32_t> actionnames;

namespace {

struct flagentry {
    const char* name;
    fieldref field;
};

// The plain flags in registration order; itlwb is registered twice.
// clang-format off
const flagentry plainflags[] = {
    {"rsaob", &settings::rsaob}, {"rsbcb", &settings::rsbcb}, {"c", &settings::c},
    {"iic", &settings::iic}, {"co", &settings::co}, {"sao", &settings::sao},
    {"ncb", &settings::ncb}, {"rs", &settings::rs}, {"iaew", &settings::iaew},
    {"iacw", &settings::iacw}, {"iac", &settings::iac}, {"id", &settings::id},
    {"ni", &settings::ni}, {"iiie", &settings::iiie}, {"uk", &settings::uk},
    {"ck", &settings::ck}, {"lk", &settings::lk}, {"ui", &settings::ui},
    {"ci", &settings::ci}, {"li", &settings::li}, {"in", &settings::in},
    {"clb", &settings::clb}, {"acav", &settings::acav}, {"acev", &settings::acev},
    {"acarv", &settings::acarv}, {"actv", &settings::actv}, {"actvct", &settings::actvct},
    {"aav", &settings::aav}, {"pcr", &settings::pcr}, {"dbvn", &settings::dbvn},
    {"ac", &settings::ac}, {"aroa", &settings::aroa}, {"isc", &settings::isc},
    {"isc2", &settings::isc2}, {"iibe", &settings::iibe}, {"itlwb", &settings::itlwb},
    {"ut", &settings::ut}, {"uts", &settings::uts}, {"sit", &settings::sit},
    {"ctis", &settings::ctis}, {"amso", &settings::amso}, {"asc", &settings::asc},
    {"amc", &settings::amc}, {"abusc", &settings::abusc}, {"abuc", &settings::abuc},
    {"acoslc", &settings::acoslc}, {"aci", &settings::aci}, {"acs", &settings::acs},
    {"kitt", &settings::kitt}, {"kwlt", &settings::kwlt}, {"kflt", &settings::kflt},
    {"kpit", &settings::kpit}, {"kwtt", &settings::kwtt}, {"itlwb", &settings::itlwb},
    {"pius", &settings::pius}, {"rask", &settings::rask}, {"plouwh", &settings::plouwh},
    {"bus", &settings::bus}, {"bbj", &settings::bbj}, {"buml", &settings::buml},
    {"mlacd", &settings::mlacd}, {"rlacd", &settings::rlacd}, {"mlai", &settings::mlai},
    {"mlaf", &settings::mlaf}, {"mlaw", &settings::mlaw}, {"mlapr", &settings::mlapr},
    {"mlapa", &settings::mlapa}, {"mlal", &settings::mlal}, {"mlafu", &settings::mlafu},
    {"rlai", &settings::rlai}, {"rlaf", &settings::rlaf}, {"rlaw", &settings::rlaw},
    {"rlapr", &settings::rlapr}, {"rlapa", &settings::rlapa}, {"rlal", &settings::rlal},
    {"rlafu", &settings::rlafu}, {"rael", &settings::rael}, {"sbi", &settings::sbi},
    {"rbi", &settings::rbi}, {"cmk", &settings::cmk}, {"sw", &settings::sw},
    {"swx", &settings::swx}, {"html", &settings::html}, {"gsfif", &settings::gsfif},
    {"pl", &settings::pl}, {"sf", &settings::sf}, {"rl", &settings::rl},
    {"sr", &settings::sr}, {"ss", &settings::ss}, {"soe", &settings::soe},
    {"mte", &settings::mte}, {"w", &settings::w}, {"v", &settings::v},
};
// clang-format on

switchobject makeobject(const std::string& name, switchkind kind, const std::string& description) {
    switchobject o;
    o.name = name;
    o.kind = kind;
    o.description = description;
    return o;
}

void storeobject(switchobject object) {
    std::string name = object.name;
    switchobjects[name] = std::move(object);
}

// A number whose handler writes the field.
void registernumber(const std::string& name, fieldref field, const std::string& description, numberrange range,
                    numberhandler handler) {
    switchobject o = makeobject(name, numberkind, description);
    o.range = range;
    o.onnumber = handler;
    o.field = field;
    storeobject(std::move(o));
}

void registernumberfield(const std::string& name, fieldref field, const std::string& description, numberrange range,
                         int32_t alloffvalue, int32_t defaultvalue, numberhandler handler) {
    switchobject o = makeobject(name, numberfieldkind, description);
    o.range = range;
    o.alloffvalue = alloffvalue;
    o.defaultvalue = defaultvalue;
    o.onnumber = handler;
    o.field = field;
    numberfieldnames[fieldkey(field)] = name;
    storeobject(std::move(o));
}

void registerstring(const std::string& name, const std::string& description, stringhandler handler) {
    switchobject o = makeobject(name, stringkind, description);
    o.ontext = handler;
    storeobject(std::move(o));
}

void registerblock(const std::string& name, const std::string& description, blockhandler handler) {
    switchobject o = makeobject(name, stringkind, description);
    o.onblock = handler;
    storeobject(std::move(o));
}

// Flags, switched-on flags and actions: the flag goes into flagfields and fieldnames as well.
void registerflagobject(const std::string& name, switchkind kind, fieldref field, int32_t alloffvalue,
                        int32_t defaultvalue, numberhandler handler) {
    switchobject o = makeobject(name, kind, "");
    o.alloffvalue = alloffvalue;
    o.defaultvalue = defaultvalue;
    o.onnumber = handler;
    flagfields[name] = field;
    fieldnames[fieldkey(field)] = name;
    storeobject(std::move(o));
}

void registeraction(const std::string& name, fieldref field, numberhandler handler) {
    registerflagobject(name, actionkind, field, 0, 0, handler);
    actionnames[name] = 1;
}

void registeronflag(const std::string& name, fieldref field, numberhandler handler) {
    registerflagobject(name, onflagkind, field, 0, 0, handler);
}

void registerextraflag(const std::string& name, fieldref field) {
    registerflagobject(name, flagkind, field, 0, 0, nullptr);
}

void registerswitchobjects() {
    registernumber("sbi.ml", &settings::sbi_ml, "Minimum lines in a block", {-largest, largest}, sbimlhandler);
    registerstring("sbi.m", "Marker", sbimhandler);
    registernumber("sbi.max", &settings::sbi_max, "Maximum size of end of block information", {-widest, widest},
                   sbimaxhandler);
    registernumber("isis", &settings::isis, "Indent size in Sql", {-widest, widest}, isishandler);
    registernumberfield("eiib", &settings::eiib, "Extra indent inside brackets", {-widest, widest}, 0, 0, eiibhandler);
    registernumberfield("brei", &settings::brei, "Bracket relative extra indent", {-widest, widest}, 0, 0, breihandler);
    registerextraflag("plo", &settings::plo);
    registerextraflag("ric", &settings::ric);
    registerextraflag("sic", &settings::sic);
    registerstring("sic.m", "Marker", sicmhandler);
    registerextraflag("pp", &settings::pp);
    registerextraflag("ifsib", &settings::ifsib);
    registerextraflag("ifsl", &settings::ifsl);
    registerstring("pp.I", "Preprocessor include path", includepathhandler);
    registerstring("pp.D", "Preprocessor macro definition", macrohandler);
    registerstring("pp.pf", "Preloaded file", preloadhandler);
    registeraction("pp.clp", &settings::pp_clp, clearincludepathshandler);
    registeraction("pp.cpfl", &settings::pp_cpfl, clearpreloadshandler);
    registeraction("pp.cmd", &settings::pp_cmd, clearmacroshandler);
    registerextraflag("pp.ld", &settings::pp_ld);
    registerextraflag("pp.ild", &settings::pp_ild);
    registerextraflag("pp.kld", &settings::pp_kld);
    registerblock("ifs", "Start of statement", ifshandler);
    registeraction("isql", &settings::isql, isqlpreset);
    registeraction("ai", &settings::ai, aipreset);
    registeraction("al", &settings::al, alpreset);
    registeraction("ar", &settings::ar, arpreset);
    registeraction("lsql", &settings::lsql, lsqlpreset);
    registeraction("rsql", &settings::rsql, rsqlpreset);
    registeraction("alol", &settings::alol, alolpreset);
    registeraction("ol", &settings::ol, olpreset);
    registeronflag("as", &settings::as, aligngrouphandler);
    registeronflag("au", &settings::au, aligngrouphandler);
    registeronflag("aaw", &settings::aaw, aligngrouphandler);
    registeronflag("ins", &settings::ins, indentgrouphandler);
    registeronflag("iu", &settings::iu, indentgrouphandler);
    registeronflag("iaw", &settings::iaw, indentgrouphandler);
    registerextraflag("np", &settings::np);
}

std::string nameof(const std::map<std::string, std::string>& names, fieldref field) {
    auto found = names.find(fieldkey(field));
    return found == names.end() ? std::string() : found->second;
}

}  // namespace

void buildswitchtable() {
    flagfields.clear();
    switchobjects.clear();
    fieldnames.clear();
    numberfieldnames.clear();
    actionnames.clear();
    for (const flagentry& flag : plainflags) flagfields[flag.name] = flag.field;
    for (const auto& [name, field] : flagfields) fieldnames[fieldkey(field)] = name;
    buildhelptable();
    registerswitchobjects();
    // Number fields that presets and handlers write are named from the start, so that a
    // block recorded before their own switch is given still names them.
    numberfieldnames[fieldkey(&settings::isis)] = "isis";
    numberfieldnames[fieldkey(&settings::sbi_ml)] = "sbi.ml";
    numberfieldnames[fieldkey(&settings::sbi_max)] = "sbi.max";
}

std::string fieldkey(fieldref field) {
    static const settings probe;
    const char* base = reinterpret_cast<const char*>(&probe);
    const char* member = reinterpret_cast<const char*>(&(probe.*field));
    return numtostring(member - base);
}

void setfield(fieldref field, int32_t value, settings& s) {
    if (s.inifsblock == 0) s.*field = value;
    else recordflag(nameof(fieldnames, field), field, value, s);
}

void setnumber(fieldref field, int32_t value, settings& s) {
    setnumberbyname(nameof(numberfieldnames, field), field, value, s);
}

void setnumberbyname(const std::string& name, fieldref field, int32_t value, settings& s) {
    if (s.inifsblock == 0) s.*field = value;
    else recordnumber(name, field, value, s);
}

void recordswitch(const std::string& name, switchkind kind, fieldref field, int32_t value, const std::string& text,
                  settings& s) {
    if (s.ifsblocks.empty()) return;
    ifsentry entry;
    entry.name = name;
    entry.kind = kind;
    entry.number = value;
    entry.numberfield = field;
    entry.text = text;
    s.ifsblocks.back().push_back(std::move(entry));
}

void recordflag(const std::string& name, fieldref field, int32_t value, settings& s) {
    recordswitch(name, flagkind, field, value, "", s);
}

void recordnumber(const std::string& name, fieldref field, int32_t value, settings& s) {
    recordswitch(name, numberkind, field, value, "", s);
}

void recordtext(const std::string& name, const std::string& text, settings& s) {
    recordswitch(name, alloffkind, nullptr, 0, text, s);
}

std::vector<std::string> flagnames() {
    std::vector<std::string> names;
    names.reserve(flagfields.size());
    for (const auto& entry : flagfields) names.push_back(entry.first);
    return names;
}

const switchobject* findswitchobject(const std::string& name) {
    auto found = switchobjects.find(name);
    return found == switchobjects.end() ? nullptr : &found->second;
}

void applyoptiondefaults(settings& s) {
    for (const auto& [name, object] : switchobjects) {
        if (object.kind == numberfieldkind && object.field != nullptr) {
            s.*object.field = object.defaultvalue;
        } else if (object.kind == flagkind || object.kind == onflagkind || object.kind == actionkind) {
            auto found = flagfields.find(name);
            if (found != flagfields.end()) s.*found->second = object.defaultvalue;
        }
    }
}
