// platform/codepages.h — Windows ANSI code pages through iconv.
#pragma once
#include <string>
// The code page of the language of the first of LC_ALL, LC_CTYPE, LANG that is set and not
// empty: 1252 en de fr es it pt nl da sv nb nn no fi is ca; 1250 pl cs sk hu sl hr ro;
// 1251 ru uk bg be sr mk; 1253 el; 1254 tr; 1255 he; 1256 ar fa; 1257 et lv lt; 1258 vi;
// 874 th; 932 ja; 936 zh_CN; 949 ko; 950 zh_TW zh_HK; -1 for C, POSIX, unset or any other.
int ansicodepage();
int ansicodepageoflocale(const std::string& locale);  // "de_DE.UTF-8" gives 1252
// UTF-8 text in that code page (iconv "CP<n>"); a character the page lacks becomes "?".
// -1, or no iconv converter for the page, gives the text unchanged.
std::string tocodepage(const std::string& utf8, int codepage);
// Bytes of that code page as UTF-8; a byte the page leaves undefined becomes U+00xx.
// -1, or no converter, gives the bytes unchanged.
std::string fromcodepage(const std::string& bytes, int codepage);
