// Style presets: switches that set a whole group of formatting flags at once. Every write
// goes through the recording setters, so inside an -ifs block the writes are recorded.

#include "switchhandlers.h"
#include "switchtable.h"

#include <initializer_list>

namespace {

using S = settings;

void setflags(std::initializer_list<fieldref> fields, int32_t value, settings& s) {
    for (fieldref field : fields) setfield(field, value, s);
}

void leftalignedsql(settings& s) {
    setflags({&S::as, &S::au, &S::aaw, &S::aav, &S::bbj, &S::bus}, 1, s);
    setflags({&S::rs}, 0, s);
    setflags({&S::pius, &S::plouwh}, 1, s);
    setnumber(&S::isis, 0, s);
    setflags({&S::iaw, &S::iu, &S::ins}, 0, s);
}

}  // namespace

std::string alpreset(const std::string&, int32_t, settings& s) {
    setflags({&S::in, &S::rsaob, &S::rsbcb, &S::c}, 1, s);
    setflags({&S::iic}, 0, s);
    setflags({&S::co, &S::sao, &S::ncb}, 1, s);
    setflags({&S::rs}, 0, s);
    setflags({&S::id,    &S::iaew, &S::iacw,  &S::iac, &S::iibe, &S::clb,  &S::pcr,   &S::acav, &S::acev,
              &S::acarv, &S::isc,  &S::isc2,  &S::as,  &S::au,   &S::aaw,  &S::kitt,  &S::kwlt, &S::kflt,
              &S::kpit,  &S::kwtt, &S::itlwb, &S::ni,  &S::iiie, &S::pius, &S::plouwh},
             1, s);
    setflags({&S::rask}, 0, s);
    setflags({&S::bus,  &S::buml,  &S::mlacd, &S::mlai,   &S::mlaf, &S::mlaw, &S::mlapr, &S::mlapa,
              &S::mlal, &S::mlafu, &S::rlacd, &S::rlai,   &S::rlaf, &S::rlaw, &S::rlapr, &S::rlapa,
              &S::rlal, &S::rlafu, &S::actv,  &S::actvct, &S::aav,  &S::ac,   &S::aroa,  &S::bbj},
             1, s);
    return "";
}

std::string arpreset(const std::string& name, int32_t value, settings& s) {
    alpreset(name, value, s);
    setflags({&S::rask}, 1, s);
    return "";
}

std::string aipreset(const std::string& name, int32_t value, settings& s) {
    alpreset(name, value, s);
    isqlpreset(name, value, s);
    return "";
}

std::string lsqlpreset(const std::string&, int32_t, settings& s) {
    leftalignedsql(s);
    setflags({&S::rask}, 0, s);
    return "";
}

std::string rsqlpreset(const std::string&, int32_t, settings& s) {
    leftalignedsql(s);
    setflags({&S::rask}, 1, s);
    return "";
}

std::string isqlpreset(const std::string&, int32_t, settings& s) {
    setflags({&S::as, &S::au, &S::aaw}, 0, s);
    setflags({&S::aav, &S::bbj, &S::bus}, 1, s);
    setflags({&S::rs}, 0, s);
    setflags({&S::pius, &S::plouwh}, 1, s);
    setnumber(&S::isis, 2, s);
    setflags({&S::iaw, &S::iu, &S::ins}, 1, s);
    setflags({&S::rask}, 0, s);
    return "";
}

std::string alolpreset(const std::string&, int32_t value, settings& s) {
    setflags({&S::mlacd, &S::mlai, &S::mlaf, &S::mlaw, &S::mlapr, &S::mlapa, &S::mlal, &S::mlafu}, value, s);
    return "";
}

std::string olpreset(const std::string& name, int32_t value, settings& s) {
    setflags({&S::rlacd, &S::rlai, &S::rlaf, &S::rlaw, &S::rlapr, &S::rlapa, &S::rlal, &S::rlafu}, value, s);
    alolpreset(name, value, s);
    return "";
}
