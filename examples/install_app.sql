REM ==================================================================
REM  install_app.sql - installs the APP schema objects
REM  Usage: sqlplus system@orcl @install_app.sql <password> <tablespace>
REM  It's safe to run twice: every object is dropped first.
REM ==================================================================
SET ECHO OFF
SET VERIFY OFF
SET FEEDBACK OFF
SET SERVEROUTPUT ON SIZE UNLIMITED
SET LINESIZE 200 -
    PAGESIZE 0 -
    TRIMSPOOL ON
WHENEVER SQLERROR EXIT SQL.SQLCODE ROLLBACK

DEFINE app_user = APP
DEFINE app_pass = &1
DEFINE app_tbs = &2

PROMPT
PROMPT Installing the &&app_user schema into tablespace &&app_tbs
PROMPT

REM the log folder must exist before the spool starts
HOST mkdir -p logs
SPOOL logs/install_app.log

PROMPT Creating user &&app_user ...
CREATE USER &&app_user IDENTIFIED BY "&&app_pass"
  DEFAULT TABLESPACE &&app_tbs
  QUOTA UNLIMITED ON &&app_tbs;

GRANT EXECUTE ON sys.dbms_lock TO &&app_user;
GRANT CREATE SESSION, CREATE TABLE, CREATE VIEW, CREATE SEQUENCE TO &&app_user
/
GRANT CREATE PROCEDURE, CREATE TRIGGER, CREATE TYPE TO &&app_user
/
PROMPT Grants done; now it's time for the tables

ALTER SESSION SET CURRENT_SCHEMA = &&app_user;

CREATE TABLE app_settings (
  name  VARCHAR2(30) CONSTRAINT app_settings_pk PRIMARY KEY,
  value VARCHAR2(4000)
) TABLESPACE &&app_tbs._data
/
REM --

SET FEEDBACK ON --

CREATE INDEX &&app_user..app_settings_ix ON app_settings (value) TABLESPACE &&app_tbs._index;
CREATE SYNONYM &&app_user._level FOR &&app_user..app_settings;
-------------------------------------------------------------------------------------------- 
PROMPT Table app_settings created; it's empty for now

@@tables/create_tables.sql
@@packages/app_util.pks
@@packages/app_util.pkb

REM Recompile what the scripts left invalid
BEGIN
  dbms_utility.compile_schema(schema => '&&app_user', compile_all => FALSE);
END;
/

EXECUTE dbms_stats.gather_schema_stats( -
   ownname => '&&app_user', -
   cascade => TRUE)

COLUMN object_name FORMAT a30
COLUMN object_type FORMAT a20
SELECT object_name, object_type
  FROM all_objects
 WHERE owner = '&&app_user'
   AND status <> 'VALID'
 ORDER BY object_type, object_name;

SPOOL OFF
$ del install_app.tmp
PROMPT Done. Check logs/install_app.log for any object that isn't valid.
UNDEFINE app_pass
EXIT
