// Handlers of the value switches, the list switches of the preprocessor and the two
// exclusive indent groups.

#include "switchhandlers.h"

#include "globals.h"
#include "pattern.h"
#include "support.h"
#include "switchtable.h"

namespace {

std::string refusedinblock(const std::string& name) { return name + ifsmessagetail; }

// The switch table named each number's field when it was built: the handlers only read it, so
// that in-source options parsed on several threads at once share it safely.
std::string setnamednumber(const std::string& name, fieldref field, int32_t value, settings& s) {
    if (s.inifsblock != 0) return refusedinblock(name);
    s.*field = value;
    return "";
}

// Setters of a text field and clearers of a list, refused inside a block.
std::string settext(const std::string& name, std::string& field, const std::string& text, settings& s) {
    if (s.inifsblock != 0) return refusedinblock(name);
    field = text;
    return "";
}

template <class List>
std::string clearlist(const std::string& name, List& list, settings& s) {
    if (s.inifsblock != 0) return refusedinblock(name);
    list.clear();
    return "";
}

void setgroup(const fieldref (&group)[3], int32_t value, settings& s) {
    for (fieldref field : group) setfield(field, value, s);
}

const fieldref aligngroup[3] = {&settings::as, &settings::au, &settings::aaw};
const fieldref indentgroup[3] = {&settings::ins, &settings::iu, &settings::iaw};

}  // namespace

std::string sbimlhandler(const std::string& name, int32_t value, settings& s) {
    return setnamednumber(name, &settings::sbi_ml, value, s);
}

std::string sbimaxhandler(const std::string& name, int32_t value, settings& s) {
    return setnamednumber(name, &settings::sbi_max, value, s);
}

std::string isishandler(const std::string&, int32_t value, settings& s) {
    setnumber(&settings::isis, value, s);
    if (value != 0) setgroup(aligngroup, 0, s);
    return "";
}

// eiib and brei keep each other apart: a non-zero value of one clears the other; inside
// a block both are recorded whatever the value.
std::string eiibhandler(const std::string&, int32_t value, settings& s) {
    if (s.inifsblock != 0) {
        setnumber(&settings::eiib, value, s);
        setnumber(&settings::brei, 0, s);
        return "";
    }
    s.eiib = value;
    if (value != 0) s.brei = 0;
    return "";
}

std::string breihandler(const std::string&, int32_t value, settings& s) {
    if (s.inifsblock != 0) {
        setnumber(&settings::eiib, 0, s);
        setnumber(&settings::brei, value, s);
        return "";
    }
    s.brei = value;
    if (value != 0) s.eiib = 0;
    return "";
}

std::string sbimhandler(const std::string& name, const std::string& text, settings& s) {
    return settext(name, s.sbi_m, text, s);
}

std::string sicmhandler(const std::string& name, const std::string& text, settings& s) {
    return settext(name, s.sic_m, text, s);
}

std::string includepathhandler(const std::string& name, const std::string& text, settings& s) {
    if (s.inifsblock != 0) return refusedinblock(name);
    for (std::string& path : split(";", text)) s.pp_I.push_back(std::move(path));
    return "";
}

std::string macrohandler(const std::string& name, const std::string& text, settings& s) {
    if (s.inifsblock != 0) return refusedinblock(name);
    patternmatch m;
    if (!pattern::get("^(.+?)=(.+)$").partialmatch(text, &m))
        return "the argument of macro definition (" + escapedword(text) +
               ") is not correct, should be like macroname=value\n";
    s.pp_D[m.str(1)] = m.str(2);
    return "";
}

std::string preloadhandler(const std::string& name, const std::string& text, settings& s) {
    if (s.inifsblock != 0) return refusedinblock(name);
    s.pp_pf.push_back(text);
    return "";
}

std::string clearincludepathshandler(const std::string& name, int32_t, settings& s) {
    return clearlist(name, s.pp_I, s);
}

std::string clearpreloadshandler(const std::string& name, int32_t, settings& s) { return clearlist(name, s.pp_pf, s); }

std::string clearmacroshandler(const std::string& name, int32_t, settings& s) { return clearlist(name, s.pp_D, s); }

std::string aligngrouphandler(const std::string& name, int32_t, settings& s) {
    setfield(flagfields.at(name), 1, s);
    setnumber(&settings::isis, 0, s);
    setgroup(indentgroup, 0, s);
    return "";
}

std::string indentgrouphandler(const std::string& name, int32_t value, settings& s) {
    setfield(flagfields.at(name), name == "iaw" ? value : 1, s);
    setgroup(aligngroup, 0, s);
    return "";
}
