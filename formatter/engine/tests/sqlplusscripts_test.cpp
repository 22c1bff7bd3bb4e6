// SQL*Plus scripts: REM, REMARK and PROMPT lines are never changed but for their indentation,
// host commands and commands the rules do not know are left alone, a "-" at the end of any
// command line continues it, and GRANT or REVOKE opens no header or block. Whatever ended the
// statement before, a command line keeps its text; a line that a "-" continues keeps it and
// its line break; a substitution-built name is never parted.
#include "alignmenttesting.h"

namespace {

class scripts : public enginetesting::goldenrun {};

TEST_F(scripts, sqlpluslinesafterstatementsandcommandskeeptheirtext) {
    verifydefaultandlimit({
        {"grant create trigger to hr;\n"
         "prompt Done for all\n"
         "rem ===== roles =====\n"
         "set serveroutput on\n"
         "grant connect, create procedure, create view to hr\n"
         "/\n"
         "prompt as we go, it's the tables' turn\n",
         "GRANT CREATE TRIGGER TO hr;\n"
         "prompt Done for all\n"
         "rem ===== roles =====\n"
         "set serveroutput on\n"
         "GRANT CONNECT, CREATE PROCEDURE, CREATE VIEW TO hr\n"
         "/\n"
         "prompt as we go, it's the tables' turn\n"},
        {"$ del x.tmp\n"
         "prompt Done for all\n"
         "! rm x\n"
         "host ls -l\n"
         "LOAD regions regions.csv\n"
         "prompt Loaded; what's next =====\n"
         "remark   client's loader\n"
         "connect hr/&pass\n"
         "select 1 from dual;\n",
         "$ del x.tmp\n"
         "prompt Done for all\n"
         "! rm x\n"
         "host ls -l\n"
         "LOAD regions regions.csv\n"
         "prompt Loaded; what's next =====\n"
         "remark   client's loader\n"
         "connect hr/&pass\n"
         "SELECT 1 FROM dual;\n"},
        {"execute dbms_stats.gather_schema_stats( -\n"
         "   ownname => 'HR', -\n"
         "   cascade => true)\n"
         "prompt first part -\n"
         "second Part for all\n"
         "select 1 from dual;\n",
         "execute dbms_stats.gather_schema_stats( -\n"
         "   ownname => 'HR', -\n"
         "   cascade => true)\n"
         "prompt first part -\n"
         "second Part for all\n"
         "SELECT 1 FROM dual;\n"},
    });
}

// A PROMPT whose quote the line's end cuts goes on after a "-" at its end: the "-" is the last
// character of the quote's text, and the next line is the prompt's, quote or not.
TEST_F(scripts, promptwithanapostropheiscontinuedbyitsfinalhyphen) {
    verifydefaultandlimit({
        {"prompt That's all, folks -\n"
         " the schema is gone for all\n"
         "select 'x' from dual;\n",
         "prompt That's all, folks -\n"
         " the schema is gone for all\n"
         "SELECT 'x' FROM dual;\n"},
        {"PROMPT PROMPT That's all, folks -\n"
         " the schema's tables are gone\n"
         "PROMPT EXIT\n"
         "prompt it's done -  \n"
         "  and the views for all\n"
         "select 1 from dual;\n",
         "PROMPT PROMPT That's all, folks -\n"
         " the schema's tables are gone\n"
         "PROMPT EXIT\n"
         "prompt it's done -  \n"
         "  and the views for all\n"
         "SELECT 1 FROM dual;\n"},
        {"prompt it's -\n"
         "begin null; end;\n"
         "/\n"
         "prompt it's a-b\n"
         "select 1 from dual;\n",
         "prompt it's -\n"
         "begin null; end;\n"
         "/\n"
         "prompt it's a-b\n"
         "SELECT 1 FROM dual;\n"},
    });
}

// A trigger, package or procedure named in a GRANT or REVOKE begins no header: the words
// after it are not read as a declaration, and the SQL*Plus lines after its end are seen.
TEST_F(scripts, privilegesopennothing) {
    verifyall({
        {"defaults", {}, "grant create package, create type to u;\nrevoke create trigger from u;\nprompt x for all\n",
         "GRANT CREATE PACKAGE, CREATE TYPE TO u;\nREVOKE CREATE TRIGGER FROM u;\nprompt x for all\n"},
        {"defaults", {}, "grant select, insert, update on t to u with grant option;\nbegin null; end;\n/\n",
         "GRANT SELECT, INSERT, UPDATE ON t TO u WITH GRANT OPTION;\nBEGIN NULL; END;\n/\n"},
        {"defaults", {}, "drop procedure p\n/\nprompt as a last step\ncreate or replace procedure q as begin null; end;\n/\n",
         "DROP PROCEDURE p\n/\nprompt as a last step\nCREATE OR REPLACE PROCEDURE q AS BEGIN NULL; END;\n/\n"},
    });
}

// A command line after a statement that a "/" line or a ";" after a substitution variable
// ended is one as after "select 1 from dual;": its words and blanks stay, no rule breaks or
// joins it.
TEST_F(scripts, commandlinesafteranystatementendkeeptheirtext) {
    verifydefaultandlimit({
        {"select 1 from dual\n/\nconnect oe/pw@db\n", "SELECT 1 FROM dual\n/\nconnect oe/pw@db\n"},
        {"grant create trigger to &&owner;\n@@install.sql a/b\n", "GRANT CREATE TRIGGER TO &&owner;\n@@install.sql a/b\n"},
        {"create table t (a number)\n/\ndefine x = a-b\n", "CREATE TABLE t (a NUMBER)\n/\ndefine x = a-b\n"},
        {"select 1 from dual\n/\nCONNECT sys/&&pass_sys@&connect_string AS SYSDBA;\n",
         "SELECT 1 FROM dual\n/\nCONNECT sys/&&pass_sys@&connect_string AS SYSDBA;\n"},
        {"grant x to &x.;\nconnect a/b@c\ncreate or replace type t as object (a number)\n/\nconnect a/b@c\n",
         "GRANT x TO &x.;\nconnect a/b@c\nCREATE OR REPLACE TYPE t AS OBJECT (a NUMBER)\n/\nconnect a/b@c\n"},
    });
    verifyall({
        {"-mcs 50", [](settings& s) { s.mcs = 50; },
         "grant create trigger to &&owner;\n@@install_component.sql 'core/types/ut_key_value_pair.tps'\n",
         "GRANT CREATE TRIGGER TO &&owner;\n@@install_component.sql 'core/types/ut_key_value_pair.tps'\n"},
        {"-ifsl", [](settings& s) { s.ifsl = 1; },
         "select 1 from dual\n/\nconnect oe/pw@db\n", "SELECT 1 FROM dual\n/\nconnect oe/pw@db\n"},
        // -amso moves no comment after a ";" with the state of the statement before it.
        {"-mcs 20 -acs -aci -amso", [](settings& s) { s.mcs = 20; s.acs = 1; s.aci = 1; s.amso = 1; },
         "select 1 from dual; -- done\nconnect oe/pw@db\n",
         "SELECT 1 FROM dual; -- done\nconnect oe/pw@db\n"},
        {"-milipl 5", [](settings& s) { s.milipl = 5; s.pcr = 1; },
         "select 1 from dual;\ncolumn a format a10,\nselect 2 from dual;\n",
         "SELECT 1 FROM dual;\ncolumn a format a10,\nSELECT 2 FROM dual;\n"},
        {"-pcr", [](settings& s) { s.pcr = 1; },
         "select 1 from dual;\ncolumn a format a10\n, b\n", "SELECT 1 FROM dual;\ncolumn a format a10\n, b\n"},
    });
}

// A "-" at the end of a line stays its last token, with the line break after it, under the
// comma, join and line-break rules; no break is put after a "-".
TEST_F(scripts, acontinuinghyphenstaysattheendofitsline) {
    verifyall({
        {"-pcr", [](settings& s) { s.pcr = 1; },
         "INSERT INTO t VALUES(1726-\n,'CA'-\n);\n", "INSERT INTO t VALUES(1726 -\n, 'CA' -\n);\n"},
        {"-kitt", [](settings& s) { s.kitt = 1; }, "begin\n  if a > b -\n  then\n    null;\n  end if;\nend;\n/\n",
         "BEGIN\n  IF a > b -\n    THEN\n    NULL;\n  END IF;\nEND;\n/\n"},
        {"-kpit", [](settings& s) { s.kpit = 1; },
         "create procedure p -\nis begin null; end;\n/\n", "CREATE PROCEDURE p -\nIS BEGIN NULL; END;\n/\n"},
        {"-rael", [](settings& s) { s.rael = 1; }, "select a -\n\n  from t;\n", "SELECT a -\n\n  FROM t;\n"},
        {"-rael", [](settings& s) { s.rael = 1; }, "rem --\n\nset feedback 1\nset echo off --\n\nselect 1 from dual;\n",
         "rem --\n\nset feedback 1\nset echo off --\n\nSELECT 1 FROM dual;\n"},
        {"-mcs 25", [](settings& s) { s.mcs = 25; }, "begin\n  x := aaaaaaaaaa - bbbbbbbbbbbbbb;\nend;\n/\n",
         "BEGIN\n  x := aaaaaaaaaa - bbbbbbbbbbbbbb\n  ;\nEND;\n/\n"},
    });
}

// A substitution variable with what is glued to it is one unit for the column limit and the
// clause breaks, like N'text' and :name.
TEST_F(scripts, substitutionbuiltnamesareneverparted) {
    const std::string sqlplusbuiltnames =
        "define x = Setup\n@@&x..sql\nspool &log_path.Hr_Main.log\ngrant select on &&owner..Tab_X to &&grantee;\n";
    verifyall({
        {"-mcs 30", [](settings& s) { s.mcs = 30; }, "create or replace context &&ut3_owner._info using x;\n",
         "CREATE OR REPLACE context &&ut3_owner._info\nUSING x;\n"},
        {"-mcs 20", [](settings& s) { s.mcs = 20; }, "create table t (a number) tablespace &&tbs._data;\n",
         "CREATE TABLE t (a\n                NUMBER\n                )\nTABLESPACE &&tbs._data\n;\n"},
        {"-mcs 20", [](settings& s) { s.mcs = 20; },
         "begin\n  f(&&dir..sql, &x.#1);\nend;\n/\n", "BEGIN\n  f(&&dir..sql, &x.#1\n    );\nEND;\n/\n"},
        // What a variable glues to keeps its text and opens or ends nothing, even a keyword.
        {"-bus", [](settings& s) { s.bus = 1; }, "select * from &&owner._where_clause, &&owner._where\nwhere 1 = 1;\n",
         "SELECT *\nFROM &&owner._where_clause, &&owner._where\nWHERE 1 = 1;\n"},
        {"-ui", [](settings& s) { s.ui = 1; }, "begin\n  &&s._begin;\n  x := &&s._if + &&s..level;\n  &&s..end;\nend;\n/\n",
         "BEGIN\n  &&s._begin;\n  X := &&s._if + &&s..level;\n  &&s..end;\nEND;\n/\n"},
        // A file or object name built from a variable keeps its letters under either case.
        {"-uk -ui", [](settings& s) { s.uk = 1; s.ui = 1; }, sqlplusbuiltnames,
         "define x = Setup\n@@&x..sql\nspool &log_path.Hr_Main.log\nGRANT SELECT ON &&owner..Tab_X TO &&grantee;\n"},
        {"-lk -li", [](settings& s) { s.lk = 1; s.uk = 0; s.li = 1; }, sqlplusbuiltnames,
         "define x = Setup\n@@&x..sql\nspool &log_path.Hr_Main.log\ngrant select on &&owner..Tab_X to &&grantee;\n"},
    });
}

}  // namespace
