// Switch words built from fuzz bytes through the switch table, so that a target reaches every
// switch there is (command-line rows, switch objects, flags) and every value: numbers at,
// inside and past both bounds of their switch, lists of them, and texts of any bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reads switches from the bytes until they or `limit` words run out. Each switch takes two
// bytes choosing it from the table, one choosing its spelling (a value in the word or after
// it, a sign, a level or tag in the name), and what its value needs. Call after the switch
// table is built.
std::vector<std::string> switchwordsfrom(std::string_view bytes, size_t limit = 64);

// Sends standard output to /dev/null: -h and the listings write there, thousands of times a
// second under fuzzing.
void discardstandardoutput();
