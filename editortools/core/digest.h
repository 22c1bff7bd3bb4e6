// The MD5 digest that names backup files and theide's macro files.
#pragma once

#include <string>

// 32 lower-case hexadecimal digits of the MD5 of the bytes.
std::string Md5Hex(const std::string& bytes);
