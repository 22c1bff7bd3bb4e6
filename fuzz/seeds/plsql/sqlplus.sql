PROMPT Don't panic
REM first part -
second part
DOC
anything here
#
set serveroutput on
select 1 from dual;
/
spool off
