// The switch table: which settings field each flag writes, the switch objects with their
// kinds and handlers, the reverse maps from fields to switch names, and the setters that
// record into an open -ifs block instead of writing the record.
#pragma once

#include "settings.h"

#include <climits>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Names one 32-bit field of the settings record.
using fieldref = int32_t settings::*;

// Handlers return "" on success, else the message that the parser reports.
using numberhandler = std::string (*)(const std::string& name, int32_t value, settings& s);
using stringhandler = std::string (*)(const std::string& name, const std::string& text, settings& s);
using blockhandler = std::string (*)(const std::string& text, settings& s);

// The values a number switch takes, both ends included. No real layout needs more: columns
// of indentation and padding up to 1,000, limits and counts up to 100,000, line numbers up
// to 1,000,000,000 (an input holds at most 1 GB). Negative values are refused where they
// mean nothing.
struct numberrange {
    int64_t lowest = 0;
    int64_t highest = 0;
};
constexpr int64_t widest = 1000, largest = 100000, lastline = 1000000000;
constexpr int64_t anynegative = INT32_MIN;

struct switchobject {
    std::string name;  // without the leading "-"
    switchkind kind = novaluekind;
    std::string description;  // label of the value, named when the value is missing
    numberrange range;        // numberkind and numberfieldkind
    int32_t alloffvalue = 0;
    int32_t defaultvalue = 0;
    std::string alloffstring;
    std::string defaultstring;
    numberhandler onnumber = nullptr;
    stringhandler ontext = nullptr;
    blockhandler onblock = nullptr;
    fieldref field = nullptr;  // the number's field; flags stand in flagfields
};

extern std::map<std::string, fieldref> flagfields;           // flag name to field
extern std::map<std::string, switchobject> switchobjects;    // switch objects by name
extern std::map<std::string, std::string> fieldnames;        // fieldkey to flag name
extern std::map<std::string, std::string> numberfieldnames;  // fieldkey to number switch name
extern std::map<std::string, int32_t> actionnames;           // names of the actions

// Builds every container above (again from scratch when called a second time).
void buildswitchtable();

// A text that is equal for references to the same field.
std::string fieldkey(fieldref field);

// Write the value, or record it into the open -ifs block under the field's switch name.
void setfield(fieldref field, int32_t value, settings& s);
void setnumber(fieldref field, int32_t value, settings& s);
void setnumberbyname(const std::string& name, fieldref field, int32_t value, settings& s);

// Append one entry to the last block of ifsblocks.
void recordswitch(const std::string& name, switchkind kind, fieldref field, int32_t value, const std::string& text,
                  settings& s);
void recordflag(const std::string& name, fieldref field, int32_t value, settings& s);
void recordnumber(const std::string& name, fieldref field, int32_t value, settings& s);
void recordtext(const std::string& name, const std::string& text, settings& s);

// Every name of flagfields, in the map's order.
std::vector<std::string> flagnames();

// The switch object of that name, or nullptr.
const switchobject* findswitchobject(const std::string& name);

// Writes every switch object's default into its field.
void applyoptiondefaults(settings& s);
