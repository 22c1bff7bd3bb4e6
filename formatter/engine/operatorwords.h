// The words around which operator spacing acts: -co removes blanks next to the first set,
// -sao puts blanks around the second (the logical words among them, in any case).
#pragma once

#include <string_view>

// True for => := || <> < > != <= >= + - , = * / ( ), with bracket set for ( and ).
bool isspacingremovalword(std::string_view word, bool& bracket);
// True for => := || <> < > != <= >= + - , = * / AND OR NOT, with comma set for ",".
bool isspacingadditionword(std::string_view word, bool& comma);
