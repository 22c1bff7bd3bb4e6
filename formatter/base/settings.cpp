// Defaults and the all-off state of the settings record.
#include "settings.h"

#include "globals.h"
#include "support.h"

#include <unistd.h>

#include <initializer_list>

namespace {

using flagfield = int32_t settings::*;

void setall(settings& s, std::initializer_list<flagfield> fields, int32_t value) {
    for (flagfield f : fields) s.*f = value;
}

// The sixteen flags that keep or remove line breaks after constructs.
const std::initializer_list<flagfield> linebreakflags = {
    &settings::mlacd, &settings::mlai,  &settings::mlaf,  &settings::mlaw,  &settings::mlapr, &settings::mlapa,
    &settings::mlal,  &settings::mlafu, &settings::rlacd, &settings::rlai,  &settings::rlaf,  &settings::rlaw,
    &settings::rlapr, &settings::rlapa, &settings::rlal,  &settings::rlafu,
};

// Fields of the switches with a switch object (numbers with a field, flags and actions):
// their default and all-off value is 0.
const std::initializer_list<flagfield> switchobjectfields = {
    &settings::eiib,  &settings::brei, &settings::plo,    &settings::ric,     &settings::sic,    &settings::pp,
    &settings::ifsib, &settings::ifsl, &settings::pp_ld,  &settings::pp_ild,  &settings::pp_kld, &settings::np,
    &settings::as,    &settings::au,   &settings::aaw,    &settings::ins,     &settings::iu,     &settings::iaw,
    &settings::isql,  &settings::ai,   &settings::al,     &settings::ar,      &settings::lsql,   &settings::rsql,
    &settings::alol,  &settings::ol,   &settings::pp_clp, &settings::pp_cpfl, &settings::pp_cmd,
};

void setdefaulttags(settings& s) {
    s.tag.clear();
    s.tag["singlequotes"] = "<font color=yellow>";
    s.tag["doublequotes"] = "<font color=yellow>";
    s.tag["qquotes"] = "<font color=brown>";
    s.tag["multilinecomment"] = "<font color=brown>";
    s.tag["other"] = "<font color=black>";
    s.tag["whitespace"] = "<font color=blue>";
    s.tag["identifier"] = "<b>";
    s.tag["singlelinecomment"] = "<i><font color=brown>";
    s.tag["keyword"] = "<font color=blue>";
    s.tag["number"] = "<i><font color=blue>";
}

// Values that neither the defaults nor -0 turn off.
void setbasevalues(settings& s) {
    s.t.assign(1, 4);
    s.is = numtostring(2);
    s.ps = 1;
    s.cs = "US7ASCII";
    s.oe = "+.vmq";
    s.bdir = defaultbackupdirectory();
    s.sbi_max = 40;
    s.sbi_m = "of block:";
    s.sbi_ml = 20;
    s.sic_m = "<-";
}

}  // namespace

std::string defaultbackupdirectory() {
    // A relative folder would put the backups below whatever folder the run starts in.
    for (const char* name : {"TMP", "TMPDIR"}) {
        auto found = environmenttable.find(name);
        if (found != environmenttable.end() && !found->second.empty() && found->second[0] == '/') return found->second;
    }
    return privatebackupdirectory();
}

std::string privatebackupdirectory() { return "/tmp/brelm-" + std::to_string(::geteuid()); }

void setdefaults(settings& s) {
    // clang-format off
    setall(s,
           {&settings::rsaob, &settings::c, &settings::co, &settings::sao, &settings::ncb, &settings::rs,
            &settings::iaew, &settings::iacw, &settings::iac, &settings::uk, &settings::iibe, &settings::in,
            &settings::clb, &settings::itlwb, &settings::sr, &settings::sf, &settings::rl, &settings::soe},
           1);
    // clang-format on
    // clang-format off
    setall(s,
           {&settings::rsbcb, &settings::iic,    &settings::id,   &settings::ck,    &settings::lk,     &settings::html,
            &settings::acav,  &settings::acev,   &settings::acarv, &settings::isc,  &settings::isc2,   &settings::pcr,
            &settings::as,    &settings::au,     &settings::aaw,  &settings::ins,   &settings::iu,     &settings::iaw,
            &settings::kitt,  &settings::kwlt,   &settings::kflt, &settings::kpit,  &settings::kwtt,   &settings::pius,
            &settings::plouwh, &settings::rask,  &settings::bus,  &settings::buml,  &settings::cmk,    &settings::mte,
            &settings::bbj,   &settings::ut,     &settings::uts,  &settings::sit,   &settings::ui,     &settings::ci,
            &settings::li,    &settings::rael,   &settings::actv, &settings::actvct, &settings::aav,   &settings::dbvn,
            &settings::ac,    &settings::aroa,   &settings::ni,   &settings::iiie,  &settings::continuationindent,
            &settings::ctis,  &settings::amso,   &settings::asc,  &settings::amc,   &settings::abusc,  &settings::abuc,
            &settings::acoslc, &settings::aci,   &settings::acs,  &settings::mcs,   &settings::sw,     &settings::swx,
            &settings::ss,    &settings::milipl, &settings::mlipl, &settings::pl,   &settings::gsfif,  &settings::str,
            &settings::w,     &settings::al,     &settings::ar,   &settings::lsql,  &settings::rsql,   &settings::ol,
            &settings::alol,  &settings::sbi,    &settings::rbi,  &settings::isis},
           0);
    // clang-format on
    setall(s, linebreakflags, 0);
    s.b = 40;
    setbasevalues(s);
    s.ht.clear();
    setdefaulttags(s);
    s.inifsblock = 0;
}

void setalloff(settings& s, int clearifs) {
    setall(s,
           {&settings::sl, &settings::el, &settings::ct, &settings::lt, &settings::x, &settings::v, &settings::sigiven},
           0);
    s.l = -1;
    s.e.clear();
    s.ls.clear();
    // clang-format off
    setall(s,
           {&settings::rsaob, &settings::rsbcb, &settings::c,     &settings::iic,    &settings::co,    &settings::sao,
            &settings::ncb,   &settings::rs,    &settings::iaew,  &settings::iacw,   &settings::iac,   &settings::id,
            &settings::uk,    &settings::iibe,  &settings::ck,    &settings::lk,     &settings::in,    &settings::html,
            &settings::pl,    &settings::sf,    &settings::rl,    &settings::gsfif,  &settings::clb,   &settings::acav,
            &settings::acev,  &settings::acarv, &settings::isc,   &settings::isc2,   &settings::kitt,  &settings::kwlt,
            &settings::kflt,  &settings::kpit,  &settings::kwtt,  &settings::pius,   &settings::plouwh, &settings::rask,
            &settings::cmk,   &settings::ut,    &settings::uts,   &settings::sit,    &settings::ui,    &settings::ci,
            &settings::li,    &settings::milipl, &settings::mlipl, &settings::rael,  &settings::actv,  &settings::dbvn,
            &settings::ac,    &settings::aroa,  &settings::itlwb, &settings::ni,     &settings::iiie,
            &settings::continuationindent, &settings::bus, &settings::pcr, &settings::ctis, &settings::amso,
            &settings::asc,   &settings::amc,   &settings::abuc,  &settings::abusc,  &settings::acoslc, &settings::aci,
            &settings::acs,   &settings::mcs,   &settings::buml,  &settings::sw,     &settings::swx,   &settings::soe,
            &settings::sr,    &settings::ss,    &settings::mte,   &settings::b,      &settings::w,     &settings::bbj,
            &settings::sbi,   &settings::rbi,   &settings::isis},
           0);
    // clang-format on
    setall(s, linebreakflags, 0);
    setall(s, switchobjectfields, 0);
    setbasevalues(s);
    s.tag.clear();
    s.si.clear();
    s.slsf.clear();
    s.ht.clear();
    s.inifsblock = 0;
    if (clearifs) s.ifskeywords.clear();
}
