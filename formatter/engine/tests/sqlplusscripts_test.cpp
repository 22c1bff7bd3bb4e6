// SQL*Plus scripts: REM, REMARK and PROMPT lines are never changed but for their indentation,
// host commands and commands the rules do not know are left alone, a "-" at the end of any
// command line continues it, and GRANT or REVOKE opens no header or block.
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
        {{}, "grant create package, create type to u;\nrevoke create trigger from u;\nprompt x for all\n",
         "GRANT CREATE PACKAGE, CREATE TYPE TO u;\nREVOKE CREATE TRIGGER FROM u;\nprompt x for all\n"},
        {{}, "grant select, insert, update on t to u with grant option;\nbegin null; end;\n/\n",
         "GRANT SELECT, INSERT, UPDATE ON t TO u WITH GRANT OPTION;\nBEGIN NULL; END;\n/\n"},
        {{}, "drop procedure p\n/\nprompt as a last step\ncreate or replace procedure q as begin null; end;\n/\n",
         "DROP PROCEDURE p\n/\nprompt as a last step\nCREATE OR REPLACE PROCEDURE q AS BEGIN NULL; END;\n/\n"},
    });
}

}  // namespace
