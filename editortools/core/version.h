// The program's version, shown in the usage text and the window title.
#pragma once

inline constexpr const char* GantrelVersion = "1.1.2.1";
