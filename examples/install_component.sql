REM ==================================================================
REM  install_component.sql - installs the framework into &&ut3_owner
REM  Usage: sqlplus sys/<pw>@db as sysdba @install_component.sql <owner> <pw> <tbs>
REM ==================================================================
SET ECHO OFF
SET VERIFY OFF
SET DEFINE ON
SET SERVEROUTPUT ON SIZE UNLIMITED FORMAT WRAPPED
WHENEVER SQLERROR EXIT FAILURE ROLLBACK
WHENEVER OSERROR EXIT FAILURE ROLLBACK

DEFINE ut3_owner = &1
DEFINE ut3_password = &2
DEFINE tbs = &3
DEFINE release = 3.1-rc2
DEFINE install_dir = source/core-x
DEFINE banner = "framework - &&release"
COLUMN line_no NEW_VALUE last_line -
       NOPRINT FORMAT 999
SPOOL install_&&ut3_owner..log

PROMPT Creating user &&ut3_owner in tablespace &&tbs._data
CREATE USER &&ut3_owner IDENTIFIED BY "&&ut3_password"
  DEFAULT TABLESPACE &&tbs._data
  TEMPORARY TABLESPACE temp
  QUOTA UNLIMITED ON &&tbs._data
/
GRANT CREATE SESSION, CREATE PROCEDURE, CREATE TYPE, CREATE TABLE, CREATE VIEW TO &&ut3_owner;
CONNECT sys/&&pass_sys@&connect_string AS SYSDBA
GRANT SELECT ON dba_objects TO &&ut3_owner; -- for the install's checks
PROMPT Owner's grants are given
SET DEFINE ON
@@install_component.sql 'core/types/ut_key_value_pair.tps' &&ut3_owner
@@install_component.sql 'core/types/ut_key_value_pairs.tps' &&ut3_owner a/b c-d
PROMPT Component's types are installed

CREATE OR REPLACE CONTEXT &&ut3_owner._info USING &&ut3_owner..ut_session_context
/
GRANT CREATE ANY CONTEXT TO &&ut3_owner
/
define ut3_tablespace = &&tbs._data
DEFINE build_tag = &&release-&&ut3_owner
SPOOL install_&&ut3_owner._2.log APPEND
CONNECT &&ut3_owner/&&ut3_password@&connect_string
ALTER SESSION SET CURRENT_SCHEMA = &&ut3_owner;
@@&&install_dir/set_session.sql &&ut3_owner..sql

CREATE TABLE ut_runs (
  run_id     NUMBER(20) NOT NULL,
  started_at TIMESTAMP DEFAULT systimestamp,
  owner_name VARCHAR2(128) DEFAULT '&&ut3_owner',
  CONSTRAINT ut_runs_pk PRIMARY KEY (run_id)
) TABLESPACE &&tbs._data
/
CREATE OR REPLACE PACKAGE ut_session_context AS
  PROCEDURE set_context(a_name VARCHAR2, a_value VARCHAR2);
END ut_session_context;
/
CREATE OR REPLACE PACKAGE BODY ut_session_context AS
  PROCEDURE set_context(a_name VARCHAR2, a_value VARCHAR2) IS
  BEGIN
    dbms_session.set_context('&&ut3_owner._info', a_name, a_value);
  END set_context;
END ut_session_context;
/
SHOW ERRORS
SET FEEDBACK ON
EXEC dbms_output.put_line('installed &&release into &&ut3_owner');
EXECUTE dbms_stats.gather_schema_stats( -
        ownname => '&&ut3_owner', -
        cascade => true)
VARIABLE run_count NUMBER
BEGIN
  SELECT count(*) INTO :run_count FROM ut_runs;
END;
/
PRINT run_count
SPOOL OFF
UNDEFINE ut3_password
EXIT
