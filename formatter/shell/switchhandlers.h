// Handlers of the switch objects: value switches, list switches, the two indent groups
// and the style presets.
#pragma once

#include <cstdint>
#include <string>

struct settings;

std::string sbimlhandler(const std::string& name, int32_t value, settings& s);
std::string sbimaxhandler(const std::string& name, int32_t value, settings& s);
std::string isishandler(const std::string& name, int32_t value, settings& s);
std::string eiibhandler(const std::string& name, int32_t value, settings& s);
std::string breihandler(const std::string& name, int32_t value, settings& s);

std::string sbimhandler(const std::string& name, const std::string& text, settings& s);
std::string sicmhandler(const std::string& name, const std::string& text, settings& s);
std::string includepathhandler(const std::string& name, const std::string& text, settings& s);
std::string macrohandler(const std::string& name, const std::string& text, settings& s);
std::string preloadhandler(const std::string& name, const std::string& text, settings& s);

std::string clearincludepathshandler(const std::string& name, int32_t value, settings& s);
std::string clearpreloadshandler(const std::string& name, int32_t value, settings& s);
std::string clearmacroshandler(const std::string& name, int32_t value, settings& s);

// as, au, aaw: switch the align group on and the indent group off.
std::string aligngrouphandler(const std::string& name, int32_t value, settings& s);
// ins, iu, iaw: switch the indent group on and the align group off.
std::string indentgrouphandler(const std::string& name, int32_t value, settings& s);

// Style presets.
std::string alpreset(const std::string& name, int32_t value, settings& s);
std::string arpreset(const std::string& name, int32_t value, settings& s);
std::string aipreset(const std::string& name, int32_t value, settings& s);
std::string lsqlpreset(const std::string& name, int32_t value, settings& s);
std::string rsqlpreset(const std::string& name, int32_t value, settings& s);
std::string isqlpreset(const std::string& name, int32_t value, settings& s);
std::string alolpreset(const std::string& name, int32_t value, settings& s);
std::string olpreset(const std::string& name, int32_t value, settings& s);
